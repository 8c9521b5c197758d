#pragma once

#include <string_view>

#include "common/Text.h"

// Numbers read from and shown as texts.
namespace vd {

// Full-width GBK forms (A3 A1..A3 FE, A1 A1) first turned into ASCII (0x21..0x7E, space); then
// leading white space, an optional sign and decimal digits up to the first other character
// ("96.5" gives 96, no digits give 0). Values beyond the int range are clamped to it.
int textToInteger(std::string_view text);
// Cut toward zero; NaN gives 0, values beyond the int range are clamped to it.
int textToInteger(double number);

// Integers as "%d", doubles as "%.13g".
Text numberToText(double number);
Text numberToText(int number);
Text numberToText(long long number);

// Upper-case hexadecimal digits without leading zeros; a negative value as the low 32 bits of its
// two's complement (-1 gives "FFFFFFFF").
Text hexText(long long number);

// The largest integer not above `number`; a positive number whose fractional part exceeds
// 0.999999999999 counts as the next integer first. NaN gives 0; values beyond the long long
// range are clamped to it.
long long floorToInteger(double number);

}  // namespace vd
