#pragma once

#include <cstdint>
#include <vector>

#include "common/Text.h"

namespace vd::platform {

// A decoded picture: width x height pixels, 4 bytes each (R, G, B, A), rows top to bottom.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
    bool empty() const { return width <= 0 || height <= 0; }
};

// Pictures claiming more pixels than this are not decoded (a 5 MB file can claim gigabytes).
inline constexpr std::int64_t kMaxDecodedPixels = 64LL * 1024 * 1024;

// PNG or JPEG bytes, recognised by their signature; anything else, or bytes that do not decode,
// give the empty image. Never ends the process.
DecodedImage decodePicture(const ByteArray& bytes);

DecodedImage decodePng(const ByteArray& bytes);
DecodedImage decodeJpeg(const ByteArray& bytes);

}  // namespace vd::platform
