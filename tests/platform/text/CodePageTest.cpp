#include "platform/text/CodePage.h"

#include <gtest/gtest.h>

#include <string>

namespace vd::platform {
namespace {

struct RoundTripCase {
    const char* name;
    std::string gbk;
    std::string utf8;
};

TEST(CodePageTest, GbkAndUtf8ConvertBothWays) {
    const RoundTripCase cases[] = {
        {"empty", "", ""},
        {"ascii", "abc 123", "abc 123"},
        {"chinese", "\xCD\xBC\xC6\xAC\x31", "\xE5\x9B\xBE\xE7\x89\x87\x31"},
        {"full-width space", "\xA1\xA1", "\xE3\x80\x80"},
        {"euro sign of code page 936", "\x80", "\xE2\x82\xAC"},
        {"trail byte 0x5C", "\x95\x5C", "\xE6\x98\x9E"},
        {"embedded zero", std::string("a\0b", 3), std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(gbkToUtf8Bytes(c.gbk), c.utf8) << c.name;
        EXPECT_EQ(utf8ToGbkBytes(c.utf8), c.gbk) << c.name;
    }
}

TEST(CodePageTest, WideFormsMatchTheCharacters) {
    EXPECT_EQ(decodeToWide("\xCD\xBC\xC6\xAC\x31", kCodePageGbk), u"\u56FE\u72471");
    EXPECT_EQ(decodeToWide("\xF0\x9F\x98\x80", kCodePageUtf8), u"\U0001F600");
    EXPECT_EQ(encodeFromWide(u"\u56FE\u72471", kCodePageGbk), "\xCD\xBC\xC6\xAC\x31");
    EXPECT_EQ(encodeFromWide(u"\U0001F600", kCodePageUtf8), "\xF0\x9F\x98\x80");
}

struct BadInputCase {
    const char* name;
    std::string input;
    int codePage;
    std::u16string wide;
};

TEST(CodePageTest, InvalidBytesBecomeOneReplacementEachAndTheRestSurvives) {
    const BadInputCase cases[] = {
        {"gbk lone lead byte at end", "ab\x81", kCodePageGbk, u"ab\uFFFD"},
        {"gbk invalid byte 0xFF", "a\xFF" "b", kCodePageGbk, u"a\uFFFDb"},
        {"utf8 stray continuation", "a\x80" "b", kCodePageUtf8, u"a\uFFFDb"},
        {"utf8 truncated sequence", "a\xE5\x9B", kCodePageUtf8, u"a\uFFFD\uFFFD"},
        {"utf8 overlong slash", "\xC0\xAF" "z", kCodePageUtf8, u"\uFFFD\uFFFDz"},
        {"utf8 encoded surrogate", "\xED\xA0\x80" "z", kCodePageUtf8, u"\uFFFD\uFFFD\uFFFDz"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodeToWide(c.input, c.codePage), c.wide) << c.name;
    }
}

// Characters GBK lacks take their four-byte GB18030 form, so nothing is lost on the way through.
TEST(CodePageTest, CharactersWithoutAGbkFormKeepTheirFourByteForm) {
    const RoundTripCase cases[] = {
        {"emoji", "a\x94\x39\xFC\x36" "b", "a\xF0\x9F\x98\x80" "b"},
        {"cjk extension b", "\x95\x32\x82\x36", "\xF0\xA0\x80\x80"},
        {"hangul", "\x83\x36\x84\x33\x82\x37\xF4\x30\x83\x32\xEB\x35", "\xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"},
        {"bullet, trade mark, copyright", "\x81\x36\xA6\x31\x81\x36\xBE\x34\x81\x30\x84\x38",
         "\xE2\x80\xA2\xE2\x84\xA2\xC2\xA9"},
        {"thai", "\x81\x32\xCE\x39", "\xE0\xB8\x81"},
        {"next to gbk characters", "\x94\x39\xFC\x36\xCD\xBC", "\xF0\x9F\x98\x80\xE5\x9B\xBE"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8ToGbkBytes(c.utf8), c.gbk) << c.name;
        EXPECT_EQ(gbkToUtf8Bytes(c.gbk), c.utf8) << c.name;
    }
    EXPECT_EQ(encodeFromWide(u"a\U0001F600b", kCodePageGbk), "a\x94\x39\xFC\x36" "b");
    EXPECT_EQ(decodeToWide("a\x94\x39\xFC\x36" "b", kCodePageGbk), u"a\U0001F600b");
    // What stands for bytes that could not be read stays the '?' it always was.
    EXPECT_EQ(encodeFromWide(u"x\uFFFDy", kCodePageGbk), "x?y");
    EXPECT_EQ(utf8ToGbkBytes("x\xFFy"), "x?y");
}

// Every character of code page 936 keeps exactly its bytes, the euro sign at 0x80 included.
TEST(CodePageTest, EveryGbkCharacterKeepsItsBytes) {
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string gbk = {static_cast<char>(lead), static_cast<char>(trail)};
            const std::u16string wide = decodeToWide(gbk, kCodePageGbk);
            // A2 E3 is GB18030's own form of the euro sign, which code page 936 writes as 0x80.
            if (wide == u"\uFFFD\uFFFD" || wide.size() != 1 || gbk == "\xA2\xE3") continue;
            ++characters;
            EXPECT_EQ(encodeFromWide(wide, kCodePageGbk), gbk) << std::hex << lead << trail;
        }
    }
    EXPECT_GT(characters, 21000);
    EXPECT_EQ(decodeToWide("\x80", kCodePageGbk), u"\u20AC");
    EXPECT_EQ(encodeFromWide(u"\u20AC", kCodePageGbk), "\x80");
}

TEST(CodePageTest, UnpairedSurrogatesAreReplacedNotDropped) {
    const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(encodeFromWide(lone, kCodePageGbk), "a?b?");
    EXPECT_EQ(encodeFromWide(lone, kCodePageUtf8), "a\xEF\xBF\xBD" "b\xEF\xBF\xBD");
}

TEST(CodePageTest, UnsupportedCodePageGivesEmptyResult) {
    EXPECT_FALSE(isSupportedCodePage(1252));
    EXPECT_TRUE(decodeToWide("abc", 1252).empty());
    EXPECT_TRUE(encodeFromWide(u"abc", 1252).empty());
}

TEST(CodePageTest, LargeTextConvertsWhole) {
    std::string gbk;
    for (int i = 0; i < 100000; ++i) gbk += "\xCD\xBC" "a";
    const std::string utf8 = gbkToUtf8Bytes(gbk);
    EXPECT_EQ(utf8.size(), 400000u);
    EXPECT_EQ(utf8ToGbkBytes(utf8), gbk);
}

}  // namespace
}  // namespace vd::platform
