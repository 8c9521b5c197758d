#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "json/JsonDocument.h"
#include "tests/json/Fixtures.h"

namespace vd {
namespace {

using test::loaded;

std::vector<Text> namesOf(const JsonDocument& document, std::string_view path = {}) {
    std::vector<Text> names = {"stale"};
    const int count = document.memberNames(names, path);
    EXPECT_EQ(count, static_cast<int>(names.size())) << "path " << path;
    EXPECT_EQ(count, document.memberCount(path)) << "path " << path;
    return names;
}

TEST(JsonMembersCount, CountsAndNamesOwnMembers) {
    struct Row {
        const char* name;
        const char* json;
        const char* path;
        std::vector<Text> names;
    } rows[] = {
        {"object", R"({"a":1,"b":2})", "", {"a", "b"}},
        {"empty object", "{}", "", {}},
        {"member array", R"({"list":[10,20,30]})", "list", {"0", "1", "2"}},
        {"array at the top", R"([{"x":1,"y":2}])", "[0]", {"x", "y"}},
        {"array at the top, whole", "[5,6]", "", {"0", "1"}},
        {"insertion order, not sorted", R"({"z":1,"10":2,"a":3,"2":4})", "", {"z", "10", "a", "2"}},
        {"names with commas and script names stay whole", R"({"a,b":1,"toJSONString":2,"xparseJSON,":3})", "",
         {"a,b", "toJSONString", "xparseJSON,"}},
        {"Chinese names", R"({"颜色":1,"号码":2})", "", {"颜色", "号码"}},
        {"text string", R"({"s":"abc"})", "s", {}},
        {"number", R"({"n":5})", "n", {}},
        {"null", R"({"n":null})", "n", {}},
        {"missing", "{}", "missing", {}},
        {"through missing", "{}", "missing.x", {}},
        {"bad path", R"({"a":{}})", "a.", {}},
    };
    for (const Row& row : rows) {
        const JsonDocument document = loaded(row.json);
        EXPECT_EQ(namesOf(document, row.path), row.names) << "case " << row.name;
    }
}

TEST(JsonMembersCount, AfterClearNothingIsLeft) {
    JsonDocument document = loaded(R"({"a":1})");
    document.clear();
    EXPECT_EQ(document.memberCount(), 0);
    EXPECT_TRUE(namesOf(document).empty());
}

TEST(JsonMembersSet, TextJsonAndNumber) {
    JsonDocument document;
    document.setText("x", "abc");
    EXPECT_EQ(document.getText("x"), "abc");
    document.setText("y", "", true);
    EXPECT_EQ(document.getJson("y"), "{}");
    EXPECT_EQ(document.typeOf("y"), 4);
    document.setText("y.z", R"([1,"2"])", true);
    EXPECT_EQ(document.getJson("y"), R"({"z":[1,"2"]})");
    document.setJson("x", "true");
    EXPECT_EQ(document.typeOf("x"), 1);
    document.setNumber("n", 0.30000000000000004);
    EXPECT_EQ(document.getText("n"), "0.3");
    EXPECT_EQ(document.getJson("n"), "0.3");
    document.setNumber("n", 97.02147674560547);
    EXPECT_EQ(document.getJson("n"), "97.02147674561");
    document.setNumber("big", 1e21);
    EXPECT_EQ(document.getJson("big"), "1e+21");
    // A repeated name keeps its place.
    document.setText("x", "again");
    EXPECT_EQ(document.toText(), R"({"x":"again","y":{"z":[1,"2"]},"n":97.02147674561,"big":1e+21})");
}

TEST(JsonMembersSet, ValuesAreStoredExactly) {
    const char* values[] = {"it's", "back\\slash", "line\nbreak", "quote\"", "'); alert(1); ('", "中文", "", "\\u0041"};
    for (const char* value : values) {
        JsonDocument document;
        document.setText("v", value);
        EXPECT_EQ(document.getText("v"), value) << "value " << value;
        document.setRoot(value);
        EXPECT_EQ(document.typeOf(""), 6) << "value " << value;
        document.setText("w", value);  // a member of a string is not kept
        EXPECT_EQ(document.getText("[0]"), "") << "value " << value;
    }
    JsonDocument document;
    document.setText("v", "a\"b\\c\nd");
    EXPECT_EQ(document.toText(), R"({"v":"a\"b\\c\nd"})");
    // Bytes that are no GBK character are kept as replacement characters.
    document.setText("v", "x\xff");
    EXPECT_EQ(document.toText(), R"({"v":"x\ufffd"})");
    EXPECT_EQ(document.getText("v"), "x?");
}

TEST(JsonMembersSet, NonJsonAndFailingPathsChangeNothing) {
    const char* before = R"({"a":{"b":1},"s":"t","n":null,"list":[1]})";
    struct Row {
        const char* name;
        void (*change)(JsonDocument&);
    } rows[] = {
        {"setJson script literal", [](JsonDocument& d) { d.setJson("a", "{b:2}"); }},
        {"setJson expression", [](JsonDocument& d) { d.setJson("a", "1+1"); }},
        {"setJson function", [](JsonDocument& d) { d.setJson("a", "function(){return 1}"); }},
        {"setJson name", [](JsonDocument& d) { d.setJson("a", "da"); }},
        {"setText asJson not JSON", [](JsonDocument& d) { d.setText("a", "[1,,2]", true); }},
        {"setText parent missing", [](JsonDocument& d) { d.setText("x.y", "v"); }},
        {"setText parent null", [](JsonDocument& d) { d.setText("n.y", "v"); }},
        {"setText member of a string", [](JsonDocument& d) { d.setText("s.y", "v"); }},
        {"setText name on an array", [](JsonDocument& d) { d.setText("list.name", "v"); }},
        {"setText array length", [](JsonDocument& d) { d.setText("list.length", "0", true); }},
        {"setText empty path", [](JsonDocument& d) { d.setText("", "v"); }},
        {"setText bracket path", [](JsonDocument& d) { d.setText("['a']", "v"); }},
        {"setText reserved word", [](JsonDocument& d) { d.setText("a.new", "v"); }},
        {"setNumber infinity", [](JsonDocument& d) { d.setNumber("a", 1.0 / 0.0); }},
        {"setNumber NaN", [](JsonDocument& d) { d.setNumber("a", 0.0 / 0.0); }},
        {"setNumber bad path", [](JsonDocument& d) { d.setNumber("a..b", 1); }},
        {"setRoot asJson empty", [](JsonDocument& d) { d.setRoot("", true); }},
        {"setRoot asJson not JSON", [](JsonDocument& d) { d.setRoot("{a:1}", true); }},
        {"reset other code", [](JsonDocument& d) { d.reset(1); }},
        {"reset code 6", [](JsonDocument& d) { d.reset(6); }},
        {"reset code -1", [](JsonDocument& d) { d.reset(-1); }},
    };
    for (const Row& row : rows) {
        JsonDocument document = loaded(before);
        row.change(document);
        EXPECT_EQ(document.toText(), before) << "case " << row.name;
        EXPECT_EQ(document.memberCount(), 4) << "case " << row.name;
    }
}

TEST(JsonMembersSet, EmptyJsonLeavesAnUndefinedMember) {
    JsonDocument document = loaded(R"({"a":1,"b":2})");
    document.setJson("a", "");
    document.setJson("c", " ");
    EXPECT_EQ(document.toText(), R"({"b":2})");
    EXPECT_EQ(document.memberCount(), 3);
    EXPECT_EQ(namesOf(document), (std::vector<Text>{"a", "b", "c"}));
    EXPECT_FALSE(document.hasValue("a"));
    EXPECT_EQ(document.typeOf("a"), 0);
    EXPECT_EQ(document.getJson("a"), "");
    EXPECT_EQ(document.getText("a.x"), "");
    EXPECT_EQ(document.typeOf("a.x"), -1);
}

TEST(JsonMembersHasValue, PresentUnlessMissingOrNull) {
    const JsonDocument document = loaded(R"({"zero":0,"no":false,"empty":"","none":null,"obj":{"inner":[],"in":1}})");
    struct Row {
        const char* path;
        bool expected;
    } rows[] = {{"zero", true},  {"no", true},     {"empty", true},       {"obj.inner", true}, {"obj.inner.length", true},
                {"none", false}, {"missing", false}, {"missing.x", false}, {"", false},      {"[0]", false},
                {"none.x", false}, {"obj.inner[0]", false}, {"obj.in", false}};
    for (const auto& row : rows) EXPECT_EQ(document.hasValue(row.path), row.expected) << "path " << row.path;
}

TEST(JsonMembersRoot, ResetAndSetRoot) {
    struct Row {
        int code;
        const char* toText;
    } rows[] = {{0, "{}"}, {4, "{}"}, {5, "[]"}, {1, R"({"a":1})"}, {2, R"({"a":1})"}, {3, R"({"a":1})"}};
    for (const Row& row : rows) {
        JsonDocument document = loaded(R"({"a":1})");
        document.reset(row.code);
        EXPECT_EQ(document.toText(), row.toText) << "code " << row.code;
    }
    JsonDocument document;
    document.setRoot("abc");
    EXPECT_EQ(document.toText(), "\"abc\"");
    document.setRoot("[1,{\"b\":null}]", true);
    EXPECT_EQ(document.toText(), "[1,{\"b\":null}]");
    document.setRoot("\"quoted\"", true);
    EXPECT_EQ(document.toText(), "\"quoted\"");
    document.setRoot("null", true);
    EXPECT_EQ(document.toText(), "null");
    EXPECT_EQ(document.getJson(""), "");
}

TEST(JsonMembersJson, GetJsonAlwaysJoinsWithDot) {
    const JsonDocument document = loaded(R"({"a":{"b":[1,"x",null,true]}})");
    EXPECT_EQ(document.getJson("a"), R"({"b":[1,"x",null,true]})");
    EXPECT_EQ(document.getJson("a.b[1]"), "\"x\"");
    EXPECT_EQ(document.getJson("a.b[2]"), "null");
    EXPECT_EQ(document.getJson("a.b[9]"), "");
    EXPECT_EQ(document.getJson(""), "");
    EXPECT_EQ(document.getJson("[0]"), "");
    EXPECT_EQ(document.getText("", true), "");
}

}  // namespace
}  // namespace vd
