#pragma once

#include <string_view>

#include "common/Text.h"

// Cutting helpers over GBK texts; searches step over double-byte characters.
namespace vd {

// The part of the text before the first occurrence of the delimiter (with it when
// includeDelimiter). No occurrence, or one at the very start: the whole text when wholeIfMissing,
// else the empty text. An empty delimiter gives the whole text.
Text extractBefore(std::string_view text, std::string_view delimiter, bool includeDelimiter = false,
                   bool wholeIfMissing = false, bool ignoreCase = false);

// The part between the first opening delimiter at or after start and the next closing delimiter
// after it; empty when either is missing. "#引号" in a delimiter stands for a double quote.
Text extractBetween(std::string_view text, std::string_view opening, std::string_view closing, int start = 1,
                    bool ignoreCase = false);

}  // namespace vd
