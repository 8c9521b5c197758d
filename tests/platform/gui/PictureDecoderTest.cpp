#include <gtest/gtest.h>
#include <jpeglib.h>
#include <zlib.h>

#include <QColor>
#include <QImage>
#include <cstring>
#include <random>

#include "platform/gui/DecodedImage.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::encodeImage;
using vd::test::solidImage;

std::array<int, 4> pixelAt(const DecodedImage& image, int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x)) * 4;
    return {image.rgba[at], image.rgba[at + 1], image.rgba[at + 2], image.rgba[at + 3]};
}

// A PNG header (signature and IHDR with a correct CRC) that claims width x height pixels.
ByteArray pngHeaderClaiming(std::uint32_t width, std::uint32_t height) {
    ByteArray bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R'};
    auto put32 = [&bytes](std::uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(static_cast<std::uint8_t>(value >> shift));
    };
    put32(width);
    put32(height);
    bytes.insert(bytes.end(), {8, 6, 0, 0, 0});
    put32(static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17)));
    return bytes;
}

// A CMYK JPEG as Adobe software writes it (inverted ink values), made with libjpeg.
ByteArray cmykJpeg(int width, int height, std::array<std::uint8_t, 4> ink) {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* out = nullptr;
    unsigned long outSize = 0;
    jpeg_mem_dest(&info, &out, &outSize);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 4;
    info.in_color_space = JCS_CMYK;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    jpeg_start_compress(&info, TRUE);
    std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
    for (int x = 0; x < width; ++x) std::memcpy(row.data() + 4 * x, ink.data(), 4);
    while (info.next_scanline < info.image_height) {
        JSAMPROW line = row.data();
        jpeg_write_scanlines(&info, &line, 1);
    }
    jpeg_finish_compress(&info);
    ByteArray bytes(out, out + outSize);
    jpeg_destroy_compress(&info);
    std::free(out);
    return bytes;
}

TEST(PictureDecoder, DecodesWhatItRecognises) {
    const QImage image = solidImage(37, 21, QColor(200, 40, 10));
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    const int greyLevel = qGray(grey.pixel(20, 10));
    struct Case {
        const char* name;
        ByteArray bytes;
        int width;
        int height;
        std::array<int, 3> colour;  // at (20, 10)
        int tolerance;
    } cases[] = {
        {"png", encodeImage(image, "PNG"), 37, 21, {200, 40, 10}, 0},
        {"jpeg", encodeImage(image, "JPEG", 95), 37, 21, {200, 40, 10}, 12},
        {"grey jpeg", encodeImage(grey, "JPEG", 95), 37, 21, {greyLevel, greyLevel, greyLevel}, 12},
        // Inverted ink: C=255-0, M=255-215, Y=255-245 with K=255 gives about RGB 255, 40, 10.
        {"cmyk jpeg", cmykJpeg(16, 8, {255, 40, 10, 255}), 16, 8, {255, 40, 10}, 12},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const DecodedImage decoded = decodePicture(row.bytes);
        ASSERT_EQ(decoded.width, row.width);
        ASSERT_EQ(decoded.height, row.height);
        ASSERT_EQ(decoded.rgba.size(), static_cast<std::size_t>(row.width * row.height * 4));
        const auto pixel = pixelAt(decoded, std::min(20, row.width - 1), std::min(10, row.height - 1));
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[static_cast<std::size_t>(c)], row.colour[static_cast<std::size_t>(c)], row.tolerance) << "channel " << c;
        EXPECT_EQ(pixel[3], 255);
    }
    // The PNG is lossless: the marked corner survives exactly.
    EXPECT_EQ(pixelAt(decodePicture(cases[0].bytes), 0, 0), (std::array<int, 4>{0, 0, 255, 255}));
}

TEST(PictureDecoder, GivesNothingForWhatItCannotDraw) {
    const ByteArray png = encodeImage(solidImage(8, 8, Qt::red), "PNG");
    const ByteArray bmp = encodeImage(solidImage(8, 8, Qt::red), "BMP");
    struct Case {
        const char* name;
        ByteArray bytes;
    } cases[] = {
        {"empty", {}},
        {"text", ByteArray{'h', 'e', 'l', 'l', 'o'}},
        {"bmp", bmp},
        {"png signature only", ByteArray(png.begin(), png.begin() + 8)},
        {"jpeg signature only", ByteArray{0xFF, 0xD8, 0xFF}},
        {"png claiming 70000 x 10", pngHeaderClaiming(70000, 10)},
        {"png claiming 20000 x 20000", pngHeaderClaiming(20000, 20000)},
    };
    for (const Case& row : cases) EXPECT_TRUE(decodePicture(row.bytes).empty()) << row.name;
}

// Truncated and corrupted pictures give a defined result and never end the process.
TEST(PictureDecoderFuzz, SurvivesTruncatedAndCorruptedFiles) {
    QImage gradient(64, 48, QImage::Format_RGB32);
    for (int y = 0; y < gradient.height(); ++y)
        for (int x = 0; x < gradient.width(); ++x) gradient.setPixelColor(x, y, QColor(x * 4, y * 5, (x ^ y) * 3));
    const ByteArray seeds[] = {encodeImage(gradient, "PNG"), encodeImage(gradient, "JPEG", 80),
                               encodeImage(gradient.convertToFormat(QImage::Format_Indexed8), "PNG"),
                               cmykJpeg(24, 24, {10, 200, 30, 40})};
    std::mt19937 random(20240611);
    int decodedCount = 0;
    for (const ByteArray& seed : seeds) {
        ASSERT_FALSE(decodePicture(seed).empty());
        for (std::size_t length = 0; length < seed.size(); length += 1 + length / 16) {
            const DecodedImage decoded = decodePicture(ByteArray(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(length)));
            if (!decoded.empty()) {
                ++decodedCount;
                ASSERT_EQ(decoded.rgba.size(), static_cast<std::size_t>(decoded.width) * static_cast<std::size_t>(decoded.height) * 4);
            }
        }
        for (int round = 0; round < 400; ++round) {
            ByteArray bytes = seed;
            const int flips = 1 + static_cast<int>(random() % 8);
            for (int i = 0; i < flips; ++i) {
                // Keep the signature so that the decoder itself meets the damage.
                const std::size_t at = 3 + random() % (bytes.size() - 3);
                bytes[at] = static_cast<std::uint8_t>(random());
            }
            const DecodedImage decoded = decodePicture(bytes);
            if (!decoded.empty()) {
                ASSERT_EQ(decoded.rgba.size(), static_cast<std::size_t>(decoded.width) * static_cast<std::size_t>(decoded.height) * 4);
            }
        }
    }
    // libjpeg draws what it has of a cut-off file; proves the loop reached the decoders.
    EXPECT_GT(decodedCount, 0);
}

}  // namespace
}  // namespace vd::platform
