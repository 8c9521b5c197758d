#pragma once

#include <string_view>

#include "common/Text.h"

// Byte arrays and their texts.
namespace vd {

// The text's bytes (a zero byte inside included).
ByteArray textToBytes(std::string_view text);
// The bytes up to the first zero byte.
Text bytesToText(const ByteArray& bytes);
// `count` zero bytes; empty when count < 1.
ByteArray blankBytes(int count);
int bytesLength(const ByteArray& bytes);

}  // namespace vd
