#include "vision/EncodingPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "vision/Encoding.h"

namespace vd {
namespace {

struct Input {
    std::string name;
    ByteArray bytes;
};

// Lengths 0 to 100 in several byte patterns, and a few megabytes, so that every vector loop,
// its tail and the padding meet every kind of byte.
std::vector<Input> inputs() {
    std::vector<Input> all;
    std::mt19937 rng(20240611);
    // Safe characters, characters that are escaped, a GBK pair and a zero byte.
    constexpr std::string_view kTextBytes("aZ09-._~ %+\xB9\xFE\0", 14);
    for (std::size_t n = 0; n <= 100; ++n) {
        ByteArray zeros(n, 0x00);
        ByteArray ones(n, 0xFF);
        ByteArray ramp(n);
        ByteArray random(n);
        ByteArray text(n);
        for (std::size_t i = 0; i < n; ++i) {
            ramp[i] = static_cast<std::uint8_t>(i * 37 + 11);
            random[i] = static_cast<std::uint8_t>(rng());
            text[i] = static_cast<std::uint8_t>(kTextBytes[i % kTextBytes.size()]);
        }
        const std::string size = std::to_string(n);
        all.push_back({"zeros " + size, zeros});
        all.push_back({"0xFF " + size, ones});
        all.push_back({"ramp " + size, ramp});
        all.push_back({"random " + size, random});
        all.push_back({"text " + size, text});
    }
    for (std::size_t n : {std::size_t{3} << 20, (std::size_t{3} << 20) + 1, std::size_t{5119999}}) {
        ByteArray random(n);
        for (auto& b : random) b = static_cast<std::uint8_t>(rng());
        all.push_back({"random " + std::to_string(n), random});
    }
    ByteArray every(std::size_t{2} << 20);
    for (std::size_t i = 0; i < every.size(); ++i) every[i] = static_cast<std::uint8_t>(i ^ (i >> 8));
    all.push_back({"every byte value " + std::to_string(every.size()), every});
    return all;
}

std::string_view asText(const ByteArray& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

TEST(EncodingPathsTest, PlainPathComesFirst) {
    const std::vector<EncodingPath> paths = availableEncodingPaths();
    ASSERT_FALSE(paths.empty());
    EXPECT_EQ(paths.front(), EncodingPath::plain);
}

TEST(EncodingPathsTest, SimdPathsAreThereWhereTheMachineHasThem) {
    const std::vector<EncodingPath> paths = availableEncodingPaths();
    const bool avx2 = std::find(paths.begin(), paths.end(), EncodingPath::avx2) != paths.end();
#if defined(__x86_64__) && !defined(VD_PLAIN_ENCODING)
    EXPECT_EQ(avx2, __builtin_cpu_supports("avx2") != 0);
#else
    EXPECT_FALSE(avx2);
#endif
}

TEST(EncodingPathsTest, EveryPathGivesThePlainPathsResults) {
    const std::vector<EncodingPath> paths = availableEncodingPaths();
    for (const Input& input : inputs()) {
        const Text base64 = base64EncodeWith(EncodingPath::plain, input.bytes);
        ASSERT_EQ(base64.size(), (input.bytes.size() + 2) / 3 * 4) << input.name;
        EXPECT_EQ(base64Encode(input.bytes), base64) << input.name;
        const std::string_view text = asText(input.bytes);
        for (const bool keepSafe : {false, true}) {
            for (const bool toUtf8 : {false, true}) {
                const Text url = urlEncodeWith(EncodingPath::plain, text, keepSafe, toUtf8);
                EXPECT_EQ(urlEncode(text, keepSafe, toUtf8), url) << input.name;
                for (const EncodingPath path : paths) {
                    ASSERT_EQ(urlEncodeWith(path, text, keepSafe, toUtf8), url)
                        << encodingPathName(path) << ", " << input.name << ", keep safe " << keepSafe
                        << ", UTF-8 " << toUtf8;
                }
            }
        }
        for (const EncodingPath path : paths) {
            ASSERT_EQ(base64EncodeWith(path, input.bytes), base64) << encodingPathName(path) << ", " << input.name;
        }
    }
}

}  // namespace
}  // namespace vd
