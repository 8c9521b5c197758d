#include "common/Numbers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <string>

namespace vd {
namespace {

struct TextToIntegerCase {
    const char* name;
    std::string text;
    int expected;
};

TEST(NumbersTest, TextToIntegerReadsLeadingDigitsAfterFullWidthForms) {
    const TextToIntegerCase cases[] = {
        {"full-width digits and fraction", "９６.5", 96},
        {"half-width fraction", "96.5", 96},
        {"white space, sign, trailing letters", "  -12abc", -12},
        {"empty", "", 0},
        {"no digits", "abc", 0},
        {"plus sign", "+7", 7},
        {"space between sign and digits", "- 5", 0},
        {"full-width space and digits", "　４２", 42},
        {"full-width minus", "－５", -5},
        {"full-width digits mixed", "１2３", 123},
        {"tabs and line breaks", "\t\n 3", 3},
        {"chinese stops the digits", "12图3", 12},
        {"int maximum", "2147483647", INT_MAX},
        {"above the int range", "2147483648", INT_MAX},
        {"int minimum", "-2147483648", INT_MIN},
        {"below the int range", "-99999999999999999999", INT_MIN},
        {"lone lead byte", "\xA3", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(textToInteger(c.text), c.expected) << "case " << c.name;
    }
}

TEST(NumbersTest, NumberToIntegerCutsTowardZero) {
    const struct {
        double number;
        int expected;
    } cases[] = {{96.5, 96}, {-96.9, -96}, {0.0, 0}, {NAN, 0}, {1e20, INT_MAX}, {-1e20, INT_MIN}};
    for (const auto& c : cases) EXPECT_EQ(textToInteger(c.number), c.expected) << "number " << c.number;
}

TEST(NumbersTest, NumbersAsText) {
    const struct {
        double number;
        const char* expected;
    } doubles[] = {
        {0.5, "0.5"},           {1.0, "1"},          {1.0 / 3, "0.3333333333333"}, {1e13, "1e+13"},
        {1e12, "1000000000000"}, {0.0001, "0.0001"}, {0.00001, "1e-05"},           {-2.5, "-2.5"},
        {123.456, "123.456"},   {0.0, "0"},
    };
    for (const auto& c : doubles) EXPECT_EQ(numberToText(c.number), c.expected) << "number " << c.expected;
    EXPECT_EQ(numberToText(42), "42");
    EXPECT_EQ(numberToText(-7), "-7");
    EXPECT_EQ(numberToText(INT_MIN), "-2147483648");
    EXPECT_EQ(numberToText(1LL << 40), "1099511627776");
}

TEST(NumbersTest, HexText) {
    const struct {
        long long number;
        const char* expected;
    } cases[] = {
        {0, "0"},           {255, "FF"},         {-1, "FFFFFFFF"},          {INT_MIN, "80000000"},
        {0x1234ABCD, "1234ABCD"}, {-256, "FFFFFF00"}, {1LL << 32, "100000000"},
    };
    for (const auto& c : cases) EXPECT_EQ(hexText(c.number), c.expected) << "number " << c.number;
}

TEST(NumbersTest, FloorToInteger) {
    const struct {
        double number;
        long long expected;
    } cases[] = {
        {2.9999999999999, 3},  {2.99999999999, 2}, {2.5, 2},  {-2.5, -3}, {-2.9999999999999, -3},
        {0.9999999999999, 1},  {5.0, 5},           {0.0, 0},  {-0.5, -1}, {NAN, 0},
        {1e300, LLONG_MAX},    {-1e300, LLONG_MIN},
    };
    for (const auto& c : cases) EXPECT_EQ(floorToInteger(c.number), c.expected) << "number " << c.number;
}

}  // namespace
}  // namespace vd
