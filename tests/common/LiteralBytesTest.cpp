#include <gtest/gtest.h>

#include <string_view>

#include "tests/common/HeaderLiteral.h"

// The program's literal texts must be GBK bytes: a build without the charset flags fails here.
TEST(LiteralBytesTest, NarrowLiteralsAreGbk) {
    constexpr std::string_view picture = "图片1";
    ASSERT_EQ(picture.size(), 5u);
    EXPECT_EQ(picture, std::string_view("\xCD\xBC\xC6\xAC\x31"));
    EXPECT_EQ(std::string_view("人脸对比"), std::string_view("\xC8\xCB\xC1\xB3\xB6\xD4\xB1\xC8"));
    EXPECT_EQ(kHeaderLiteral, std::string_view("\xC8\xCB\xC1\xB3\xB6\xD4\xB1\xC8"));
}

TEST(LiteralBytesTest, Utf8LiteralsStayUtf8) {
    constexpr std::u8string_view picture = u8"图片1";
    EXPECT_EQ(picture.size(), 7u);
}
