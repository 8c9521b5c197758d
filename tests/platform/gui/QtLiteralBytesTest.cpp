#include <QString>
#include <gtest/gtest.h>

#include <string_view>

// Translation units that include Qt compile with another execution charset; their literal texts
// must still be the GBK bytes.
TEST(QtLiteralBytesTest, NarrowLiteralsAreGbk) {
    EXPECT_EQ(std::string_view("图片1"), std::string_view("\xCD\xBC\xC6\xAC\x31"));
    EXPECT_EQ(std::string_view("信息："), std::string_view("\xD0\xC5\xCF\xA2\xA3\xBA"));
    EXPECT_EQ(std::string_view("—"), std::string_view("\xA1\xAA"));
}
