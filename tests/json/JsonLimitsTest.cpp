#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "json/JsonDocument.h"
#include "json/JsonValue.h"

namespace vd {
namespace {

// Resident memory of the process in bytes, from /proc/self/status.
long long residentBytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

std::string nested(int depth, const char* open, const char* close, const char* inner = "") {
    std::string text;
    for (int i = 0; i < depth; ++i) text += open;
    text += inner;
    for (int i = 0; i < depth; ++i) text += close;
    return text;
}

TEST(JsonLimits, NestingUpToTheLimitOnly) {
    struct Row {
        const char* name;
        std::string text;
        bool result;
    } rows[] = {
        {"arrays at the limit", nested(kJsonMaxDepth, "[", "]"), true},
        {"arrays past the limit", nested(kJsonMaxDepth + 1, "[", "]"), false},
        {"objects at the limit", nested(kJsonMaxDepth - 1, "{\"a\":", "}", "{}"), true},
        {"objects past the limit", nested(kJsonMaxDepth, "{\"a\":", "}", "{}"), false},
        {"far past the limit", nested(200000, "[", "]"), false},
        {"unclosed, far past the limit", std::string(200000, '['), false},
    };
    for (const Row& row : rows) {
        JsonDocument document;
        EXPECT_EQ(document.parse(row.text), row.result) << "case " << row.name;
        EXPECT_EQ(document.toText(), row.result ? row.text : "null") << "case " << row.name;
    }
}

TEST(JsonLimits, WritesCannotNestDeeper) {
    JsonDocument document;
    const std::string deep = nested(kJsonMaxDepth - 1, "[", "]");
    document.setJson("a", deep);
    EXPECT_EQ(document.getJson("a"), deep);
    document.setJson("b", "[" + deep + "]");
    EXPECT_FALSE(document.hasValue("b"));
    document.appendElement(deep, "c", true);
    EXPECT_FALSE(document.hasValue("c"));
    document.setElement(0, deep, true);
    EXPECT_EQ(document.getText("['0']", true), deep);
    EXPECT_EQ(document.memberCount(), 2);
    // The value still reads back as a whole.
    JsonDocument copy;
    EXPECT_TRUE(copy.parse(document.toText()));
    EXPECT_EQ(copy.toText(), document.toText());
    EXPECT_EQ(document.getDocument("a").toText(), deep);
}

TEST(JsonLimits, LargeObjectsAndArrays) {
    constexpr int kMembers = 60000;
    std::string text = "{";
    for (int i = 0; i < kMembers; ++i) text += "\"k" + std::to_string(i) + "\":" + std::to_string(i) + ",";
    text += "\"k0\":\"last\",\"list\":[";
    for (int i = 0; i < kMembers; ++i) text += std::to_string(i) + ",";
    text += "0]}";

    JsonDocument document;
    ASSERT_TRUE(document.parse(text));
    EXPECT_EQ(document.memberCount(), kMembers + 1);
    EXPECT_EQ(document.getText("k0"), "last");
    const std::string last = std::to_string(kMembers - 1);
    EXPECT_EQ(document.getText("k" + last), last);
    EXPECT_EQ(document.getText("list[" + last + "]"), last);
    EXPECT_EQ(document.memberCount("list"), kMembers + 1);
    std::vector<Text> names;
    document.memberNames(names);
    ASSERT_EQ(names.size(), static_cast<std::size_t>(kMembers + 1));
    EXPECT_EQ(names.front(), "k0");
    EXPECT_EQ(names.back(), "list");
    document.setText("k5", "changed");
    document.setText("fresh", "new");
    EXPECT_EQ(document.getText("k5"), "changed");
    EXPECT_EQ(document.memberCount(), kMembers + 2);

    const std::string big(4 << 20, 'x');
    EXPECT_TRUE(document.parse("[\"" + big + "\"]"));
    EXPECT_EQ(document.getText("[0]").size(), big.size());
}

// Holes cost nothing: twenty writes, each 2^20 places past the end, keep the array's length,
// elements and JSON form as the script gives them without a full value per hole.
TEST(JsonLimits, WritesFarPastTheEndCostNoMemoryPerHole) {
    constexpr std::size_t kGap = std::size_t{1} << 20;
    const long long before = residentBytes();
    ASSERT_GT(before, 0);
    JsonDocument document;
    document.reset(JsonDocument::kTypeArray);
    std::size_t length = 0;
    for (int i = 0; i < 20; ++i) {
        length += kGap + 1;
        document.setElement(static_cast<int>(length - 1), std::to_string(i), true);
    }
    const long long grown = residentBytes() - before;
    EXPECT_LT(grown, 16LL << 20) << "bytes resident after the writes";

    EXPECT_EQ(document.getNumber("length"), static_cast<double>(length));
    EXPECT_EQ(document.memberCount(), 20);
    EXPECT_EQ(document.getText("[" + std::to_string(kGap) + "]"), "0");
    EXPECT_EQ(document.getText("[" + std::to_string(length - 1) + "]"), "19");
    EXPECT_EQ(document.getText("[5]"), "");
    EXPECT_EQ(document.typeOf("[5]"), -1);
    std::vector<Text> names;
    ASSERT_EQ(document.memberNames(names), 20);
    EXPECT_EQ(names.front(), std::to_string(kGap));
    EXPECT_EQ(names.back(), std::to_string(length - 1));

    // A write past the last element but within reach still works; one beyond the reach does not.
    document.setElement(static_cast<int>(length + kGap), "x");
    EXPECT_EQ(document.getNumber("length"), static_cast<double>(length + kGap + 1));
    document.setElement(static_cast<int>(length + 3 * kGap), "y");
    EXPECT_EQ(document.getNumber("length"), static_cast<double>(length + kGap + 1));

    // Splicing a hole or an element moves the later ones down by one.
    document.removeElement(0);
    EXPECT_EQ(document.getText("[" + std::to_string(kGap - 1) + "]"), "0");
    document.removeElement(static_cast<int>(kGap - 1));
    EXPECT_EQ(document.memberCount(), 20);
    EXPECT_EQ(document.getText("[" + std::to_string(2 * kGap - 1) + "]"), "1");
}

TEST(JsonLimits, HolesInJsonAndTextForms) {
    JsonDocument document;
    ASSERT_TRUE(document.parse("[1]"));
    document.setElement(3, "4", true);
    EXPECT_EQ(document.toText(), "[1,null,null,4]");
    EXPECT_EQ(document.memberCount(), 2);
    document.setElement(1, "2", true);
    EXPECT_EQ(document.toText(), "[1,2,null,4]");
    document.setElement(2, "3", true);
    EXPECT_EQ(document.toText(), "[1,2,3,4]");
    EXPECT_EQ(document.memberCount(), 4);
    document.setElement(6, "7", true);
    document.removeElement(4);
    EXPECT_EQ(document.toText(), "[1,2,3,4,null,7]");
    document.removeElement(-1);
    EXPECT_EQ(document.toText(), "[1,2,3,4,null]");
    document.appendElement("6", "", true);
    EXPECT_EQ(document.toText(), "[1,2,3,4,null,6]");
    document.setText("a", "x");
    EXPECT_EQ(document.getDocument("[5]").toText(), "6");
}

}  // namespace
}  // namespace vd
