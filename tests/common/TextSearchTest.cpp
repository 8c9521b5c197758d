#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace vd {
namespace {

struct FindCase {
    const char* name;
    std::string text;
    std::string sought;
    int start;
    bool ignoreCase;
    int expected;
};

TEST(TextSearchTest, FindTextFollowsStartBoundsAndCharacters) {
    const FindCase cases[] = {
        {"first occurrence", "abcabc", "bc", 1, false, 2},
        {"at or after the start", "abcabc", "bc", 3, false, 5},
        {"match exactly at the start", "abcabc", "bc", 5, false, 5},
        {"start below 1 counts as 1", "abc", "a", -5, false, 1},
        {"start at the last byte", "abc", "c", 3, false, 3},
        {"start beyond the last byte", "abc", "c", 4, false, -1},
        {"not found", "abc", "d", 1, false, -1},
        {"sought longer than the rest", "abc", "bcd", 2, false, -1},
        {"empty text", "", "a", 1, false, -1},
        {"empty sought gives 1", "abc", "", 2, false, 1},
        {"empty sought past the end", "abc", "", 4, false, -1},
        {"empty sought in empty text", "", "", 1, false, -1},
        {"trail byte 0x5C is no backslash", "\x95\x5C\\", "\\", 1, false, 3},
        {"only a trail byte 0x5C", "\x95\x5C", "\\", 1, false, -1},
        {"trail byte letter", "\xB0\x41" "A", "A", 1, false, 3},
        {"double-byte sought", "a图片b", "片", 1, false, 4},
        {"no match on a second byte", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 1, false, -1},
        {"A1 A1 as a whole character", "\xB0\xA1\xA1\xA1\xA1", "\xA1\xA1", 1, false, 3},
        {"match after a rejected candidate", "\xB0\xA1\xA1\xB0\xA1\xA1", "\xA1\xA1", 1, false, 5},
        {"characters counted from the start", "\xB0\xA1\xA1\xB0", "\xA1\xA1", 2, false, 2},
        {"letter after a run of lead bytes", "\xB0\xB0\xB0\xB0" "a", "a", 1, false, 5},
        {"trail after an odd run of lead bytes", "\xB0\xB0\xB0" "a", "a", 1, false, -1},
        {"ignoring case", "xABc", "abC", 1, true, 2},
        {"respecting case", "xABc", "abC", 1, false, -1},
        {"ignoring case from the start", "aBab", "AB", 2, true, 3},
        {"ignoring case keeps trail bytes", "\x81\x41", "\x81\x61", 1, true, -1},
        {"ignoring case matches double-byte", "\x81\x41Q", "\x81\x41q", 1, true, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findText(c.text, c.sought, c.start, c.ignoreCase), c.expected) << "case " << c.name;
    }
}

struct ReverseCase {
    const char* name;
    std::string text;
    std::string sought;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
};

TEST(TextSearchTest, FindTextReverseFindsTheLastOccurrenceEndingBeforeTheStart) {
    const ReverseCase cases[] = {
        {"whole text", "abcabc", "bc", std::nullopt, false, 5},
        {"occurrence ending at the start is not before it", "abcabc", "bc", 6, false, 2},
        {"occurrence ending just before the start", "abcabc", "bc", 7, false, 5},
        {"start beyond the text counts as none", "abcabc", "bc", 100, false, 5},
        {"start of 1", "abcabc", "a", 1, false, -1},
        {"start below 1", "abcabc", "a", -3, false, -1},
        {"start 2 sees the first byte", "abcabc", "a", 2, false, 1},
        {"not found", "abcabc", "x", std::nullopt, false, -1},
        {"empty sought", "abc", "", std::nullopt, false, -1},
        {"empty text", "", "a", std::nullopt, false, -1},
        {"overlapping occurrences", "aaa", "aa", std::nullopt, false, 2},
        {"trail byte 0x5C is no backslash", "\\\x95\x5C", "\\", std::nullopt, false, 1},
        {"second byte skipped", "\xA1\xA1\xB0\xA1\xA1", "\xA1\xA1", std::nullopt, false, 1},
        {"ignoring case", "ABcab", "AB", std::nullopt, true, 4},
        {"respecting case", "ABcab", "AB", std::nullopt, false, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(findTextReverse(c.text, c.sought, c.start, c.ignoreCase), c.expected) << "case " << c.name;
    }
}

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string sought;
    std::string replacement;
    int start;
    std::optional<int> count;
    bool caseSensitive;
    std::string expected;
};

TEST(TextSearchTest, ReplaceSubtextReplacesLeftToRightWithoutOverlaps) {
    const ReplaceCase cases[] = {
        {"all", "a,b,c", ",", ";", 1, std::nullopt, true, "a;b;c"},
        {"from the start", "a,b,c", ",", ";", 3, std::nullopt, true, "a,b;c"},
        {"start below 1", "a,b,c", ",", ";", -2, std::nullopt, true, "a;b;c"},
        {"at most count", "a,b,c", ",", ";", 1, 1, true, "a;b,c"},
        {"count 0", "a,b,c", ",", ";", 1, 0, true, "a,b,c"},
        {"negative count", "a,b,c", ",", ";", 1, -1, true, "a,b,c"},
        {"start beyond the text", "a,b,c", ",", ";", 6, std::nullopt, true, "a,b,c"},
        {"empty sought", "a,b,c", "", ";", 1, std::nullopt, true, "a,b,c"},
        {"empty text", "", ",", ";", 1, std::nullopt, true, ""},
        {"removal", "a-b-c", "-", "", 1, std::nullopt, true, "abc"},
        {"growing", "abc", "b", "XYZ", 1, std::nullopt, true, "aXYZc"},
        {"no overlaps", "aaaa", "aa", "b", 1, std::nullopt, true, "bb"},
        {"no overlaps, odd", "aaa", "aa", "b", 1, std::nullopt, true, "ba"},
        {"ignoring case", "Abab", "AB", "x", 1, std::nullopt, false, "xx"},
        {"respecting case", "Abab", "AB", "x", 1, std::nullopt, true, "Abab"},
        {"trail byte 0x5C kept", "\x95\x5C\\", "\\", "/", 1, std::nullopt, true, "\x95\x5C/"},
        {"double-byte sought", "图片图片", "片", "P", 1, std::nullopt, true, "图P图P"},
        {"none found", "abc", "x", "y", 1, std::nullopt, true, "abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replaceSubtext(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive), c.expected)
            << "case " << c.name;
    }
}

TEST(TextSearchTest, ReplaceSubtextDefaultsRemoveEveryOccurrence) {
    EXPECT_EQ(replaceSubtext("a b c", " "), "abc");
}

struct SplitCase {
    const char* name;
    std::string text;
    std::string separator;
    std::optional<int> maxPieces;
    std::vector<std::string> expected;
};

TEST(TextSearchTest, SplitTextFollowsPieceRules) {
    const SplitCase cases[] = {
        {"pieces", "a,b,c", ",", std::nullopt, {"a", "b", "c"}},
        {"adjacent separators", "a,,b", ",", std::nullopt, {"a", "", "b"}},
        {"leading separator", ",a", ",", std::nullopt, {"", "a"}},
        {"separator at the end", "a,b,", ",", std::nullopt, {"a", "b"}},
        {"only a separator", ",", ",", std::nullopt, {""}},
        {"no separator", "abc", ",", std::nullopt, {"abc"}},
        {"empty text", "", ",", std::nullopt, {}},
        {"maximum", "a,b,c", ",", 2, {"a", "b"}},
        {"maximum above the count", "a,b,c", ",", 9, {"a", "b", "c"}},
        {"maximum 0", "a,b,c", ",", 0, {}},
        {"negative maximum", "a,b,c", ",", -1, {}},
        {"empty separator", "a,b", "", std::nullopt, {"a,b"}},
        {"long separator", "a||b|c", "||", std::nullopt, {"a", "b|c"}},
        {"trail byte 0x5C is no separator", "\x95\x5C\\x", "\\", std::nullopt, {"\x95\x5C", "x"}},
        {"full-width comma", "甲，乙", "，", std::nullopt, {"甲", "乙"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(splitText(c.text, c.separator, c.maxPieces), c.expected) << "case " << c.name;
    }
    EXPECT_EQ(splitText("x,y"), (std::vector<std::string>{"x", "y"}));
}

// Reference forms: a plain loop that steps one character at a time. A character GBK lacks is
// held in its four-byte form: lead (81..FE), digit, lead, digit.
bool isLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

bool isQuadHalfAt(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) >= 0x81 &&
           static_cast<unsigned char>(text[i]) <= 0xFE && text[i + 1] >= '0' && text[i + 1] <= '9';
}

std::size_t step(std::string_view text, std::size_t i) {
    if (isQuadHalfAt(text, i) && isQuadHalfAt(text, i + 2)) return 4;
    return isLead(text[i]) ? 2 : 1;
}

std::string foldReference(std::string_view s) {
    std::string out(s);
    for (std::size_t i = 0; i < out.size(); i += step(out, i)) {
        if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
    }
    return out;
}

bool matchesAt(std::string_view text, std::size_t i, std::string_view sought, bool ignoreCase) {
    if (i + sought.size() > text.size()) return false;
    const std::string_view part = text.substr(i, sought.size());
    return ignoreCase ? foldReference(part) == foldReference(sought) : part == sought;
}

int findReference(std::string_view text, std::string_view sought, int start, bool ignoreCase) {
    if (start < 1) start = 1;
    if (static_cast<std::size_t>(start) > text.size()) return -1;
    if (sought.empty()) return 1;
    for (std::size_t i = static_cast<std::size_t>(start) - 1; i < text.size(); i += step(text, i)) {
        if (matchesAt(text, i, sought, ignoreCase)) return static_cast<int>(i) + 1;
    }
    return -1;
}

int reverseReference(std::string_view text, std::string_view sought, std::optional<int> start, bool ignoreCase) {
    if (sought.empty() || (start && *start <= 1)) return -1;
    std::size_t end = text.size();
    if (start && static_cast<std::size_t>(*start) <= text.size()) end = static_cast<std::size_t>(*start) - 1;
    int last = -1;
    for (std::size_t i = 0; i < text.size(); i += step(text, i)) {
        if (i + sought.size() <= end && matchesAt(text, i, sought, ignoreCase)) last = static_cast<int>(i) + 1;
    }
    return last;
}

std::string replaceReference(std::string_view text, std::string_view sought, std::string_view replacement, int start,
                             int count, bool ignoreCase) {
    if (start < 1) start = 1;
    if (text.empty() || sought.empty() || static_cast<std::size_t>(start) > text.size()) return std::string(text);
    std::size_t i = static_cast<std::size_t>(start) - 1;
    std::string out(text.substr(0, i));
    while (i < text.size()) {
        if (count > 0 && matchesAt(text, i, sought, ignoreCase)) {
            out += replacement;
            i += sought.size();
            --count;
        } else {
            const std::size_t size = step(text, i);
            out += text.substr(i, size);
            i += size;
        }
    }
    return out;
}

std::vector<std::string> splitReference(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    std::size_t pieceStart = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (matchesAt(text, i, separator, false)) {
            pieces.emplace_back(text.substr(pieceStart, i - pieceStart));
            i += separator.size();
            pieceStart = i;
        } else {
            i += step(text, i);
        }
    }
    if (pieceStart < text.size()) pieces.emplace_back(text.substr(pieceStart));
    return pieces;
}

// Texts from a few bytes that make lead/trail ambiguity likely, checked against the stepping loops.
void checkRandomTexts(std::string_view alphabet, unsigned seed) {
    std::mt19937 rng(seed);
    auto randomText = [&](std::size_t maxLength, std::size_t minLength) {
        std::string s(std::uniform_int_distribution<std::size_t>(minLength, maxLength)(rng), ' ');
        for (char& ch : s) ch = alphabet[std::uniform_int_distribution<std::size_t>(0, alphabet.size() - 1)(rng)];
        return s;
    };
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(24, 0);
        const std::string sought = randomText(3, 1);
        const std::string replacement = randomText(4, 0);
        const int start = std::uniform_int_distribution<int>(-1, static_cast<int>(text.size()) + 2)(rng);
        const int count = std::uniform_int_distribution<int>(1, 4)(rng);
        const bool ignoreCase = round % 2 == 1;
        const std::string what = "text '" + text + "' sought '" + sought + "' start " + std::to_string(start);
        ASSERT_EQ(findText(text, sought, start, ignoreCase), findReference(text, sought, start, ignoreCase)) << what;
        ASSERT_EQ(findTextReverse(text, sought, start, ignoreCase), reverseReference(text, sought, start, ignoreCase))
            << what;
        ASSERT_EQ(findTextReverse(text, sought, std::nullopt, ignoreCase),
                  reverseReference(text, sought, std::nullopt, ignoreCase))
            << what;
        ASSERT_EQ(replaceSubtext(text, sought, replacement, start, count, !ignoreCase),
                  replaceReference(text, sought, replacement, start, count, ignoreCase))
            << what;
        ASSERT_EQ(splitText(text, sought), splitReference(text, sought)) << what;
    }
}

TEST(TextSearchTest, SearchesAgreeWithCharacterSteppingOnRandomTexts) {
    checkRandomTexts("aA\\\xB0\xA1\x81", 20261211);
}

// Four-byte forms among double-byte characters: halves that look like characters of their own.
TEST(TextSearchTest, SearchesAgreeWithCharacterSteppingOnTextsWithFourByteForms) {
    checkRandomTexts("aA19" "\xFE" "\x81" "\\", 20261212);
}

// Characters GBK lacks in their four-byte form: 😀 94 39 FC 36, 𠀀 95 32 82 36, 한 83 36 84 33.
// The tail of one and the head of the next form the four bytes of another such character.
TEST(TextSearchTest, NoMatchInsideAFourByteForm) {
    const std::string emoji = "\x94\x39\xFC\x36";
    const std::string extB = "\x95\x32\x82\x36";
    const std::string hangul = "\x83\x36\x84\x33";
    const std::string straddling = "\xFC\x36\x95\x32";  // emoji's tail and extB's head
    const std::string text = "a" + emoji + extB + "图" + hangul + "b";
    const FindCase finds[] = {
        {"straddling form", text, straddling, 1, false, -1},
        {"second half", text, "\xFC\x36", 1, false, -1},
        {"second half ignoring case", text, "\xFC\x36", 1, true, -1},
        {"digit inside", text, "9", 1, false, -1},
        {"whole form", text, extB, 1, false, 6},
        {"whole form from its own start", text, extB, 6, false, 6},
        {"gbk character after forms", text, "图", 1, false, 10},
        {"form after a gbk character", text, hangul, 1, false, 12},
        {"ascii after forms", text, "b", 1, false, 16},
        {"start on a second half counts from there", text, straddling, 4, false, 4},
    };
    for (const auto& c : finds) {
        EXPECT_EQ(findText(c.text, c.sought, c.start, c.ignoreCase), c.expected) << "case " << c.name;
    }
    EXPECT_EQ(findTextReverse(text, straddling), -1);
    EXPECT_EQ(findTextReverse(text, "\x84\x33"), -1);
    EXPECT_EQ(findTextReverse(text, extB), 6);
    EXPECT_EQ(replaceSubtext(text, straddling, "X"), text);
    EXPECT_EQ(replaceSubtext(text, extB, "X"), "a" + emoji + "X图" + hangul + "b");
    EXPECT_EQ(replaceSubtext(emoji + emoji + emoji, "\x39\xFC"), emoji + emoji + emoji);
    EXPECT_EQ(splitText(text, straddling), (std::vector<std::string>{text}));
    EXPECT_EQ(splitText(text, "\xFC\x36"), (std::vector<std::string>{text}));
    EXPECT_EQ(splitText(emoji + "," + extB + "," + hangul), (std::vector<std::string>{emoji, extB, hangul}));
    EXPECT_EQ(splitText(text, "图"), (std::vector<std::string>{"a" + emoji + extB, hangul + "b"}));
    EXPECT_EQ(trimBoth(" " + emoji + "\xA1\xA1"), emoji);
    EXPECT_EQ(toUpperCase("a" + emoji + "b"), "A" + emoji + "B");
}

TEST(TextSearchTest, LargeTextWithOneReplacement) {
    std::string text;
    for (int i = 0; i < 800000; ++i) text += i % 2 ? "图片" "ab" "\x95\x5C" : "0123456789";
    text += "\\end";
    const std::size_t size = text.size();
    ASSERT_GT(size, 7000000u);
    EXPECT_EQ(findText(text, "\\"), static_cast<int>(size) - 3);
    EXPECT_EQ(findTextReverse(text, "\\"), static_cast<int>(size) - 3);
    const Text replaced = replaceSubtext(text, "\\end", "/END!");
    ASSERT_EQ(replaced.size(), size + 1);
    EXPECT_EQ(replaced.compare(0, size - 4, text, 0, size - 4), 0);
    EXPECT_EQ(replaced.substr(size - 4), "/END!");
}

}  // namespace
}  // namespace vd
