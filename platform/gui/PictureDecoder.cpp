#include <algorithm>
#include <csetjmp>
#include <cstring>

#include <png.h>

#include "platform/gui/DecodedImage.h"
#include "platform/gui/JpegDecompressor.h"
#include "platform/UniqueHandle.h"

namespace vd::platform {

namespace {

// Releases what libpng allocated for an image, not the png_image itself.
using PngImageState = UniqueHandle<png_image, png_image_free>;

constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint8_t kJpegSignature[] = {0xFF, 0xD8, 0xFF};

template <std::size_t N>
bool startsWith(const ByteArray& bytes, const std::uint8_t (&signature)[N]) {
    return bytes.size() >= N && std::memcmp(bytes.data(), signature, N) == 0;
}

bool acceptableSize(std::uint64_t width, std::uint64_t height) {
    return width > 0 && height > 0 && width <= 65535 && height <= 65535 &&
           width * height <= static_cast<std::uint64_t>(kMaxDecodedPixels);
}

// Adobe CMYK JPEGs store inverted ink values.
void cmykRowToRgba(const std::uint8_t* cmyk, std::uint8_t* rgba, unsigned width) {
    for (unsigned i = 0; i < width; ++i) {
        const unsigned k = cmyk[4 * i + 3];
        for (unsigned c = 0; c < 3; ++c) rgba[4 * i + c] = static_cast<std::uint8_t>(cmyk[4 * i + c] * k / 255U);
        rgba[4 * i + 3] = 255;
    }
}

// The only function that arms the jump buffer. No object with a destructor is created between
// setjmp and the libjpeg calls that may jump back; `out` and `row` belong to the caller.
bool decodeJpegInto(JpegDecompressor& jpeg, const ByteArray& bytes, DecodedImage& out, std::vector<std::uint8_t>& row) {
    jpeg_decompress_struct* info = &jpeg.get();
    if (setjmp(jpeg.errors().jumpBuffer) != 0) return false;

    jpeg_create_decompress(info);
    jpeg_mem_src(info, bytes.data(), static_cast<unsigned long>(bytes.size()));
    if (jpeg_read_header(info, TRUE) != JPEG_HEADER_OK) return false;
    if (!acceptableSize(info->image_width, info->image_height)) return false;
    const bool cmyk = info->jpeg_color_space == JCS_CMYK || info->jpeg_color_space == JCS_YCCK;
    info->out_color_space = cmyk ? JCS_CMYK : JCS_EXT_RGBA;
    jpeg_start_decompress(info);
    if (info->output_components != 4) return false;

    const unsigned width = info->output_width;
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(info->output_height);
    out.rgba.assign(static_cast<std::size_t>(width) * info->output_height * 4, 0);
    if (cmyk) row.resize(static_cast<std::size_t>(width) * 4);
    while (info->output_scanline < info->output_height) {
        std::uint8_t* target = out.rgba.data() + static_cast<std::size_t>(info->output_scanline) * width * 4;
        JSAMPROW line = cmyk ? row.data() : target;
        if (jpeg_read_scanlines(info, &line, 1) != 1) return false;
        if (cmyk) cmykRowToRgba(row.data(), target, width);
    }
    jpeg_finish_decompress(info);
    return true;
}

}  // namespace

DecodedImage decodePng(const ByteArray& bytes) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    const PngImageState state(&image);
    if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) return {};
    if (!acceptableSize(image.width, image.height)) return {};
    image.format = PNG_FORMAT_RGBA;
    DecodedImage decoded;
    decoded.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, decoded.rgba.data(), 0, nullptr) == 0) return {};
    decoded.width = static_cast<int>(image.width);
    decoded.height = static_cast<int>(image.height);
    return decoded;
}

DecodedImage decodeJpeg(const ByteArray& bytes) {
    if (bytes.empty()) return {};
    JpegDecompressor jpeg;
    DecodedImage decoded;
    std::vector<std::uint8_t> row;
    if (!decodeJpegInto(jpeg, bytes, decoded, row)) return {};
    return decoded;
}

DecodedImage decodePicture(const ByteArray& bytes) {
    if (startsWith(bytes, kPngSignature)) return decodePng(bytes);
    if (startsWith(bytes, kJpegSignature)) return decodeJpeg(bytes);
    return {};
}

}  // namespace vd::platform
