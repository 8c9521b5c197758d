#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "json/JsonParser.h"
#include "json/JsonPath.h"
#include "json/JsonSerializer.h"
#include "json/NumberText.h"

namespace vd {
namespace {

std::string utf8(std::u8string_view text) { return std::string(text.begin(), text.end()); }

constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

TEST(JsonNumberText, NumberToStringForms) {
    struct Row {
        double value;
        const char* expected;
    } rows[] = {
        {97.02147674560547, "97.02147674560547"},
        {80.0, "80"},
        {1e21, "1e+21"},
        {1e20, "100000000000000000000"},
        {123456789012345680000.0, "123456789012345680000"},
        {1e-7, "1e-7"},
        {1.5e-7, "1.5e-7"},
        {0.000001, "0.000001"},
        {0.30000000000000004, "0.30000000000000004"},
        {0.1, "0.1"},
        {-2.5, "-2.5"},
        {-0.0, "0"},
        {0.0, "0"},
        {5e-324, "5e-324"},
        {1.7976931348623157e308, "1.7976931348623157e+308"},
        {1345050766031247171.0, "1345050766031247000"},
        {123e-20, "1.23e-18"},
        {kNaN, "NaN"},
        {kInfinity, "Infinity"},
        {-kInfinity, "-Infinity"},
    };
    for (const Row& row : rows) EXPECT_EQ(ecmaNumberToString(row.value), row.expected) << "value " << row.expected;
}

TEST(JsonNumberText, ThirteenDigitForm) {
    struct Row {
        double value;
        const char* expected;
    } rows[] = {
        {97.02147674560547, "97.02147674561"}, {0.30000000000000004, "0.3"}, {99.99999999999999, "100"},
        {97.5, "97.5"},        {1e13, "1e+13"},           {1234567890123.0, "1234567890123"},
        {0.0001, "0.0001"},    {0.00001, "1e-05"},        {-1.5, "-1.5"},
    };
    for (const Row& row : rows) EXPECT_EQ(formatNumber13g(row.value), row.expected) << "value " << row.expected;
}

TEST(JsonNumberText, StringToNumber) {
    struct Row {
        const char* text;
        double expected;
    } rows[] = {
        {"", 0},          {"  ", 0},        {"12", 12},          {" 12 \n", 12},       {"-1.5e3", -1500},
        {"+.5", 0.5},     {"5.", 5},        {"0x1F", 31},        {"Infinity", kInfinity}, {"-Infinity", -kInfinity},
        {"1e400", kInfinity}, {"1e-400", 0}, {"12px", kNaN},      {"abc", kNaN},        {"1,2", kNaN},
        {"e5", kNaN},     {"0x", kNaN},      {"- 1", kNaN},
    };
    for (const Row& row : rows) {
        const double value = ecmaStringToNumber(row.text);
        if (std::isnan(row.expected)) {
            EXPECT_TRUE(std::isnan(value)) << "text '" << row.text << "'";
        } else {
            EXPECT_EQ(value, row.expected) << "text '" << row.text << "'";
        }
    }
}

// Every form ToNumber accepts, converted with correct rounding; anything else is NaN.
TEST(JsonNumberText, StringToNumberFollowsTheNumericLiteralGrammar) {
    const std::string tinyText = "0." + std::string(400, '0') + "1";
    const std::string hugeText = "1" + std::string(400, '0') + "e-5";
    const std::string longOne = "1." + std::string(5000, '0') + "1";
    struct Row {
        std::string text;
        double expected;
    } rows[] = {
        {tinyText, 0},
        {"-" + tinyText, -0.0},
        {hugeText, kInfinity},
        {"1" + std::string(400, '0') + "e-390", 1e10},
        {"0." + std::string(300, '0') + "1e310", 1e9},
        {longOne, 1},
        {"1e99999999999999999999", kInfinity},
        {"1e-99999999999999999999", 0},
        {"0e99999999999999999999", 0},
        {"2.2250738585072011e-308", 2.2250738585072011e-308},
        {"4.9e-324", 5e-324},
        {"2.4703282292062328e-324", 5e-324},
        {"2.4703282292062327e-324", 0},
        {"9007199254740993", 9007199254740992.0},
        {"9007199254740995", 9007199254740996.0},
        {"0x20000000000001", 9007199254740992.0},
        {"0x20000000000003", 9007199254740996.0},
        // Above 2^53 the value is rounded once, not digit by digit.
        {"0xe1988adf06c144a", 1015993471593092224.0},
        {"0Xb9d179e06c0fd4f5", 13389617171941808128.0},
        {"0x8a233138131c541013d", 40770984830269367779328.0},
        {"0x" + std::string(300, 'f'), kInfinity},
        {"0b101", 5},
        {"0B11", 3},
        {"0o17", 15},
        {"0O777", 511},
        {"0b" + std::string(53, '1') + "1", 18014398509481984.0},
        {"0o1000000000000000001", 18014398509481984.0},
        {"-0", -0.0},
        {"+0", 0},
        {utf8(u8"\t\r\n\v\f \u00a0 42 \u3000\ufeff"), 42},
        {utf8(u8"\u2028-7\u2029"), -7},
        {"+Infinity", kInfinity},
        {".5e1", 5},
        {"5.e-1", 0.5},
        {"1E+2", 100},
        {"00012", 12},
        {"-0x10", kNaN},
        {"+0x10", kNaN},
        {"0x1.8", kNaN},
        {"0x1p3", kNaN},
        {"0b2", kNaN},
        {"0o8", kNaN},
        {"0b", kNaN},
        {"0o", kNaN},
        {"1_000", kNaN},
        {"infinity", kNaN},
        {"Infinity1", kNaN},
        {"inf", kNaN},
        {"nan", kNaN},
        {"NaN", kNaN},
        {".", kNaN},
        {"1e", kNaN},
        {"1e+", kNaN},
        {"++1", kNaN},
        {"1 2", kNaN},
        {"0x 1", kNaN},
        {utf8(u8"\u00851"), kNaN},
    };
    for (const Row& row : rows) {
        const double value = ecmaStringToNumber(row.text);
        const std::string name = row.text.size() > 40 ? row.text.substr(0, 40) + "..." : row.text;
        if (std::isnan(row.expected)) {
            EXPECT_TRUE(std::isnan(value)) << "text '" << name << "' gave " << value;
        } else {
            EXPECT_EQ(value, row.expected) << "text '" << name << "'";
            EXPECT_EQ(std::signbit(value), std::signbit(row.expected)) << "text '" << name << "'";
        }
    }
}

TEST(JsonSerializer, QuotesEveryListedCharacter) {
    struct Row {
        std::u8string_view in;
        std::u8string_view out;
    } rows[] = {
        {u8"\u00a0\u00ac\u00ae", u8"\"\u00a0\u00ac\u00ae\""},
        {u8"\u00ad", u8"\"\\u00ad\""},
        {u8"\u0605\u0603\u070e\u070f", u8"\"\u0605\\u0603\u070e\\u070f\""},
        {u8"\u17b3\u17b4\u17b5\u17b6", u8"\"\u17b3\\u17b4\\u17b5\u17b6\""},
        {u8"\u200b\u200c\u200f\u2010", u8"\"\u200b\\u200c\\u200f\u2010\""},
        {u8"\u2027\u2028\u202f\u2030", u8"\"\u2027\\u2028\\u202f\u2030\""},
        {u8"\u205f\u2060\u206f\u2070", u8"\"\u205f\\u2060\\u206f\u2070\""},
        {u8"\ufefe\ufeff\uffef\ufff0\ufffd", u8"\"\ufefe\\ufeff\uffef\\ufff0\\ufffd\""},
        {u8"\U0001F600", u8"\"\U0001F600\""},
        {u8"中文", u8"\"中文\""},
    };
    for (const Row& row : rows) {
        std::string out;
        appendQuotedJsonString(out, utf8(row.in));
        EXPECT_EQ(out, utf8(row.out)) << "case " << utf8(row.out);
    }
}

TEST(JsonSerializer, UndefinedAndHoles) {
    std::optional<JsonValue> value = parseJson(R"({"a":[1],"b":2})");
    ASSERT_TRUE(value);
    value->objectValue().set("b", JsonValue());
    value->objectValue().find("a")->arrayValue().push_back(JsonValue::hole());
    value->objectValue().find("a")->arrayValue().push_back(JsonValue());
    value->objectValue().set("c", JsonValue::number(kNaN));
    EXPECT_EQ(stringifyJson(*value), R"({"a":[1,null,null],"c":null})");
    EXPECT_FALSE(stringifyJson(JsonValue()));
    EXPECT_EQ(scriptDisplayText(*value->objectValue().find("a")), "1,,");
}

TEST(JsonPathSteps, Grammar) {
    struct Row {
        const char* suffix;
        bool ok;
        std::vector<std::string> steps;
    } rows[] = {
        {"", true, {}},
        {".a", true, {"a"}},
        {".a.b_2.$c", true, {"a", "b_2", "$c"}},
        {"[0]", true, {"0"}},
        {"[007]", true, {"7"}},
        {"[010]", true, {"8"}},
        {"[09]", true, {"9"}},
        {"[ -1 ]", true, {"-1"}},
        {"[-0]", true, {"0"}},
        {"[123456789012345678901234]", true, {"1.2345678901234569e+23"}},
        {".a['b c']", true, {"a", "b c"}},
        {".a[\"b'c\"]", true, {"a", "b'c"}},
        {".a['\\x41\\u0042\\103\\n\\'']", true, {"a", "ABC\n'"}},
        {".a['\\ud83d\\ude00']", true, {"a", utf8(u8"\U0001F600")}},
        {" .a\n.b ", true, {"a", "b"}},
        {".", false, {}},
        {"..a", false, {}},
        {".1a", false, {}},
        {".a[", false, {}},
        {".a[]", false, {}},
        {".a[1.5]", false, {}},
        {".a[x]", false, {}},
        {".a['b]", false, {}},
        {".a['\\ud83d']", false, {}},
        {".a()", false, {}},
        {".a;", false, {}},
        {".a+1", false, {}},
        {".if", false, {}},
        {".a.class", false, {}},
        {"a", false, {}},
        {".a\\u0062", true, {"ab"}},
        {".\\u0061", true, {"a"}},
        {".\\u{61}b", true, {"ab"}},
        {".\\u0024\\u005f", true, {"$_"}},
        {".\\u0031", false, {}},
        {".a\\u002e", false, {}},
        {".\\u0069f", false, {}},
        {".a\\u00", false, {}},
        {".a\\x62", false, {}},
        {".a\\u{110000}", false, {}},
    };
    for (const Row& row : rows) {
        const auto steps = parseMemberSteps(row.suffix);
        EXPECT_EQ(steps.has_value(), row.ok) << "suffix " << row.suffix;
        if (steps && row.ok) {
            EXPECT_EQ(*steps, row.steps) << "suffix " << row.suffix;
        }
    }
    EXPECT_TRUE(parseMemberSteps(utf8(u8".结果.分数")));
    EXPECT_EQ(parseMemberSteps(utf8(u8".\\u7ed3\\u679c")), std::vector<std::string>{utf8(u8"结果")});
    EXPECT_FALSE(parseMemberSteps(utf8(u8".结果，分数")));
    EXPECT_FALSE(parseMemberSteps(utf8(u8".a\u3000b")));
}

// Names are exactly the script's identifiers: ID_Start (with $ and _) first, then ID_Continue
// (with $, ZWNJ and ZWJ); symbols and other numbers are no name characters.
TEST(JsonPathSteps, IdentifierCharactersByUnicodeProperty) {
    struct Row {
        const char8_t* suffix;
        bool ok;
    } rows[] = {
        {u8".℃", false},           {u8".a℃", false},        {u8".№", false},          {u8".a№", false},
        {u8".㈠", false},           {u8".a㈠", false},        {u8".０a", false},         {u8".＿a", false},
        {u8".a０", true},           {u8".a＿", true},         {u8".ａ", true},           {u8".名字", true},
        {u8".名字１", true},        {u8".𠀀", true},          {u8".ⅷ", true},           {u8".ä\u0301", true},
        {u8".\u0301", false},       {u8".a\u200c", true},     {u8".\u200c", false},     {u8".😀", false},
        {u8".a•", false},           {u8".a™", false},         {u8".a©", false},         {u8".한국어", true},
        {u8".a\u00b7", true},       {u8".\u2118", true},      {u8".\u309b", true},      {u8".\u00b7a", false},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parseMemberSteps(utf8(row.suffix)).has_value(), row.ok) << "suffix " << utf8(row.suffix);
    }
}

TEST(JsonPathSteps, ArrayIndexNames) {
    EXPECT_EQ(arrayIndexOf("0"), 0u);
    EXPECT_EQ(arrayIndexOf("4294967294"), 4294967294u);
    EXPECT_FALSE(arrayIndexOf("4294967295"));
    EXPECT_FALSE(arrayIndexOf("01"));
    EXPECT_FALSE(arrayIndexOf("-1"));
    EXPECT_FALSE(arrayIndexOf("1e+21"));
    EXPECT_FALSE(arrayIndexOf(""));
}

}  // namespace
}  // namespace vd
