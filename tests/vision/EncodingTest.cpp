#include "vision/Encoding.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "vision/CodePageText.h"

namespace vd {
namespace {

ByteArray bytesOf(std::string_view s) { return ByteArray(s.begin(), s.end()); }

// Bit by bit, as the alphabet is defined.
std::string referenceBase64(const ByteArray& bytes) {
    static constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t have = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t j = 0; j < 3; ++j) group = group << 8 | (j < have ? bytes[i + j] : 0u);
        for (std::size_t k = 0; k < 4; ++k) {
            out += k <= have ? alphabet[(group >> (18 - 6 * k)) & 63] : '=';
        }
    }
    return out;
}

std::string referenceUrlEncode(std::string_view text, bool keepSafe) {
    std::string out;
    for (unsigned char c : text) {
        const bool safe = c == '-' || c == '.' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
                          (c >= 'a' && c <= 'z');
        if (keepSafe && safe) {
            out += static_cast<char>(c);
        } else {
            char code[4];
            std::snprintf(code, sizeof code, "%%%02X", c);
            out += code;
        }
    }
    return out;
}

ByteArray randomBytes(std::mt19937& rng, std::size_t n) {
    ByteArray bytes(n);
    for (auto& b : bytes) b = static_cast<std::uint8_t>(rng());
    return bytes;
}

struct Base64Case {
    const char* name;
    ByteArray bytes;
    std::string expected;
};

TEST(EncodingTest, Base64PadsShortGroups) {
    const Base64Case cases[] = {
        {"no bytes", {}, ""},
        {"one byte", bytesOf("M"), "TQ=="},
        {"two bytes", bytesOf("Ma"), "TWE="},
        {"three bytes", bytesOf("Man"), "TWFu"},
        {"rfc 4648 f", bytesOf("f"), "Zg=="},
        {"rfc 4648 fo", bytesOf("fo"), "Zm8="},
        {"rfc 4648 foo", bytesOf("foo"), "Zm9v"},
        {"rfc 4648 foob", bytesOf("foob"), "Zm9vYg=="},
        {"rfc 4648 fooba", bytesOf("fooba"), "Zm9vYmE="},
        {"rfc 4648 foobar", bytesOf("foobar"), "Zm9vYmFy"},
        {"zeros", {0, 0, 0}, "AAAA"},
        {"last two characters", {0xFB, 0xEF, 0xBE, 0xFF, 0xFF, 0xFF}, "++++////"},
        {"zero bytes at the end", {0x01, 0x00}, "AQA="},
    };
    for (const auto& c : cases) EXPECT_EQ(base64Encode(c.bytes), c.expected) << "case " << c.name;
}

TEST(EncodingTest, Base64MatchesTheReferenceOnRandomSizes) {
    std::mt19937 rng(5119999);
    std::vector<std::size_t> sizes;
    for (std::size_t n = 0; n <= 200; ++n) sizes.push_back(n);
    for (int i = 0; i < 50; ++i) sizes.push_back(std::uniform_int_distribution<std::size_t>(201, 70000)(rng));
    sizes.push_back(5119999);
    for (std::size_t n : sizes) {
        const ByteArray bytes = randomBytes(rng, n);
        const Text encoded = base64Encode(bytes);
        ASSERT_EQ(encoded.size(), (n + 2) / 3 * 4) << "size " << n;
        ASSERT_EQ(encoded, referenceBase64(bytes)) << "size " << n;
    }
}

struct UrlCase {
    const char* name;
    std::string text;
    std::string plain;           // both options off
    std::string safe;            // keepSafeCharacters
    std::string utf8;            // convertToUtf8
    std::string safeUtf8;        // both
};

