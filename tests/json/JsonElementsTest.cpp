#include <gtest/gtest.h>

#include <string>

#include "json/JsonDocument.h"
#include "tests/json/Fixtures.h"
#include "json/TextExtract.h"

namespace vd {
namespace {

using test::loaded;

TEST(JsonElementsAppend, BuildsArrays) {
    JsonDocument document;
    document.appendElement("a");
    EXPECT_EQ(document.toText(), R"(["a"])");
    document.appendElement("b");
    EXPECT_EQ(document.toText(), R"(["a","b"])");

    JsonDocument list;
    list.appendElement("5", "list", true);
    EXPECT_EQ(list.toText(), R"({"list":[5]})");
    list.appendElement("{\"k\":[]}", "list", true);
    list.appendElement("it's \"quoted\"", "list");
    EXPECT_EQ(list.toText(), R"({"list":[5,{"k":[]},"it's \"quoted\""]})");
    list.appendElement("1", "list[1].k", true);
    EXPECT_EQ(list.getJson("list[1]"), R"({"k":[1]})");
}

TEST(JsonElementsAppend, ReplacesWhatIsNotAnArray) {
    struct Row {
        const char* name;
        const char* before;
        const char* value;
        const char* path;
        bool asJson;
        const char* after;
    } rows[] = {
        {"object at the top", R"({"a":1})", "x", "", false, R"(["x"])"},
        {"string member", R"({"a":"s"})", "x", "a", false, R"({"a":["x"]})"},
        {"null member", R"({"a":null})", "1", "a", true, R"({"a":[1]})"},
        {"object member", R"({"a":{"b":1}})", "x", "a", false, R"({"a":["x"]})"},
        {"blank JSON pushes nothing", R"({"a":3})", " ", "a", true, R"({"a":[]})"},
        {"empty text is a value", R"({"a":[]})", "", "a", false, R"({"a":[""]})"},
        {"parent missing", R"({"a":1})", "x", "b.c", false, R"({"a":1})"},
        {"not JSON", R"({"a":1})", "{x:1}", "a", true, R"({"a":1})"},
        {"bad path", R"({"a":1})", "x", "a[", false, R"({"a":1})"},
        {"bracket path", R"({"a":1})", "x", "['a']", false, R"({"a":1})"},
        {"array length", R"({"a":[1]})", "x", "a.length", false, R"({"a":[1]})"},
        {"member of a string", R"({"a":"s"})", "x", "a.b", false, R"({"a":"s"})"},
    };
    for (const Row& row : rows) {
        JsonDocument document = loaded(row.before);
        document.appendElement(row.value, row.path, row.asJson);
        EXPECT_EQ(document.toText(), row.after) << "case " << row.name;
    }
}

TEST(JsonElementsRemove, SpliceSemanticsAtTheTop) {
    struct Row {
        int index;
        const char* after;
    } rows[] = {{1, "[10,30]"}, {-1, "[10,20]"}, {5, "[10,20,30]"}, {3, "[10,20,30]"}, {0, "[20,30]"}, {-3, "[20,30]"},
                {-10, "[20,30]"}};
    for (const Row& row : rows) {
        JsonDocument document = loaded("[10,20,30]");
        document.removeElement(row.index);
        EXPECT_EQ(document.toText(), row.after) << "index " << row.index;
    }
    JsonDocument object = loaded(R"({"0":1})");
    object.removeElement(0);
    EXPECT_EQ(object.toText(), R"({"0":1})");
}

TEST(JsonElementsSet, ElementsOfTheTopValue) {
    struct Row {
        const char* name;
        const char* before;
        int index;
        const char* value;
        bool asJson;
        const char* after;
        int count;
    } rows[] = {
        {"number by JSON", "[10,20,30]", 0, "7", true, "[7,20,30]", 3},
        {"text", "[10,20,30]", 2, "x", false, R"([10,20,"x"])", 3},
        {"at the end", "[10,20,30]", 3, "x", false, R"([10,20,30,"x"])", 4},
        {"past the end leaves holes", "[10,20,30]", 5, "x", false, R"([10,20,30,null,null,"x"])", 4},
        {"negative index is no element", "[10,20,30]", -1, "x", false, "[10,20,30]", 3},
        {"object gets a member", R"({"a":1})", 2, "x", false, R"({"a":1,"2":"x"})", 2},
        {"object negative", R"({"a":1})", -2, "x", false, R"({"a":1,"-2":"x"})", 2},
        {"not JSON", "[10]", 0, "x", true, "[10]", 1},
        {"empty JSON", "[10]", 0, "", true, "[10]", 1},
        {"too far past the end", "[10]", 2000000000, "x", false, "[10]", 1},
        {"string at the top", "\"s\"", 0, "x", false, "\"s\"", 0},
        {"null at the top", "[null]", 0, "null", true, "[null]", 1},
    };
    for (const Row& row : rows) {
        JsonDocument document;
        document.parse(row.before);
        document.setElement(row.index, row.value, row.asJson);
        EXPECT_EQ(document.toText(), row.after) << "case " << row.name;
        EXPECT_EQ(document.memberCount(), row.count) << "case " << row.name;
    }
}

TEST(JsonElementsRemoveAt, FirstBracketOfThePath) {
    struct Row {
        const char* path;
        const char* after;
    } rows[] = {
        {"list[1]", R"({"list":[10,30],"obj":{"k":[1]},"n":5})"},
        {"list[x]", R"({"list":[20,30],"obj":{"k":[1]},"n":5})"},
        {"list[ -1]", R"({"list":[10,20],"obj":{"k":[1]},"n":5})"},
        {"list[9]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"list[1][0]", R"({"list":[10,30],"obj":{"k":[1]},"n":5})"},
        {"list", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"[1]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"obj.k[0]", R"({"list":[10,20,30],"obj":{"k":[]},"n":5})"},
        {"obj[0]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"n[0]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"missing[0]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"missing.x[0]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
        {"list.length[0]", R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})"},
    };
    for (const Row& row : rows) {
        JsonDocument document = loaded(R"({"list":[10,20,30],"obj":{"k":[1]},"n":5})");
        document.removeElementAt(row.path);
        EXPECT_EQ(document.toText(), row.after) << "path " << row.path;
        EXPECT_EQ(document.memberCount(), 3) << "path " << row.path;
    }
}

TEST(JsonElementsRead, ElementTextJsonAndDocument) {
    const JsonDocument document =
        loaded(R"({"list":[10,0.30000000000000004,"s",true,null,[1,2],{"a":1}],"top":1})");
    struct Row {
        int index;
        const char* text;
        const char* json;
    } rows[] = {
        {0, "10", "10"},
        // No 13-digit step for elements: the script's own number text.
        {1, "0.30000000000000004", "0.30000000000000004"},
        {2, "s", "\"s\""},
        {3, "true", "true"},
        {4, "", "null"},
        {5, "1,2", "[1,2]"},
        {6, "[object Object]", R"({"a":1})"},
        {9, "", ""},
        {-1, "", ""},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(document.getElementText(row.index, "list"), row.text) << "index " << row.index;
        EXPECT_EQ(document.getElementText(row.index, "list", true), row.json) << "index " << row.index;
        EXPECT_EQ(document.getElementDocument(row.index, "list").toText(), row.json) << "index " << row.index;
    }
    EXPECT_EQ(document.getElementText(0, "missing"), "");
    EXPECT_EQ(document.getElementText(0, "missing.x"), "");
    EXPECT_EQ(document.getElementText(0, "[0]"), "");
    EXPECT_EQ(document.getElementDocument(0, "missing.x").toText(), "");
    EXPECT_EQ(document.getElementText(0, ""), "");

    const JsonDocument top = loaded(R"([{"w":"a"},{"w":"b"}])");
    EXPECT_EQ(top.getElementText(1), "[object Object]");
    EXPECT_EQ(top.getElementDocument(1).getText("w"), "b");
    EXPECT_EQ(top.getElementText(0, "", true), R"({"w":"a"})");
}

TEST(JsonElementsText, ExtractBeforeAndBetween) {
    struct BeforeRow {
        const char* text;
        const char* delimiter;
        bool include;
        bool whole;
        bool ignoreCase;
        const char* expected;
    } before[] = {
        {"list[1]", "[", false, false, false, "list"},
        {"list[1]", "[", true, false, false, "list["},
        {"[1]", "[", false, false, false, ""},
        {"[1]", "[", false, true, false, "[1]"},
        {"list", "[", false, false, false, ""},
        {"list", "[", false, true, false, "list"},
        {"list", "", false, false, false, "list"},
        {"abXcd", "x", false, false, true, "ab"},
        {"abXcd", "x", false, false, false, ""},
        // "[" is not found inside a double-byte character whose second byte is 0x5B.
        {"\x81\x5B" "a[1]", "[", false, false, false, "\x81\x5B" "a"},
    };
    for (const BeforeRow& row : before) {
        EXPECT_EQ(extractBefore(row.text, row.delimiter, row.include, row.whole, row.ignoreCase), row.expected)
            << "text " << row.text << " delimiter " << row.delimiter;
    }
    struct BetweenRow {
        const char* text;
        const char* opening;
        const char* closing;
        int start;
        const char* expected;
    } between[] = {
        {"list[12]", "[", "]", 1, "12"},
        {"list", "[", "]", 1, ""},
        {"list[12", "[", "]", 1, ""},
        {"a[1][2]", "[", "]", 1, "1"},
        {"a[1][2]", "[", "]", 3, "2"},
        {"a[1][2]", "[", "]", -5, "1"},
        {"say \"hi\" now", "#引号", "#引号", 1, "hi"},
        {"<b>x</b>", "<b>", "</b>", 1, "x"},
        {"[]", "[", "]", 1, ""},
    };
    for (const BetweenRow& row : between) {
        EXPECT_EQ(extractBetween(row.text, row.opening, row.closing, row.start), row.expected)
            << "text " << row.text << " start " << row.start;
    }
    EXPECT_EQ(extractBetween("A<X>b</x>", "<x>", "</X>", 1, true), "b");
}

}  // namespace
}  // namespace vd
