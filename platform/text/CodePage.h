#pragma once

#include <string>
#include <string_view>

// Conversions between code page 936 (GBK), code page 65001 (UTF-8) and UTF-16 (little-endian
// code units in std::u16string), over iconv. Code page 936 is read and written as GB18030, which
// gives every GBK character its GBK bytes (the euro sign its byte 0x80) and every character GBK
// lacks a four-byte form, so no character is lost.
//
// Defined results for bad input, never a truncation of the rest of the text:
//  - decoding (bytes -> UTF-16): every byte that does not start a valid sequence in the source
//    code page becomes U+FFFD and decoding goes on with the next byte;
//  - encoding (UTF-16 -> bytes): U+FFFD and an unpaired surrogate become one '?' when the
//    target is GBK; towards UTF-8 an unpaired surrogate becomes U+FFFD.
// Zero bytes and zero units are ordinary characters here; the caller decides where a text ends.
namespace vd::platform {

inline constexpr int kCodePageGbk = 936;
inline constexpr int kCodePageUtf8 = 65001;

// True for the two code pages above.
bool isSupportedCodePage(int codePage);

// An unsupported code page gives the empty result.
std::u16string decodeToWide(std::string_view bytes, int codePage);
std::string encodeFromWide(std::u16string_view wide, int codePage);

std::string gbkToUtf8Bytes(std::string_view gbk);
std::string utf8ToGbkBytes(std::string_view utf8);

}  // namespace vd::platform