TEST(EncodingTest, UrlEncodeWithEveryOptionCombination) {
    const UrlCase cases[] = {
        {"empty", "", "", "", "", ""},
        {"letters", "abc", "%61%62%63", "abc", "%61%62%63", "abc"},
        {"chinese", "图片1", "%CD%BC%C6%AC%31", "%CD%BC%C6%AC1", "%E5%9B%BE%E7%89%87%31", "%E5%9B%BE%E7%89%871"},
        {"unsafe ascii", " _~/", "%20%5F%7E%2F", "%20%5F%7E%2F", "%20%5F%7E%2F", "%20%5F%7E%2F"},
        {"base64 characters", "+/=", "%2B%2F%3D", "%2B%2F%3D", "%2B%2F%3D", "%2B%2F%3D"},
        {"safe characters", "-.09AZaz", "%2D%2E%30%39%41%5A%61%7A", "-.09AZaz", "%2D%2E%30%39%41%5A%61%7A",
         "-.09AZaz"},
        {"tab", "\t", "%09", "%09", "%09", "%09"},
        {"high byte", "\xFF", "%FF", "%FF", "%EF%BF%BD", "%EF%BF%BD"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(urlEncode(c.text), c.plain) << "case " << c.name;
        EXPECT_EQ(urlEncode(c.text, true), c.safe) << "case " << c.name;
        EXPECT_EQ(urlEncode(c.text, false, true), c.utf8) << "case " << c.name;
        EXPECT_EQ(urlEncode(c.text, true, true), c.safeUtf8) << "case " << c.name;
    }
}

TEST(EncodingTest, UrlEncodeMatchesTheReferenceOnRandomTexts) {
    std::mt19937 rng(20480004);
    for (std::size_t n = 0; n < 300; ++n) {
        const ByteArray bytes = randomBytes(rng, n + n / 7 * 31);
        const std::string text(bytes.begin(), bytes.end());
        ASSERT_EQ(urlEncode(text), referenceUrlEncode(text, false)) << "size " << text.size();
        ASSERT_EQ(urlEncode(text, true), referenceUrlEncode(text, true)) << "size " << text.size();
    }
}

TEST(EncodingTest, UrlEncodeOfAPictureInBase64) {
    std::mt19937 rng(7);
    const Text base64 = base64Encode(randomBytes(rng, 5119999));
    ASSERT_EQ(base64.size(), 6826668u);
    const Text encoded = urlEncode(base64);
    ASSERT_EQ(encoded.size(), 20480004u);
    EXPECT_EQ(encoded.find('+'), Text::npos);
    for (std::size_t i = 0; i < base64.size(); i += 99991) {
        EXPECT_EQ(encoded.substr(3 * i, 3), referenceUrlEncode(base64.substr(i, 1), false)) << "at " << i;
    }
    EXPECT_EQ(encoded.substr(encoded.size() - 6), referenceUrlEncode(base64.substr(base64.size() - 2), false));
}

struct Utf8Case {
    const char* name;
    std::string gbk;
    std::string utf8;
};

TEST(EncodingTest, GbkToUtf8) {
    const Utf8Case cases[] = {
        {"empty", "", ""},
        {"ascii unchanged", "abc 123", "abc 123"},
        {"one chinese character", "图", "\xE5\x9B\xBE"},
        {"mixed", "图片1", "\xE5\x9B\xBE\xE7\x89\x87\x31"},
        {"up to the first zero byte", std::string("a\0b", 3), "a"},
        {"invalid byte", "a\xFF", "a\xEF\xBF\xBD"},
    };
    for (const auto& c : cases) EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8) << "case " << c.name;
}

struct ToWideCase {
    const char* name;
    std::string text;
    int codePage;
    ByteArray wide;
};

