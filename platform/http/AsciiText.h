#pragma once

#include <string>
#include <string_view>

// ASCII letter case and blanks, as the protocol texts of the HTTP stack use them; every other
// byte (GBK and UTF-8 bytes among them) is left as it is.
namespace vd::platform::detail {

char lowerAscii(char c);
std::string lowerAscii(std::string_view s);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
// Without leading and trailing blanks and tabs.
std::string_view trimBlanks(std::string_view s);

}  // namespace vd::platform::detail
