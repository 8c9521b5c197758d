#pragma once

#include <string_view>

#include "common/Text.h"

// Cutting texts. Positions are 1-based and count plain bytes.
namespace vd {

int textLength(std::string_view text);

// The first (last) min(count, length) bytes; empty when count <= 0.
Text leftOfText(std::string_view text, int count);
Text rightOfText(std::string_view text, int count);
// min(count, length - start + 1) bytes from `start`; empty when start < 1, start > length or count <= 0.
Text middleOfText(std::string_view text, int start, int count);
// `count` bytes at `start` replaced by `replacement`. A start below 1 counts as 1, beyond the end
// as the end; count <= 0 removes nothing, a count beyond the end removes up to the end.
Text replaceTextAt(std::string_view text, int start, int count, std::string_view replacement = {});

// `count` spaces; empty when count < 1.
Text blankText(int count);
// The one-byte text of the low 8 bits of `code` (-128..-1 name the bytes 0x80..0xFF); a zero
// byte ends a text, so code 0 gives the empty text.
Text charFromCode(int code);
// The byte at `position` as a signed value (-128..127); 0 outside the text.
int charCode(std::string_view text, int position = 1);

}  // namespace vd
