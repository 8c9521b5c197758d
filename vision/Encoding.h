#pragma once

#include <string_view>

#include "common/Text.h"

namespace vd {

// Standard Base64 (RFC 4648, section 4) with pad characters and without line breaks:
// 4 * ceil(n / 3) characters for n bytes, the empty text for none.
Text base64Encode(const ByteArray& bytes);

// Percent-encoding: every byte becomes "%" and two upper-case hexadecimal digits, except, with
// `keepSafeCharacters`, the bytes "-", ".", 0-9, A-Z and a-z, which stay as they are. No byte
// becomes "+". Every byte of `text` is encoded; with `convertToUtf8` the bytes are those of
// gbkToUtf8(text), which reads the text up to its first zero byte.
Text urlEncode(std::string_view text, bool keepSafeCharacters = false, bool convertToUtf8 = false);

}  // namespace vd
