#include "json/JsonDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "tests/json/Fixtures.h"

namespace vd {
namespace {

using test::loaded;

struct TextRow {
    const char* path;
    const char* expected;
};

struct TypeRow {
    const char* path;
    int expected;
};

void expectTexts(const JsonDocument& document, std::initializer_list<TextRow> rows) {
    for (const TextRow& row : rows) EXPECT_EQ(document.getText(row.path), row.expected) << "path " << row.path;
}

TEST(JsonDocumentParse, ResultAndValueOfEdgeTexts) {
    struct Row {
        const char* name;
        const char* text;
        bool result;
        const char* toText;
    } rows[] = {
        {"empty text", "", false, ""},
        {"blank text", " \n\t", false, ""},
        {"null", "null", false, "null"},
        {"lone brace", "{", false, "null"},
        {"zero", "0", true, "0"},
        {"false", "false", true, "false"},
        {"empty object", "{}", true, "{}"},
        {"array", "[1, 2 ,3]", true, "[1,2,3]"},
        {"top-level string", "\"abc\"", true, "\"abc\""},
        {"pretty printed", test::kPrettyTokenReply.data(), true, R"({"expires_in":2592000,"scope":"public brain_all_scope"})"},
        {"repeated member keeps first place, last value", R"({"a":1,"b":2,"a":3})", true, R"({"a":3,"b":2})"},
        {"numbers reformatted", "[80.0,1E21,1e-7,0.000001,-1.50,1e400]", false, "null"},
        {"numbers in range", "[80.0,1E21,1e-7,0.000001,-1.50]", true, "[80,1e+21,1e-7,0.000001,-1.5]"},
        {"script literal", "{a:1}", false, "null"},
        {"single quotes", "['a']", false, "null"},
        {"trailing comma", "[1,]", false, "null"},
        {"comment", "[1]//x", false, "null"},
        {"expression", "1+1", false, "null"},
        {"call", "alert(1)", false, "null"},
        {"two values", "{} {}", false, "null"},
        {"undefined", "undefined", false, "null"},
        {"raw line break in string", "[\"a\nb\"]", false, "null"},
    };
    for (const Row& row : rows) {
        JsonDocument document;
        EXPECT_EQ(document.parse(row.text), row.result) << "case " << row.name;
        EXPECT_EQ(document.toText(), row.toText) << "case " << row.name;
    }
}

TEST(JsonDocumentParse, StartsAsEmptyObjectAndClearEmpties) {
    JsonDocument document;
    EXPECT_EQ(document.toText(), "{}");
    document.parse(test::kFaceMatchReply);
    document.clear();
    EXPECT_EQ(document.toText(), "{}");
    EXPECT_EQ(document.memberCount(), 0);
}

TEST(JsonDocumentRead, FaceMatchReplyByPath) {
    const JsonDocument document = loaded(test::kFaceMatchReply);
    expectTexts(document, {
                              {"error_code", "0"},
                              {"error_msg", "SUCCESS"},
                              {"result.score", "96.01836395"},
                              {"result['face_list'][0]['face_token']", "807547e2f5ba96826c08b74420a2dca6"},
                              {"result['face_list'][1]['face_token']", "e8eb101fd7a1a6d82282d3f6969f39ec"},
                              {"result.face_list[1].face_token", "e8eb101fd7a1a6d82282d3f6969f39ec"},
                              {R"(result["face_list"][0]["face_token"])", "807547e2f5ba96826c08b74420a2dca6"},
                              {"result . face_list [ 0 ] . face_token", "807547e2f5ba96826c08b74420a2dca6"},
                              {"result['face\\u005flist'][0]['face_token']", "807547e2f5ba96826c08b74420a2dca6"},
                              {"log_id", "1.345050766031e+18"},
                              {"timestamp", "1556603124"},
                              {"result", "[object Object]"},
                              {"result.face_list", "[object Object],[object Object]"},
                              {"result.face_list.length", "2"},
                              {"error_msg.length", "7"},
                              {"result.face_list[01].face_token", "e8eb101fd7a1a6d82282d3f6969f39ec"},
                          });
}

TEST(JsonDocumentRead, FailuresGiveEmptyText) {
    const JsonDocument document = loaded(test::kFaceMatchReply);
    for (const char* path : {"missing", "missing.x", "result.face_list[2].face_token", "result.score.x.y", "", "[0]",
                             ".error_msg", "result..score", "result.face_list[0", "result[face_list]",
                             "error_msg;", "error_msg()", "error_msg+1", "result.face_list[-1]",
                             "result.face_list[1.0]", "1abc", "result.if", "this", "toString", "error_msg[0]",
                             "result['score", "result['a\nb']"}) {
        EXPECT_EQ(document.getText(path), "") << "path " << path;
        EXPECT_EQ(document.getText(path, true), "") << "path " << path;
        EXPECT_EQ(document.getNumber(path), 0) << "path " << path;
        EXPECT_FALSE(document.hasValue(path)) << "path " << path;
    }
    // Joined directly only where the operation allows it.
    EXPECT_EQ(document.getText("['error_msg']"), "SUCCESS");
    EXPECT_EQ(document.getJson("['error_msg']"), "");
    EXPECT_FALSE(document.hasValue("['error_msg']"));
    EXPECT_EQ(document.typeOf("['error_msg']"), -1);
}

TEST(JsonDocumentRead, TextAndPlateRepliesByPath) {
    const JsonDocument text = loaded(test::kTextReply);
    expectTexts(text, {
                          {"words_result_num", "2"},
                          {"words_result[0]['words']", " TSINGTAO"},
                          {"words_result[1]['words']", "青島睥酒"},
                          {"error_code", ""},
                          {"error_msg", ""},
                      });
    const JsonDocument plate = loaded(test::kPlateReply);
    expectTexts(plate, {
                           {"words_result['color']", "blue"},
                           {"words_result['number']", "苏HS7766"},
                           {"words_result.probability", "1,0.99999,0.99998,0.99997,0.99999,0.99998,0.99997"},
                           {"words_result.vertexes_location[2].y", "316"},
                           {"words_result.number.length", "7"},
                       });
    EXPECT_EQ(plate.getText("words_result['number']", true), "\"苏HS7766\"");
}

TEST(JsonDocumentRead, ErrorReplyByPath) {
    const JsonDocument document = loaded(test::kFaceErrorReply);
    expectTexts(document, {{"error_code", "222202"}, {"error_msg", "pic not has face"}, {"result", ""}, {"result.score", ""}});
    EXPECT_EQ(document.typeOf("result"), 0);
    EXPECT_EQ(document.typeOf("result.score"), -1);
    EXPECT_EQ(document.getDocument("result").toText(), "null");
    EXPECT_EQ(document.getDocument("result.score").toText(), "");
}

TEST(JsonDocumentRead, NumbersInThirteenDigitAndShortestForms) {
    const JsonDocument document = loaded(test::kScores);
    struct Row {
        const char* path;
        const char* text;
        const char* json;
    } rows[] = {
        {"result.score", "97.02147674561", "97.02147674560547"},
        {"tiny", "0.3", "0.30000000000000004"},
        {"almost", "100", "99.99999999999999"},
        {"half", "97.5", "97.5"},
        {"big", "1e+21", "1e+21"},
        {"small", "1e-07", "1e-7"},
        {"zero", "0", "0"},
        {"list[1]", "20", "20"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(document.getText(row.path), row.text) << "path " << row.path;
        EXPECT_EQ(document.getText(row.path, true), row.json) << "path " << row.path;
        EXPECT_EQ(document.getDocument(row.path).toText(), row.json) << "path " << row.path;
        EXPECT_EQ(document.getJson(row.path), row.json) << "path " << row.path;
    }
    EXPECT_DOUBLE_EQ(document.getNumber("result.score"), 97.02147674560547);
}

TEST(JsonDocumentRead, NegativeZeroKeepsItsSign) {
    const JsonDocument document = loaded(R"({"a":-0,"b":[-0],"c":-0.0,"d":0})");
    for (const char* path : {"a", "b[0]", "c"}) {
        const double number = document.getNumber(path);
        EXPECT_EQ(number, 0.0) << "path " << path;
        EXPECT_TRUE(std::signbit(number)) << "path " << path;
        EXPECT_EQ(document.getText(path), "-0") << "path " << path;
    }
    EXPECT_FALSE(std::signbit(document.getNumber("d")));
    EXPECT_EQ(document.getText("d"), "0");
    // The script writes -0 as 0 in JSON text.
    EXPECT_EQ(document.toText(), R"({"a":0,"b":[0],"c":0,"d":0})");
}

// A text value reads as a number the way the script converts it, rounded once.
TEST(JsonDocumentRead, NumberOfATextValue) {
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::string huge = "1" + std::string(400, '0') + "e-5";
    const JsonDocument document = loaded(R"({"hex":"0x8a233138131c541013d","tiny":")" + tiny + R"(","huge":")" + huge +
                                         R"(","binary":" 0b101 ","word":"12px","negativeZero":"-0"})");
    EXPECT_EQ(document.getNumber("hex"), 40770984830269367779328.0);
    EXPECT_EQ(document.getNumber("tiny"), 0.0);
    EXPECT_EQ(document.getNumber("huge"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(document.getNumber("binary"), 5.0);
    EXPECT_EQ(document.getNumber("word"), 0.0) << "NaN reads as 0";
    EXPECT_TRUE(std::signbit(document.getNumber("negativeZero")));
}

TEST(JsonDocumentRead, OtherValuesInTheScriptTextForm) {
    const JsonDocument document = loaded(test::kScores);
    expectTexts(document, {
                              {"flag", "true"},
                              {"off", "false"},
                              {"none", ""},
                              {"empty", ""},
                              {"list", "10,20,30"},
                              {"nested.a", "1,2,3"},
                              {"nested.b", "[object Object]"},
                          });
    struct NumberRow {
        const char* path;
        double expected;
    } numbers[] = {{"flag", 1}, {"off", 0}, {"none", 0}, {"empty", 0}, {"list", 0}, {"nested.b", 0}, {"list.length", 3}};
    for (const NumberRow& row : numbers) EXPECT_EQ(document.getNumber(row.path), row.expected) << "path " << row.path;
}

TEST(JsonDocumentRead, BracketPathsAddressTheTopArray) {
    const JsonDocument document = loaded(R"([0.30000000000000004,{"a":"x"},[1,2],"s"])");
    expectTexts(document, {
                              // Joined without ".", so no type code and no 13-digit step: the shortest form.
                              {"[0]", "0.30000000000000004"},
                              {"[1].a", "x"},
                              {"[1]['a']", "x"},
                              {"[2]", "1,2"},
                              {"[3]", "s"},
                              {"[4]", ""},
                              {"", ""},
                          });
    EXPECT_EQ(document.getText("[1]", true), R"({"a":"x"})");
    EXPECT_EQ(document.getDocument("[2]").toText(), "[1,2]");
    EXPECT_EQ(document.getDocument("[3]").toText(), "\"s\"");
    EXPECT_EQ(document.getDocument("").toText(), "");
    EXPECT_EQ(document.getJson("[0]"), "");
    EXPECT_EQ(document.typeOf("[0]"), -1);
}

TEST(JsonDocumentType, CodesByPath) {
    const JsonDocument document = loaded(test::kScores);
    const TypeRow rows[] = {
        {"result.score", 2}, {"flag", 1},       {"off", 1},        {"none", 0},        {"missing", 0},
        {"missing.x", -1},   {"none.x", -1},    {"empty", 6},      {"list", 5},        {"nested", 4},
        {"nested.b", 4},     {"nested.a[1]", 5}, {"list.length", 2}, {"list[7]", 0},     {"[0]", -1},
        {"", 4},             {"list[", -1},     {"result.score.x", 0}, {"result.score.x.y", -1},
    };
    for (const TypeRow& row : rows) EXPECT_EQ(document.typeOf(row.path), row.expected) << "path " << row.path;

    // The array test cannot address the whole value, so an array at the top reports 4.
    EXPECT_EQ(loaded("[1]").typeOf(""), 4);
    EXPECT_EQ(loaded("\"s\"").typeOf(""), 6);
    JsonDocument undefinedValue;
    undefinedValue.parse("");
    EXPECT_EQ(undefinedValue.typeOf(""), 0);
    EXPECT_EQ(undefinedValue.typeOf("a"), -1);
}

TEST(JsonDocumentSubDocument, WorkflowReadsAndIndependence) {
    JsonDocument document = loaded(R"({"error_code":0,"result":{"score":97.02147674560547,"list":[1]}})");
    EXPECT_EQ(document.getDocument("error_code").toText(), "0");
    EXPECT_EQ(document.getText("error_code"), "0");
    EXPECT_EQ(document.typeOf("error_code"), 2);
    EXPECT_EQ(document.getDocument("result.score").toText(), "97.02147674560547");
    EXPECT_EQ(document.getDocument("missing").toText(), "");
    EXPECT_EQ(document.getDocument("missing.x").toText(), "");

    JsonDocument sub = document.getDocument("result");
    sub.setNumber("score", 1);
    document.setText("result.list", "changed");
    EXPECT_EQ(sub.toText(), R"({"score":1,"list":[1]})");
    EXPECT_EQ(document.getText("result.score"), "97.02147674561");
}

TEST(JsonDocumentSubDocument, CarriedOverAsJson) {
    JsonDocument document = loaded(R"({"o":{"u":1,"k":2},"arr":[]})");
    document.setJson("o.u", "");
    document.setText("arr[2]", "x");
    EXPECT_EQ(document.memberCount("o"), 2);
    EXPECT_EQ(document.memberCount("arr"), 1);

    const JsonDocument object = document.getDocument("o");
    EXPECT_EQ(object.memberCount(), 1);
    EXPECT_EQ(object.toText(), R"({"k":2})");
    const JsonDocument array = document.getDocument("arr");
    EXPECT_EQ(array.toText(), R"([null,null,"x"])");
    EXPECT_EQ(array.memberCount(), 3);
    EXPECT_EQ(document.getDocument("arr[0]").toText(), "");
}

TEST(JsonDocumentCopy, SharesTheValueUntilParse) {
    JsonDocument first = loaded(R"({"a":1})");
    JsonDocument second(first);
    second.setText("b", "x");
    EXPECT_EQ(first.toText(), R"({"a":1,"b":"x"})");
    first.clear();
    EXPECT_EQ(second.toText(), "{}");

    std::unique_ptr<JsonDocument> third = first.copy();
    third->setNumber("n", 5);
    EXPECT_EQ(second.getText("n"), "5");

    JsonDocument assigned;
    assigned = first;
    EXPECT_EQ(assigned.toText(), R"({"n":5})");

    EXPECT_TRUE(second.parse(R"({"own":true})"));
    EXPECT_EQ(first.toText(), R"({"n":5})");
    second.setText("more", "y");
    EXPECT_EQ(first.toText(), R"({"n":5})");
    EXPECT_EQ(second.toText(), R"({"own":true,"more":"y"})");
    // The copies made before the parse still share.
    third->clear();
    EXPECT_EQ(first.toText(), "{}");
    EXPECT_EQ(assigned.toText(), "{}");
}

TEST(JsonDocumentCopy, ValueOutlivesTheDocumentItCameFrom) {
    std::unique_ptr<JsonDocument> copy;
    {
        JsonDocument original = loaded(R"({"a":[1,2]})");
        copy = original.copy();
    }
    EXPECT_EQ(copy->getText("a"), "1,2");
}

TEST(JsonDocumentText, EscapesAsTheStringifyScript) {
    struct Row {
        const char* name;
        const char* json;
        const char* toText;
    } rows[] = {
        {"short escapes", R"(["\"\\\/\b\f\n\r\t"])", R"(["\"\\/\b\f\n\r\t"])"},
        {"control characters", R"(["\u0000\u0001\u001f\u007f\u009f"])", R"(["\u0000\u0001\u001f\u007f\u009f"])"},
        {"listed ranges", R"(["\u00ad\u0600\u0604\u070f\u17b4\u17b5\u200c\u200f\u2028\u202f\u2060\u206f\ufeff\ufff0\uffff"])",
         R"(["\u00ad\u0600\u0604\u070f\u17b4\u17b5\u200c\u200f\u2028\u202f\u2060\u206f\ufeff\ufff0\uffff"])"},
        {"upper-case hex read, lower-case written", R"(["\u00AD\uFEFF"])", R"(["\u00ad\ufeff"])"},
        {"Chinese unchanged", R"(["\u82cfHS","苏"])", R"(["苏HS","苏"])"},
        {"names escaped too", R"({"a\"b\u2028":1})", R"({"a\"b\u2028":1})"},
        {"plain ASCII", R"(["a b~'"])", R"(["a b~'"])"},
    };
    for (const Row& row : rows) {
        JsonDocument document;
        EXPECT_TRUE(document.parse(row.json)) << "case " << row.name;
        EXPECT_EQ(document.toText(), row.toText) << "case " << row.name;
    }
}

TEST(JsonDocumentText, ChineseMemberNamesInPaths) {
    const JsonDocument document = loaded(R"({"结果":{"分数":80.0,"名单":["张三"]}})");
    expectTexts(document, {{"结果.分数", "80"}, {"结果['分数']", "80"}, {"结果.名单[0]", "张三"}});
    EXPECT_EQ(document.getJson("结果"), R"({"分数":80,"名单":["张三"]})");
    EXPECT_EQ(document.getText("结果，分数"), "");
}

// A name written with escapes names the same member; a symbol is no name unless quoted.
TEST(JsonDocumentText, EscapedAndSymbolNamesInPaths) {
    const JsonDocument document = loaded(R"({"ab":{"c":1},"\u540d\u5b57":"x","\u2103":2})");
    EXPECT_EQ(document.getText("\\u0061b.c"), "1");
    EXPECT_EQ(document.getText("a\\u{62}.\\u0063"), "1");
    EXPECT_EQ(document.getText("名字"), "x");
    EXPECT_EQ(document.getText("\\u540d\\u5b57"), "x");
    EXPECT_EQ(document.getText("℃"), "");
    EXPECT_EQ(document.typeOf("℃"), -1);
    EXPECT_EQ(document.getText("['℃']"), "2") << "a quoted name may hold any character";
}

}  // namespace
}  // namespace vd
