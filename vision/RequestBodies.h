#pragma once

#include <cstddef>
#include <string_view>

#include "common/Text.h"

// The request bodies of the vision service, each built in one buffer sized once.
namespace vd {

// The face-match template: 16 lines joined by CR LF, 355 bytes, with the placeholders "图片1" and "图片2".
std::string_view faceMatchTemplate();

// The template with "图片1" replaced by the Base64 text of `first` and "图片2" by that of `second`:
// 345 + 4⌈m/3⌉ + 4⌈n/3⌉ bytes.
Text faceMatchBody(const ByteArray& first, const ByteArray& second);

// "image=" followed by every Base64 character of `picture` as "%XX" (upper-case hexadecimal):
// 6 + 12⌈n/3⌉ bytes.
Text recognitionBody(const ByteArray& picture);

inline constexpr std::size_t base64Length(std::size_t bytes) { return (bytes + 2) / 3 * 4; }

}  // namespace vd