TEST(EncodingTest, TextToWideIncludesTheZeroUnit) {
    const ToWideCase cases[] = {
        {"ascii from utf-8", "abc", 65001, {0x61, 0, 0x62, 0, 0x63, 0, 0, 0}},
        {"chinese from utf-8", "\xE5\x9B\xBE", 65001, {0xFE, 0x56, 0, 0}},
        {"chinese from gbk", "图片1", 936, {0xFE, 0x56, 0x47, 0x72, 0x31, 0, 0, 0}},
        {"empty", "", 936, {0, 0}},
        {"up to the first zero byte", std::string("a\0b", 3), 936, {0x61, 0, 0, 0}},
        {"invalid gbk byte", "a\xFF", 936, {0x61, 0, 0xFD, 0xFF, 0, 0}},
        {"invalid utf-8 bytes", "\xC0\xAF", 65001, {0xFD, 0xFF, 0xFD, 0xFF, 0, 0}},
        {"outside the basic plane", "\xF0\x9F\x98\x80", 65001, {0x3D, 0xD8, 0x00, 0xDE, 0, 0}},
        // More units in UTF-8 than the same bytes read as GBK would give: all of them still fit.
        {"gbk pairs read as utf-8", "\x81\x40\x81\x40", 65001, {0xFD, 0xFF, 0x40, 0, 0xFD, 0xFF, 0x40, 0, 0, 0}},
        // The array sized for the text in GBK stays all zero bytes.
        {"unsupported code page", "abc", 1252, ByteArray(8, 0)},
        {"unsupported code page, chinese", "图片", 1252, ByteArray(6, 0)},
        {"unsupported code page, empty", "", 1252, {0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(textToWide(c.text, c.codePage), c.wide) << "case " << c.name;
    EXPECT_EQ(textToWide("\xE5\x9B\xBE"), (ByteArray{0xFE, 0x56, 0, 0}));
}

struct FromWideCase {
    const char* name;
    ByteArray wide;
    int codePage;
    std::string text;
};

TEST(EncodingTest, WideToTextReadsUpToTheZeroUnit) {
    const ByteArray emoji = {0x3D, 0xD8, 0x00, 0xDE};
    ByteArray threeEmoji;
    for (int i = 0; i < 3; ++i) threeEmoji.insert(threeEmoji.end(), emoji.begin(), emoji.end());
    const FromWideCase cases[] = {
        {"to gbk", {0xFE, 0x56, 0x47, 0x72, 0x31, 0, 0, 0}, 936, "图片1"},
        {"to utf-8", {0xFE, 0x56, 0x47, 0x72, 0x31, 0, 0, 0}, 65001, "\xE5\x9B\xBE\xE7\x89\x87\x31"},
        {"without a zero unit", {0x61, 0, 0x62, 0}, 936, "ab"},
        {"up to the first zero unit", {0x61, 0, 0, 0, 0x62, 0}, 936, "a"},
        {"lone last byte", {0x61, 0, 0x62}, 936, "a"},
        {"empty", {}, 936, ""},
        {"no gbk form", {0x01, 0x0E, 0x61, 0}, 936, "\x81\x32\xCE\x39" "a"},
        {"pair without gbk form", {0x3D, 0xD8, 0x00, 0xDE, 0, 0}, 936, "\x94\x39\xFC\x36"},
        {"unpaired surrogate to gbk", {0x00, 0xD8, 0x61, 0}, 936, "?a"},
        {"unpaired surrogate to utf-8", {0x00, 0xD8, 0x61, 0}, 65001, "\xEF\xBF\xBD" "a"},
        // Four UTF-8 bytes for each pair, where GBK needs one.
        {"longer in utf-8 than in gbk", threeEmoji, 65001, "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"},
        // Twice the bytes the text needs in GBK, zero byte included, as spaces.
        {"unsupported code page", {0x61, 0, 0, 0}, 1252, "    "},
        {"unsupported code page, chinese", {0xFE, 0x56, 0x47, 0x72, 0, 0}, 1252, std::string(10, ' ')},
        {"unsupported code page, empty", {}, 0, "  "},
    };
    for (const auto& c : cases) EXPECT_EQ(wideToText(c.wide, c.codePage), c.text) << "case " << c.name;
    EXPECT_EQ(wideToText(ByteArray{0xFE, 0x56, 0, 0}), "图");
}

TEST(EncodingTest, ConversionsRoundTrip) {
    const std::string gbk = "图片1 abc，。　人脸对比";
    const std::string utf8 = gbkToUtf8(gbk);
    EXPECT_EQ(wideToText(textToWide(gbk, 936), 936), gbk);
    EXPECT_EQ(wideToText(textToWide(gbk, 936)), gbk);
    EXPECT_EQ(wideToText(textToWide(utf8), 65001), utf8);
    EXPECT_EQ(wideToText(textToWide(gbk, 936), 65001), utf8);
    EXPECT_EQ(wideToText(textToWide(utf8, 65001), 936), gbk);
    EXPECT_EQ(textToWide(gbk, 936).size(), 2 * (std::u16string(u"图片1 abc，。　人脸对比").size() + 1));

    // Characters GBK lacks travel in their four-byte form and come back whole.
    const std::string beyondGbk = reinterpret_cast<const char*>(u8"한국어 • ™ © 😀 𠀀 图");
    const Text text = wideToText(textToWide(beyondGbk, 65001), 936);
    EXPECT_EQ(text.size(), 4u * 8 + 2 + 6);
    EXPECT_EQ(gbkToUtf8(text), beyondGbk);
    EXPECT_EQ(wideToText(textToWide(text, 936), 65001), beyondGbk);
    EXPECT_EQ(textToWide(text, 936), textToWide(beyondGbk, 65001));
}

}  // namespace
}  // namespace vd
