#pragma once

#include <string_view>

#include "common/Text.h"

namespace vd {

// Without leading (trimStart) or leading and trailing (trimBoth) spaces: the ASCII space and the
// full-width space A1 A1 when it is a whole character. Tabs and line breaks stay.
Text trimStart(std::string_view text);
Text trimBoth(std::string_view text);
// Single-byte ASCII letters changed; every other byte, trail bytes of characters included, kept.
Text toUpperCase(std::string_view text);
Text toLowerCase(std::string_view text);

}  // namespace vd
