#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/gui/ProgramRun.h"
#include "vision/RequestBodies.h"

namespace vd {
namespace {

using test::VisionStandIn;
using test::RunningWindow;
using test::utf8;
using Endpoint = VisionStandIn::Endpoint;

constexpr std::uint32_t kGreen = 65280;
constexpr std::uint32_t kRed = 255;

std::string successReply(const std::string& score, const std::string& firstToken, const std::string& secondToken) {
    return R"({"error_code":0,"error_msg":"SUCCESS","log_id":1345050766031247171,"timestamp":1556603124,"cached":0,)"
           R"("result":{"score":)" +
           score + R"(,"face_list":[{"face_token":")" + firstToken + R"("},{"face_token":")" + secondToken + R"("}]}})";
}

class FaceComparisonTest : public test::ProgramRunTest {
protected:
    void pickBoth(RunningWindow& window) {
        pick(window, 0, "打开对比图1", first);
        pick(window, 0, "打开对比图2", second);
    }
    // Clicks "开始对比"; the tick counter reads start, then end.
    void compare(RunningWindow& window, std::uint32_t start, std::uint32_t end) {
        queueTicks({start, end});
        window.click(0, "对比人脸");
        EXPECT_TRUE(ticks.empty()) << "the counter is read at the start and at the end";
    }
    // The same for a comparison that fails: the counter is read at the start only.
    void compareFailing(RunningWindow& window, std::uint32_t start) {
        queueTicks({start, start + 1000});
        window.click(0, "对比人脸");
        EXPECT_EQ(ticks.size(), 1U) << "the counter is read at the start only";
        ticks.clear();
    }
    void expectSentPictures(const char* name) {
        const auto requests = service.requests();
        ASSERT_FALSE(requests.empty()) << name;
        const VisionStandIn::Request& sent = requests.back();
        EXPECT_EQ(sent.method, "POST") << name;
        EXPECT_EQ(sent.path, VisionStandIn::path(Endpoint::faceMatch)) << name;
        EXPECT_EQ(sent.query, "access_token=" + service.issuedToken()) << name;
        EXPECT_EQ(sent.header("Content-Type"), "application/json") << name;
        EXPECT_TRUE(sent.body == faceMatchBody(first, second)) << name << ": the bytes of both picture boxes";
    }

