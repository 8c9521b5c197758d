#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FaceMatchOutcome.h"
#include "app/RecognitionOutcome.h"
#include "app/ServiceObjects.h"
#include "tests/json/Fixtures.h"

// The workflows' first step, without a window: a reply read into its outcome.
namespace vd {
namespace {

TEST(FaceMatchOutcome, ReadFromTheReply) {
    struct Case {
        const char* name;
        std::string reply;
        FaceMatchOutcome expected;
    } cases[] = {
        {"the service's success reply", std::string(test::kFaceMatchReply),
         {true, "", "", "", kSamePersonVerdict, "96.01836395", "807547e2f5ba96826c08b74420a2dca6", "e8eb101fd7a1a6d82282d3f6969f39ec"}},
        {"no face", std::string(test::kFaceErrorReply), {false, "222202", "未检测到人脸", "pic not has face", "", "", "", ""}},
        {"80.0 is the same person", R"({"error_code":0,"result":{"score":80.0,"face_list":[{"face_token":"a"},{"face_token":"b"}]}})",
         {true, "", "", "", kSamePersonVerdict, "80", "a", "b"}},
        {"79.999 may not be", R"({"error_code":0,"result":{"score":79.999,"face_list":[{"face_token":"a"},{"face_token":"b"}]}})",
         {true, "", "", "", kNotSamePersonVerdict, "79.999", "a", "b"}},
        {"223106 has the text of 223105", R"({"error_code":223106,"error_msg":"face is not exist"})",
         {false, "223106", "该人脸已存在", "face is not exist", "", "", "", ""}},
        {"a code outside the table", R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})",
         {false, "110", "", "Access token invalid or no longer valid", "", "", "", ""}},
        {"a text reply has no error_code", std::string(test::kTextReply), {false, "", "", "", "", "", "", ""}},
        {"no reply at all", "", {false, "", "", "", "", "", "", ""}},
    };
    AppState state;
    createGlobalObjects(state);
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const FaceMatchOutcome outcome = readFaceMatchOutcome(state, row.reply);
        EXPECT_EQ(outcome.ok, row.expected.ok);
        EXPECT_EQ(outcome.errorCode, row.expected.errorCode);
        EXPECT_EQ(outcome.errorDescription, row.expected.errorDescription);
        EXPECT_EQ(outcome.errorMessage, row.expected.errorMessage);
        EXPECT_EQ(outcome.verdict, row.expected.verdict);
        EXPECT_EQ(outcome.score, row.expected.score);
        EXPECT_EQ(outcome.firstToken, row.expected.firstToken);
        EXPECT_EQ(outcome.secondToken, row.expected.secondToken);
        EXPECT_EQ(state.lastReplyOk, row.expected.ok);
        if (!row.expected.ok) {
            EXPECT_EQ(state.lastErrorCode, row.expected.errorCode) << "readFaceMatchReply set the error texts";
        }
        if (!row.reply.empty()) {
            EXPECT_NE(state.jsonDoc->toText(), "{}") << "the reply stays loaded";
        }
    }
}

TEST(FaceMatchOutcome, ASuccessKeepsTheErrorTextsOfTheLastFailure) {
    AppState state;
    createGlobalObjects(state);
    readFaceMatchOutcome(state, Text(test::kFaceErrorReply));
    const FaceMatchOutcome outcome = readFaceMatchOutcome(state, Text(test::kFaceMatchReply));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(outcome.errorCode, "");
    EXPECT_EQ(state.lastErrorCode, "222202");
    EXPECT_EQ(state.lastErrorDescription, "未检测到人脸");
}

TEST(RecognitionOutcome, ReadFromTheReply) {
    struct Case {
        const char* name;
        std::string reply;
        RecognitionKinds kinds;
        bool error;
        Text code;
        Text message;
        std::optional<int> count;  // nullopt: no text result
        std::vector<Text> lines;
        std::optional<std::vector<Text>> plate;  // colour, number, region
    } cases[] = {
        {"general text", std::string(test::kTextReply), {true, false}, false, "", "", 2, {" TSINGTAO", "青島睥酒"}, std::nullopt},
        {"licence plate", std::string(test::kPlateReply), {false, true}, false, "", "", std::nullopt, {},
         std::vector<Text>{"蓝牌", "苏HS7766", "苏H"}},
        {"both kinds asked for", std::string(test::kPlateReply), {true, true}, false, "", "", 0, {},
         std::vector<Text>{"蓝牌", "苏HS7766", "苏H"}},
        {"green", R"({"words_result":{"color":"green","number":"AB"}})", {false, true}, false, "", "", std::nullopt, {},
         std::vector<Text>{"绿牌(新能源)", "AB", "AB"}},
        {"yellow", R"({"words_result":{"color":"yellow","number":"ABCD"}})", {false, true}, false, "", "", std::nullopt, {},
         std::vector<Text>{"黄牌", "ABCD", "ABC"}},
        {"another colour word", R"({"words_result":{"color":"Blue","number":""}})", {false, true}, false, "", "", std::nullopt, {},
         std::vector<Text>{"Blue", "", ""}},
        {"an error reply", R"({"error_code":17,"error_msg":"Open api daily request limit reached"})", {true, false}, true, "17",
         "Open api daily request limit reached", std::nullopt, {}, std::nullopt},
        {"error_code 0 is an error too", R"({"error_code":0,"error_msg":"SUCCESS","words_result_num":1,"words_result":[{"words":"A"}]})",
         {true, false}, true, "0", "SUCCESS", std::nullopt, {}, std::nullopt},
        {"a count of 0", R"({"words_result_num":0,"words_result":[]})", {true, false}, false, "", "", 0, {}, std::nullopt},
        {"a count beyond the array", R"({"words_result_num":3,"words_result":[{"words":"A"},{"words":"B"}]})", {true, false}, false,
         "", "", 3, {"A", "B", ""}, std::nullopt},
        {"a negative count", R"({"words_result_num":-2,"words_result":[{"words":"A"}]})", {true, false}, false, "", "", -2, {},
         std::nullopt},
        {"no reply at all, text", "", {true, false}, false, "", "", 0, {}, std::nullopt},
        {"no reply at all, plate", "", {false, true}, false, "", "", std::nullopt, {}, std::vector<Text>{"", "", ""}},
    };
    JsonDocument doc;
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const RecognitionOutcome outcome = readRecognitionOutcome(doc, row.reply, row.kinds);
        EXPECT_EQ(outcome.error, row.error);
        EXPECT_EQ(outcome.errorCode, row.code);
        EXPECT_EQ(outcome.errorMessage, row.message);
        ASSERT_EQ(outcome.text.has_value(), row.count.has_value());
        if (outcome.text) {
            EXPECT_EQ(outcome.text->count, *row.count);
            EXPECT_EQ(outcome.text->lines, row.lines);
        }
        ASSERT_EQ(outcome.plate.has_value(), row.plate.has_value());
        if (outcome.plate) {
            EXPECT_EQ((std::vector<Text>{outcome.plate->colour, outcome.plate->number, outcome.plate->region}), *row.plate);
        }
    }
}

TEST(RecognitionOutcome, MissingLinesAreBounded) {
    JsonDocument doc;
    const RecognitionOutcome outcome =
        readRecognitionOutcome(doc, R"({"words_result_num":2147483647,"words_result":[{"words":"A"}]})", {true, false});
    ASSERT_TRUE(outcome.text);
    EXPECT_EQ(outcome.text->count, 2147483647);
    EXPECT_EQ(outcome.text->lines.size(), 1U + kMaxMissingTextLines);
}

}  // namespace
}  // namespace vd
