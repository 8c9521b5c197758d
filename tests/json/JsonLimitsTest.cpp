#include <gtest/gtest.h>

#include <string>

#include "json/JsonDocument.h"
#include "json/JsonValue.h"

namespace vd {
namespace {

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

}  // namespace
}  // namespace vd
