#include "common/ByteArrays.h"
#include "common/TextCut.h"
#include "common/TextTrimAndCase.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

TEST(TextCutTest, LengthCountsBytes) {
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength("图片1"), 5);
}

struct CutCase {
    const char* name;
    std::string text;
    int start;  // unused by leftOfText / rightOfText
    int count;
    std::string left;
    std::string right;
    std::string middle;
};

TEST(TextCutTest, LeftRightAndMiddleCountPlainBytes) {
    const CutCase cases[] = {
        {"inside", "abcdef", 2, 3, "abc", "def", "bcd"},
        {"count beyond the text", "abc", 2, 10, "abc", "abc", "bc"},
        {"count 0", "abc", 1, 0, "", "", ""},
        {"negative count", "abc", 1, -2, "", "", ""},
        {"start below 1", "abc", 0, 2, "ab", "bc", ""},
        {"start beyond the end", "abc", 4, 2, "ab", "bc", ""},
        {"start at the last byte", "abc", 3, 2, "ab", "bc", "c"},
        {"empty text", "", 1, 3, "", "", ""},
        {"half a character", "图片", 2, 1, "\xCD", "\xAC", "\xBC"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(leftOfText(c.text, c.count), c.left) << "case " << c.name;
        EXPECT_EQ(rightOfText(c.text, c.count), c.right) << "case " << c.name;
        EXPECT_EQ(middleOfText(c.text, c.start, c.count), c.middle) << "case " << c.name;
    }
}

struct ReplaceAtCase {
    const char* name;
    std::string text;
    int start;
    int count;
    std::string replacement;
    std::string expected;
};

TEST(TextCutTest, ReplaceTextAtClampsStartAndCount) {
    const ReplaceAtCase cases[] = {
        {"inside", "abcdef", 2, 3, "XY", "aXYef"},
        {"start below 1", "abc", 0, 1, "X", "Xbc"},
        {"start beyond the end appends", "abc", 10, 2, "X", "abcX"},
        {"count 0 inserts", "abc", 2, 0, "X", "aXbc"},
        {"negative count inserts", "abc", 2, -5, "X", "aXbc"},
        {"count beyond the end", "abc", 2, 10, "X", "aX"},
        {"removal only", "abc", 2, 1, "", "ac"},
        {"empty text", "", 1, 1, "X", "X"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replaceTextAt(c.text, c.start, c.count, c.replacement), c.expected) << "case " << c.name;
    }
    EXPECT_EQ(replaceTextAt("abc", 1, 1), "bc");
}

struct TrimCase {
    const char* name;
    std::string text;
    std::string start;
    std::string both;
};

TEST(TextCutTest, TrimsRemoveAsciiAndFullWidthSpacesOnly) {
    const TrimCase cases[] = {
        {"ascii spaces", "  a b  ", "a b  ", "a b"},
        {"full-width spaces", "　a　", "a　", "a"},
        {"mixed", " 　 a 　", "a 　", "a"},
        {"tabs and line breaks stay", "\ta\n ", "\ta\n ", "\ta\n"},
        {"only spaces", "  　 ", "", ""},
        {"empty", "", "", ""},
        {"A1 A1 across two characters", "\xB0\xA1\xA1", "\xB0\xA1\xA1", "\xB0\xA1\xA1"},
        {"A1 A1 after a character", "\xB0\xA1\xA1\xA1", "\xB0\xA1\xA1\xA1", "\xB0\xA1"},
        {"0x20 as a trail byte", "\xB0\x20", "\xB0\x20", "\xB0\x20"},
        {"lone A1 at the end", "x\xA1", "x\xA1", "x\xA1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trimStart(c.text), c.start) << "case " << c.name;
        EXPECT_EQ(trimBoth(c.text), c.both) << "case " << c.name;
    }
}

struct CaseChangeCase {
    const char* name;
    std::string text;
    std::string upper;
    std::string lower;
};

TEST(TextCutTest, CaseChangesOnlySingleByteAsciiLetters) {
    const CaseChangeCase cases[] = {
        {"letters", "aBc1z@[", "ABC1Z@[", "abc1z@["},
        {"chinese untouched", "图x", "图X", "图x"},
        {"trail byte letters untouched", "\x81\x61z\x81\x41Z", "\x81\x61Z\x81\x41Z", "\x81\x61z\x81\x41z"},
        {"lone lead byte at the end", "a\x81", "A\x81", "a\x81"},
        {"empty", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toUpperCase(c.text), c.upper) << "case " << c.name;
        EXPECT_EQ(toLowerCase(c.text), c.lower) << "case " << c.name;
    }
}

TEST(TextCutTest, CharactersAndCodes) {
    struct FromCode {
        int code;
        std::string expected;
    };
    const FromCode fromCodes[] = {{65, "A"}, {0xB0, "\xB0"}, {-80, "\xB0"}, {0, ""}, {0x141, "A"}};
    for (const auto& c : fromCodes) EXPECT_EQ(charFromCode(c.code), c.expected) << "code " << c.code;

    struct CodeAt {
        std::string text;
        int position;
        int expected;
    };
    const CodeAt codes[] = {{"\xB0x", 1, -80}, {"Ab", 2, 98}, {"A", 0, 0}, {"A", 2, 0}, {"", 1, 0}, {"\x7F", 1, 127}};
    for (const auto& c : codes) {
        EXPECT_EQ(charCode(c.text, c.position), c.expected) << "text '" << c.text << "' at " << c.position;
    }
    EXPECT_EQ(charCode("Q"), 81);
}

TEST(TextCutTest, BlanksAndByteArrays) {
    EXPECT_EQ(blankText(3), "   ");
    EXPECT_EQ(blankText(0), "");
    EXPECT_EQ(blankText(-1), "");
    EXPECT_EQ(blankBytes(2), (ByteArray{0, 0}));
    EXPECT_TRUE(blankBytes(0).empty());
    EXPECT_EQ(textToBytes("a图"), (ByteArray{0x61, 0xCD, 0xBC}));
    EXPECT_TRUE(textToBytes("").empty());
    EXPECT_EQ(bytesToText(ByteArray{0x61, 0x00, 0x62}), "a");
    EXPECT_EQ(bytesToText(ByteArray{0x61, 0x62}), "ab");
    EXPECT_EQ(bytesToText(ByteArray{}), "");
    EXPECT_EQ(bytesToText(ByteArray{0x00, 0x62}), "");
    EXPECT_EQ(bytesLength(ByteArray{1, 2, 3}), 3);
    EXPECT_EQ(bytesLength(ByteArray{}), 0);
}

}  // namespace
}  // namespace vd
