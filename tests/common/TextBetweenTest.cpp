#include "common/TextBetween.h"

#include <gtest/gtest.h>

#include "common/Text.h"

namespace vd {
namespace {

TEST(TextBetween, Cases) {
    struct Case {
        const char* name;
        Text text;
        Text left;
        Text right;
        TextBetweenOptions options;
        Text expected;
    };
    const Text tokenReply = R"({"access_token":"24.abc-1","scope":"x"})";
    const Case cases[] = {
        {"between", "a[x]b", "[", "]", {}, "x"},
        {"markers included", "a[x]b", "[", "]", {.includeMarkers = true}, "[x]"},
        {"touching markers", "a[]b", "[", "]", {}, ""},
        {"touching markers included", "a[]b", "[", "]", {.includeMarkers = true}, "[]"},
        {"first left, next right", "[a][b]", "[", "]", {}, "a"},
        {"multi-byte markers", "<<x>>y>>", "<<", ">>", {}, "x"},
        {"token markers", tokenReply, "\"access_token\":\"", "\",\"", {}, "24.abc-1"},
        {"left missing", "a]b", "[", "]", {}, ""},
        {"left missing, whole text", "a]b", "[", "]", {.wholeTextIfMissing = true}, "a]b"},
        {"right missing", "a[b", "[", "]", {}, ""},
        {"right missing, whole text", "a[b", "[", "]", {.wholeTextIfMissing = true}, "a[b"},
        {"right only before left", "]x[", "[", "]", {}, ""},
        {"right only before left, whole text", "]x[", "[", "]", {.wholeTextIfMissing = true}, "]x["},
        {"empty text", "", "[", "]", {}, ""},
        {"empty text, whole text", "", "[", "]", {.wholeTextIfMissing = true}, ""},
        {"start position skips first", "[a][b]", "[", "]", {.startPosition = 2}, "b"},
        {"start position on the left marker", "[a][b]", "[", "]", {.startPosition = 4}, "b"},
        {"start position below 1 counts as 1", "[a][b]", "[", "]", {.startPosition = -5}, "a"},
        {"start position beyond the text", "[a][b]", "[", "]", {.startPosition = 7}, ""},
        {"start position beyond, whole text", "[a][b]", "[", "]", {.startPosition = 7, .wholeTextIfMissing = true},
         "[a][b]"},
        {"case differs, case-sensitive", "<A>x</a>", "<a>", "</A>", {}, ""},
        {"case differs, ignoring case", "<A>x</a>", "<a>", "</A>", {.ignoreCase = true}, "x"},
        {"case differs, ignoring case, included", "<A>x</a>", "<a>", "</A>", {.includeMarkers = true, .ignoreCase = true},
         "<A>x</a>"},
        // 0x81 0x5B is one GBK character: its second byte is not a left marker.
        {"marker byte inside a double-byte character", "\x81[x[y]", "[", "]", {}, "y"},
        {"GBK text between", "[图片]", "[", "]", {}, "图片"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(textBetween(c.text, c.left, c.right, c.options), c.expected) << "case " << c.name;
    }
}

}  // namespace
}  // namespace vd
