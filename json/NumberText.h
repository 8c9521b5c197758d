#pragma once

#include <string>
#include <string_view>

// Number <-> text conversions of the document's script semantics.
namespace vd {

// Number-to-String of ECMAScript: the shortest digits that read back as the same double,
// plain notation for decimal exponents from -6 to 20, otherwise "d.ddde+n"; NaN, Infinity.
std::string ecmaNumberToString(double value);

// "%.13g".
std::string formatNumber13g(double value);

// ToNumber of ECMAScript applied to a string (UTF-8), correctly rounded: surrounding white space
// ignored, the empty text is 0; decimal literals with an optional sign and exponent, Infinity,
// and unsigned 0b.., 0o.. and 0x.. integers; NaN for anything else.
double ecmaStringToNumber(std::string_view utf8);

}  // namespace vd
