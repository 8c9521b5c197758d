#pragma once

#include <string_view>

#include "common/Text.h"

// Conversions between GBK texts, UTF-8 texts and UTF-16 held as little-endian units in a byte
// array. Code pages: 936 (GBK) and 65001 (UTF-8); any other fails as each function says.
//
// For bad input every conversion gives a defined result and keeps the rest of the text:
//  - a byte that does not start a valid sequence in the source code page reads as U+FFFD;
//  - a character without a GBK form is written into GBK in its four-byte GB18030 form, U+FFFD
//    as '?';
//  - an unpaired surrogate is written into UTF-8 as U+FFFD and into GBK as '?'.
namespace vd::platform {

// The text read up to its first zero byte, in UTF-8.
Text gbkToUtf8(std::string_view text);

// The text, read up to its first zero byte in `codePage`, as UTF-16 units with a terminating zero
// unit: 2k bytes for k units. An unsupported code page gives 2k zero bytes, k being the units
// the text reads as in GBK, zero unit included.
ByteArray textToWide(std::string_view text, int codePage = 65001);

// The UTF-16 units up to the first zero unit (a lone last byte ignored) in `codePage`. An
// unsupported code page gives 2k spaces, k being the bytes the text needs in GBK, zero included.
Text wideToText(const ByteArray& utf16le, int codePage = 936);

}  // namespace vd::platform
