#pragma once

#include <optional>
#include <string_view>

#include "common/Text.h"

namespace vd {

struct TextBetweenOptions {
    std::optional<int> startPosition = std::nullopt;  // 1-based start of the search for the left marker; 1 when omitted
    bool includeMarkers = false;       // the result includes both markers
    bool wholeTextIfMissing = false;   // a failed search gives the whole text instead of the empty text
    bool ignoreCase = false;           // markers found without regard to ASCII letter case
};

// The part of `text` between the first `left` marker (from the start position on) and the next
// `right` marker after it.
Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 const TextBetweenOptions& options = {});

}  // namespace vd