    const ByteArray first = test::encodeImage(test::solidImage(64, 48, Qt::red), "PNG");
    const ByteArray second = test::encodeImage(test::solidImage(80, 60, Qt::yellow), "JPEG");
};

TEST_F(FaceComparisonTest, SuccessShowsVerdictScoreTokensAndElapsedTime) {
    struct Case {
        const char* name;
        std::string score;  // as the reply writes it
        std::uint32_t startTick;
        std::uint32_t endTick;
        Text verdict;
        Text scoreLabel;
        Text elapsed;
    } cases[] = {
        {"80.0 is the same person", "80.0", 1000, 2234, "两张图片一定是同一个人！", "80 %", "1.234秒"},
        {"79.999 may not be", "79.999", 0, 1500, "两张图片可能不是同一个人", "79.999 %", "1.5秒"},
        {"all digits of the score", "96.01836395", 5000, 7000, "两张图片一定是同一个人！", "96.01836395 %", "2秒"},
        {"79 may not be", "79", 10, 10, "两张图片可能不是同一个人", "79 %", "0秒"},
        {"counter passes the largest positive value", "100", 0x7FFFFE0Cu, 0x800001F4u, "两张图片一定是同一个人！", "100 %", "1秒"},
        {"counter wraps to 0", "0", 0xFFFFFB1Eu, 0x000001F4u, "两张图片可能不是同一个人", "0 %", "1.75秒"},
    };
    runProgramWith([&](RunningWindow& window) {
        pickBoth(window);
        for (int i = 0; const Case& row : cases) {
            SCOPED_TRACE(row.name);
            const std::string tokenOne = "first-" + std::to_string(i);
            const std::string tokenTwo = "second-" + std::to_string(i++);
            service.queueReply(Endpoint::faceMatch, {200, successReply(row.score, tokenOne, tokenTwo)});
            compare(window, row.startTick, row.endTick);
            EXPECT_EQ(window.label("透明标签14").text(), row.verdict);
            EXPECT_EQ(window.label("透明标签17").text(), row.scoreLabel);
            EXPECT_EQ(window.label("透明标签9").text(), tokenOne);
            EXPECT_EQ(window.label("透明标签12").text(), tokenTwo);
            EXPECT_EQ(window.label("透明标签77").text(), row.elapsed);
            EXPECT_EQ(window.shapeBox("外形框2").fillColour(), kGreen);
            EXPECT_FALSE(window.groupBox("错误框2").visible());
            EXPECT_TRUE(state.lastReplyOk);
            EXPECT_EQ(state.jsonDoc->toText(), "{}") << "emptied after the reply was read";
            expectSentPictures(row.name);
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(FaceComparisonTest, ErrorRepliesShowThePanelAndASuccessHidesItAgain) {
    struct Case {
        const char* name;
        std::optional<std::string> reply;  // nullopt: no reply at all (the service is gone)
        Text code;
        Text description;
        Text message;
    } cases[] = {
        {"no face", R"({"error_code":222202,"error_msg":"pic not has face","log_id":2659027871,"timestamp":1527231061,"cached":0,"result":null})",
         "222202", "未检测到人脸", "pic not has face"},
        {"223105", R"({"error_code":223105,"error_msg":"face is already exist"})", "223105", "该人脸已存在", "face is already exist"},
        {"223106", R"({"error_code":223106,"error_msg":"face is not exist"})", "223106", "该人脸已存在", "face is not exist"},
        {"222001", R"({"error_code":222001,"error_msg":"param[] is null"})", "222001", "必要参数未传入", "param[] is null"},
        {"223114", R"({"error_code":223114,"error_msg":"face is fuzzy"})", "223114", "脸部不清晰", "face is fuzzy"},
        {"unknown code 110", R"({"error_code":110,"error_msg":"Access token invalid or no longer valid"})", "110", "",
         "Access token invalid or no longer valid"},
        {"message in Chinese", utf8(u8R"({"error_code":18,"error_msg":"请求超限"})"), "18", "", "请求超限"},
        {"no error_code at all", R"({"result":{"score":99.5}})", "", "", ""},
        {"no reply at all", std::nullopt, "", "", ""},  // last: the stand-in stays down
    };
    runProgramWith([&](RunningWindow& window) {
        pickBoth(window);
        compare(window, 100, 1100);
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            if (row.reply) {
                service.queueReply(Endpoint::faceMatch, {200, *row.reply});
            } else {
                stopService();
            }
            compareFailing(window, 5000);
            EXPECT_FALSE(state.lastReplyOk);
            EXPECT_TRUE(window.groupBox("错误框2").visible());
            EXPECT_EQ(window.editBox("错误代码框2").text(), row.code);
            EXPECT_EQ(window.editBox("错误描述框2").text(), row.description);
            EXPECT_EQ(window.editBox("错误信息框2").text(), row.message);
            EXPECT_EQ(window.shapeBox("外形框2").fillColour(), kRed);
            EXPECT_EQ(window.label("透明标签14").text(), "识别中,请稍等...");
            EXPECT_EQ(window.label("透明标签17").text(), "-");
            // What the last success showed stays.
            EXPECT_EQ(window.label("透明标签9").text(), "807547e2f5ba96826c08b74420a2dca6");
            EXPECT_EQ(window.label("透明标签12").text(), "e8eb101fd7a1a6d82282d3f6969f39ec");
            EXPECT_EQ(window.label("透明标签77").text(), "1秒");
            if (!row.reply) break;

            compare(window, 100, 1100);
            EXPECT_TRUE(state.lastReplyOk) << "success after the failure";
            EXPECT_FALSE(window.groupBox("错误框2").visible());
            EXPECT_EQ(window.shapeBox("外形框2").fillColour(), kGreen);
            EXPECT_EQ(window.label("透明标签14").text(), "两张图片一定是同一个人！");
            EXPECT_EQ(window.label("透明标签17").text(), "96.01836395 %");
            EXPECT_EQ(window.label("透明标签77").text(), "1秒");
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(FaceComparisonTest, AfterAFailedTokenRequestTheServiceRefusesTheEmptyToken) {
    service.queueReply(Endpoint::token, {401, "{\"error_description\":\"unknown client id\",\"error\":\"invalid_client\"}\n"});
    runProgramWith([&](RunningWindow& window) {
        pickBoth(window);
        compareFailing(window, 0);
        EXPECT_EQ(service.requests().back().query, "access_token=");
        EXPECT_TRUE(window.groupBox("错误框2").visible());
        EXPECT_EQ(window.editBox("错误代码框2").text(), "110");
        EXPECT_EQ(window.editBox("错误描述框2").text(), "");
        EXPECT_EQ(window.editBox("错误信息框2").text(), "Access token invalid or no longer valid");
    });
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_EQ(messages[0].text, "服务器授权失败！请检查API KEY");
}

TEST_F(FaceComparisonTest, WithoutPicturesNothingIsSent) {
    const ByteArray none;
    struct Case {
        const char* name;
        std::optional<ByteArray> picture1;  // nullopt: keep what the box holds
        std::optional<ByteArray> picture2;
        std::optional<ByteArray> picture5;
        int page;
        const char* button;
        Text message;
    } cases[] = {
        {"no picture at all", std::nullopt, std::nullopt, std::nullopt, 0, "对比人脸", "图片1无图片！"},
        {"only picture 2", std::nullopt, second, std::nullopt, 0, "对比人脸", "图片1无图片！"},
        {"picture 2 of 0 bytes", first, none, std::nullopt, 0, "对比人脸", "图片2无图片！"},
        {"picture 1 of 0 bytes", none, second, std::nullopt, 0, "对比人脸", "图片1无图片！"},
        {"no recognition picture", first, second, std::nullopt, 1, "开始文字识别", "请打开图片后再识别"},
        {"recognition picture of 0 bytes", std::nullopt, std::nullopt, none, 1, "开始文字识别", "请打开图片后再识别"},
    };
    runProgramWith([&](RunningWindow& window) {
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            if (row.picture1) pick(window, 0, "打开对比图1", *row.picture1);
            if (row.picture2) pick(window, 0, "打开对比图2", *row.picture2);
            if (row.picture5) pick(window, 1, "按钮2", *row.picture5);
            messages.clear();
            window.click(row.page, row.button);
            ASSERT_EQ(messages.size(), 1U);
            EXPECT_EQ(messages[0].caption, "信息：");
            EXPECT_EQ(messages[0].text, row.message);
            EXPECT_EQ(service.requestCount(), 1U) << "only the token request";
            for (const char* name : {"透明标签14", "透明标签17", "透明标签9", "透明标签12", "透明标签77", "透明标签67", "透明标签71",
                                     "透明标签72", "透明标签73", "透明标签81"}) {
                EXPECT_EQ(window.label(name).text(), "-") << name;
            }
            EXPECT_EQ(window.editBox("编辑框1").text(), "");
            EXPECT_FALSE(window.groupBox("错误框2").visible());
            EXPECT_EQ(window.shapeBox("外形框2").fillColour(), 0xFFFFFFu) << "white as laid out";
        }
    });
}

}  // namespace
}  // namespace vd
