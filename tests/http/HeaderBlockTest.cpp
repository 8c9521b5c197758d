#include "http/HeaderBlock.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "http/ResponseHeaderValues.h"

namespace vd {
namespace {

const std::string kStatus = "HTTP/1.1 200 OK\r\n";

TEST(HeaderBlockTest, HeadersAreFoundByNameAtALineStart) {
    struct Case {
        const char* name;
        std::string block;
        std::string sought;
        std::optional<std::string> value;
    };
    const Case cases[] = {
        {"plain", kStatus + "Server: x\r\n\r\n", "Server", " x"},
        {"letter case aside", kStatus + "sErVeR:x\r\n\r\n", "SERVER", "x"},
        {"first of several", kStatus + "A: 1\r\nA: 2\r\n\r\n", "A", " 1"},
        {"inside another name", kStatus + "X-Orig-Content-Length: 0\r\n\r\n", "Content-Length", std::nullopt},
        {"inside another name, then itself", kStatus + "X-Orig-Content-Length: 0\r\nContent-Length: 7\r\n\r\n",
         "Content-Length", " 7"},
        {"Content-Location is no Location", kStatus + "Content-Location: /a\r\n\r\n", "Location", std::nullopt},
        {"inside a value", kStatus + "X-Note: Location: /a\r\n\r\n", "Location", std::nullopt},
        {"a longer name", kStatus + "Locations: /a\r\n\r\n", "Location", std::nullopt},
        {"the status line is no header", "Location: /a\r\n\r\n", "Location", std::nullopt},
        {"empty value", kStatus + "A:\r\n\r\n", "A", ""},
        {"tab kept", kStatus + "A:\t5\r\n\r\n", "A", "\t5"},
        {"last line without a line end", kStatus + "A: 1", "A", " 1"},
        {"a bare LF does not end a line", kStatus + "X: 1\nA: 2\r\n\r\n", "A", std::nullopt},
        {"empty name", kStatus + ": 1\r\n\r\n", "", std::nullopt},
        {"GBK bytes in a value before", kStatus + "X: \xC4\xE3\r\nA: 1\r\n\r\n", "A", " 1"},
    };
    for (const Case& c : cases) {
        const std::optional<std::string_view> found = HeaderBlock(c.block).value(c.sought);
        ASSERT_EQ(found.has_value(), c.value.has_value()) << c.name;
        if (found) {
            EXPECT_EQ(std::string(*found), *c.value) << c.name;
        }
    }
}

TEST(HeaderBlockTest, EveryHeaderOfAName) {
    const std::string block = kStatus + "Set-Cookie: a=1\r\nX-Set-Cookie: no\r\nset-cookie:b=2; path=/\r\n\r\n";
    const std::vector<std::string_view> values = HeaderBlock(block).values("Set-Cookie");
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], " a=1");
    EXPECT_EQ(values[1], "b=2; path=/");
    EXPECT_TRUE(HeaderBlock(block).values("Cookie").empty());
}

TEST(ResponseHeaderValuesTest, ContentLengthLocationAndCookieItems) {
    struct LengthCase {
        const char* name;
        std::string block;
        int length;
    };
    const LengthCase lengths[] = {
        {"none", kStatus + "\r\n", -1},
        {"plain", kStatus + "Content-Length: 12\r\n\r\n", 12},
        {"tab after the colon", kStatus + "Content-Length:\t12\r\n\r\n", 12},
        {"no blank", kStatus + "content-length:3\r\n\r\n", 3},
        {"not inside another name", kStatus + "X-Orig-Content-Length: 0\r\nContent-Length: 5\r\n\r\n", 5},
        {"only inside another name", kStatus + "X-Orig-Content-Length: 0\r\n\r\n", -1},
        {"no digits", kStatus + "Content-Length: x\r\n\r\n", 0},
    };
    for (const LengthCase& c : lengths) EXPECT_EQ(announcedContentLength(c.block), c.length) << c.name;

    EXPECT_EQ(locationHeaderValue(kStatus + "Content-Location: /a\r\nLocation:  /b \r\n\r\n"), "/b");
    EXPECT_EQ(locationHeaderValue(kStatus + "Content-Location: /a\r\n\r\n"), "");

    struct CookieCase {
        const char* name;
        std::string block;
        std::vector<Text> items;
    };
    const CookieCase cookies[] = {
        {"item up to its first ;", kStatus + "Set-Cookie: sid=abc; path=/\r\n\r\n", {"sid=abc;"}},
        {"no ; ends at the line end", kStatus + "Set-Cookie: a=1\r\nX: y;\r\nSet-Cookie: b=2;\r\n\r\n", {"a=1;", "b=2;"}},
        {"full-width blank removed", kStatus + "Set-Cookie:\xA1\xA1 a=1;\r\n\r\n", {"a=1;"}},
        {"not inside another name", kStatus + "X-Set-Cookie: z=9;\r\n\r\n", {}},
    };
    for (const CookieCase& c : cookies) EXPECT_EQ(setCookieItems(c.block), c.items) << c.name;
}

TEST(ResponseHeaderValuesTest, CookieValueByNameIsReadFromTheRawText) {
    const std::string block = kStatus + "Set-Cookie: a=1\r\nX: y; z\r\nSet-Cookie:b=2; path=/\r\n\r\n";
    EXPECT_EQ(literalSetCookieValue(block, "a"), "1\r\nX: y");
    EXPECT_EQ(literalSetCookieValue(block, "b"), "2");
    EXPECT_EQ(literalSetCookieValue(block, "c"), "");
}

}  // namespace
}  // namespace vd
