#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>

#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/QtText.h"
#include "tests/support/gui/ProgramRun.h"
#include "vision/RequestBodies.h"

namespace vd {
namespace {

using test::VisionStandIn;
using test::RunningWindow;
using test::utf8;
using Endpoint = VisionStandIn::Endpoint;

Text repeated(const Text& text, int times) {
    Text all;
    for (int i = 0; i < times; ++i) all += text;
    return all;
}

class RecognitionTest : public test::ProgramRunTest {
protected:
    // Chooses 单选框1 (text) or 单选框2 (plate); clicks "识别" with the tick counter reading start, then
    // end. A run that ends in an error reply reads it at the start only.
    void recognize(RunningWindow& window, bool plate, std::uint32_t start, std::uint32_t end, bool errorReply = false) {
        const char* radio = plate ? "单选框2" : "单选框1";
        if (!window.radioButton(radio).checked()) window.click(1, radio);
        ASSERT_TRUE(window.radioButton(radio).checked());
        queueTicks({start, end});
        window.click(1, "开始文字识别");
        EXPECT_EQ(ticks.size(), errorReply ? 1U : 0U) << "readings of the tick counter";
        ticks.clear();
    }
    void expectSent(Endpoint endpoint, const char* name) {
        const auto requests = service.requests();
        ASSERT_FALSE(requests.empty()) << name;
        const VisionStandIn::Request& sent = requests.back();
        EXPECT_EQ(sent.method, "POST") << name;
        EXPECT_EQ(sent.path, VisionStandIn::path(endpoint)) << name;
        EXPECT_EQ(sent.query, "access_token=" + service.issuedToken()) << name;
        EXPECT_EQ(sent.header("Content-Type"), "application/x-www-form-urlencoded") << name;
        EXPECT_TRUE(sent.body == recognitionBody(picture)) << name << ": the bytes of 图片框5";
    }
    platform::TabControl innerTabs(RunningWindow& window) { return window.tabControl("高级选择夹2"); }

    const ByteArray picture = test::encodeImage(test::solidImage(120, 40, Qt::white), "JPEG");
};

TEST_F(RecognitionTest, TextLinesInTheReplysOrder) {
    const Text twoLinesThenEmpty = "A\r\nB\r\n";
    struct Case {
        const char* name;
        std::string reply;
        Text text;
        Text status;
        int page;  // of 高级选择夹2 afterwards; it shows page 1 before
        Text elapsed;
    } cases[] = {
        {"the service's example", VisionStandIn::generalTextSuccess(), " TSINGTAO\r\n青島睥酒\r\n", "成功", 0, "0.25秒"},
        {"A then B", R"({"log_id":1,"words_result_num":2,"words_result":[{"words":"A"},{"words":"B"}]})", "A\r\nB\r\n", "成功", 0,
         "1.5秒"},
        {"no line", R"({"log_id":1,"words_result_num":0,"words_result":[]})", "未识别到任何信息", "失败", 1, "2秒"},
        {"a reply without a count", R"({"log_id":1})", "未识别到任何信息", "失败", 1, "0.001秒"},
        {"one line fewer than the array", R"({"words_result_num":1,"words_result":[{"words":"A"},{"words":"B"}]})", "A\r\n", "成功", 0,
         "3秒"},
        {"one line more than the array", R"({"words_result_num":3,"words_result":[{"words":"A"},{"words":"B"}]})", "A\r\nB\r\n\r\n",
         "成功", 0, "3秒"},
        {"count 2147483647 with two lines", R"({"words_result_num":2147483647,"words_result":[{"words":"A"},{"words":"B"}]})",
         twoLinesThenEmpty + repeated("\r\n", 1000), "成功", 0, "3秒"},
        {"count 2147483647 without an array", R"({"words_result_num":2147483647})", repeated("\r\n", 1000), "成功", 0, "3秒"},
        {"an empty line in the reply", R"({"words_result_num":3,"words_result":[{"words":"A"},{"words":""},{"words":"C"}]})",
         "A\r\n\r\nC\r\n", "成功", 0, "3秒"},
    };
    const std::uint32_t durations[] = {250, 1500, 2000, 1, 3000, 3000, 3000, 3000, 3000};
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        for (std::size_t i = 0; i < std::size(cases); ++i) {
            const Case& row = cases[i];
            SCOPED_TRACE(row.name);
            innerTabs(window).setCurrentPage(1);
            service.queueReply(Endpoint::generalText, {200, row.reply});
            recognize(window, false, 40000, 40000 + durations[i]);
            EXPECT_TRUE(window.editBox("编辑框1").text() == row.text) << "the text box";
            EXPECT_EQ(window.label("透明标签67").text(), row.status);
            EXPECT_EQ(innerTabs(window).currentPage(), row.page);
            EXPECT_EQ(window.label("透明标签81").text(), row.elapsed);
            EXPECT_EQ(state.jsonDoc->toText(), "{}") << "emptied after the reply was read";
            expectSent(Endpoint::generalText, row.name);
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(RecognitionTest, PlateColourNumberAndRegionCode) {
    struct Case {
        const char* name;
        const char8_t* colour;
        const char8_t* number;
        Text shownColour;
        Text shownNumber;
        Text region;
    } cases[] = {
        {"blue", u8"blue", u8"京A12345", "蓝牌", "京A12345", "京A"},
        {"green", u8"green", u8"粤B D12345", "绿牌(新能源)", "粤B D12345", "粤B"},
        {"yellow", u8"yellow", u8"苏HS7766", "黄牌", "苏HS7766", "苏H"},
        {"another colour word", u8"white", u8"沪C9999", "white", "沪C9999", "沪C"},
        {"colour word in other letter case", u8"Blue", u8"京A12345", "Blue", "京A12345", "京A"},
        {"yellow_green", u8"yellow_green", u8"浙A00001", "yellow_green", "浙A00001", "浙A"},
        {"a number shorter than three bytes", u8"unknown", u8"京", "unknown", "京", "京"},
        {"an ASCII number", u8"black", u8"ABC123", "black", "ABC123", "ABC"},
    };
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            innerTabs(window).setCurrentPage(0);
            service.queueReply(Endpoint::licensePlate,
                               {200, utf8(u8R"({"log_id":3583925545,"words_result":{"color":")") + utf8(row.colour) + R"(","number":")" +
                                         utf8(row.number) + R"(","probability":[1,0.99999]}})"});
            recognize(window, true, 100, 1350);
            EXPECT_EQ(window.label("透明标签71").text(), row.shownColour);
            EXPECT_EQ(window.label("透明标签72").text(), row.shownNumber);
            EXPECT_EQ(window.label("透明标签73").text(), row.region);
            EXPECT_EQ(window.label("透明标签67").text(), "-") << "the plate result writes no status";
            EXPECT_EQ(window.editBox("编辑框1").text(), "");
            EXPECT_EQ(innerTabs(window).currentPage(), 1);
            EXPECT_EQ(window.label("透明标签81").text(), "1.25秒");
            EXPECT_EQ(state.jsonDoc->toText(), "{}");
            expectSent(Endpoint::licensePlate, row.name);
        }
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(RecognitionTest, ErrorRepliesShowThreeLinesAndKeepTheElapsedTime) {
    struct Case {
        const char* name;
        bool plate;
        std::string reply;
        Text text;
        Text code;  // still in jsonDoc afterwards
    } cases[] = {
        {"daily limit", false, R"({"error_code":17,"error_msg":"Open api daily request limit reached"})",
         "错误！\r\n错误码：17\r\n错误信息：Open api daily request limit reached", "17"},
        {"with a log_id", false, R"({"log_id":1410600654088225875,"error_code":216202,"error_msg":"image size error"})",
         "错误！\r\n错误码：216202\r\n错误信息：image size error", "216202"},
        {"error_code 0 is an error too", false,
         R"({"error_code":0,"error_msg":"SUCCESS","words_result_num":1,"words_result":[{"words":"A"}]})",
         "错误！\r\n错误码：0\r\n错误信息：SUCCESS", "0"},
        {"a message in Chinese", false, utf8(u8R"({"error_code":282000,"error_msg":"内部错误"})"),
         "错误！\r\n错误码：282000\r\n错误信息：内部错误", "282000"},
        {"no plate: the text lands on the hidden page", true, R"({"error_code":282102,"error_msg":"target detect error"})",
         "错误！\r\n错误码：282102\r\n错误信息：target detect error", "282102"},
    };
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            recognize(window, row.plate, 0, 4321);  // a success first
            ASSERT_EQ(window.label("透明标签81").text(), "4.321秒");
            const int page = row.plate ? 0 : 1;  // not the page the success showed
            innerTabs(window).setCurrentPage(page);
            service.queueReply(row.plate ? Endpoint::licensePlate : Endpoint::generalText, {200, row.reply});
            recognize(window, row.plate, 10000, 19000, true);
            EXPECT_TRUE(window.editBox("编辑框1").text() == row.text) << "the text box";
            EXPECT_EQ(window.label("透明标签67").text(), "失败");
            EXPECT_EQ(window.label("透明标签81").text(), "4.321秒") << "unchanged";
            EXPECT_EQ(innerTabs(window).currentPage(), page) << "unchanged";
            for (const char* name : {"透明标签71", "透明标签72", "透明标签73"}) EXPECT_EQ(window.label(name).text(), "-") << name;
            EXPECT_EQ(state.jsonDoc->getText("error_code"), row.code) << "the error reply stays loaded";
        }
    });
}

TEST_F(RecognitionTest, NoReplyAtAll) {
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        stopService();
        recognize(window, false, 0, 700);
        EXPECT_EQ(window.editBox("编辑框1").text(), "未识别到任何信息");
        EXPECT_EQ(window.label("透明标签67").text(), "失败");
        EXPECT_EQ(window.label("透明标签81").text(), "0.7秒");

        recognize(window, true, 0, 800);
        for (const char* name : {"透明标签71", "透明标签72", "透明标签73"}) EXPECT_EQ(window.label(name).text(), "") << name;
        EXPECT_EQ(window.label("透明标签67").text(), "-");
        EXPECT_EQ(window.editBox("编辑框1").text(), "");
        EXPECT_EQ(innerTabs(window).currentPage(), 1);
        EXPECT_EQ(window.label("透明标签81").text(), "0.8秒");
    });
    EXPECT_TRUE(messages.empty());
}

TEST_F(RecognitionTest, TheRadioButtonsChooseTheEndpointOfEachRun) {
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        EXPECT_TRUE(window.radioButton("单选框1").checked()) << "as laid out";
        recognize(window, false, 0, 1);
        expectSent(Endpoint::generalText, "first run");
        EXPECT_EQ(innerTabs(window).currentPage(), 0);
        EXPECT_EQ(window.label("透明标签67").text(), "成功");

        recognize(window, true, 0, 1);
        EXPECT_FALSE(window.radioButton("单选框1").checked());
        expectSent(Endpoint::licensePlate, "second run");
        EXPECT_EQ(innerTabs(window).currentPage(), 1) << "the inner page 车牌识别";
        EXPECT_EQ(window.label("透明标签71").text(), "蓝牌");
        EXPECT_EQ(window.label("透明标签72").text(), "苏HS7766");
        EXPECT_EQ(window.label("透明标签73").text(), "苏H");
        EXPECT_EQ(window.label("透明标签67").text(), "-");
        EXPECT_EQ(window.editBox("编辑框1").text(), "") << "reset by the second run";

        recognize(window, false, 0, 1);
        expectSent(Endpoint::generalText, "third run");
        EXPECT_EQ(innerTabs(window).currentPage(), 0);
        for (const char* name : {"透明标签71", "透明标签72", "透明标签73"}) EXPECT_EQ(window.label(name).text(), "-") << name;
        EXPECT_EQ(service.requestCount(), 4U) << "the token and three runs";
    });
}

// The plate reply's corners on a 960 x 480 picture, which 图片框5 draws scaled down.
TEST_F(RecognitionTest, ThePlateIsOutlinedOnThePictureUntilTheNextRun) {
    const ByteArray large = test::encodeImage(test::solidImage(960, 480, Qt::gray), "JPEG");
    const std::string plate = utf8(u8R"({"log_id":1,"words_result":{"color":"blue","number":"苏HS7766",)");
    struct Case {
        const char* name;
        std::string reply;
        bool outlined;
    } cases[] = {
        {"four points", VisionStandIn::licensePlateSuccess(), true},
        {"no points", plate + "}}", false},
        {"three points", plate + R"("vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},{"x":382,"y":316}]}})", false},
        {"a coordinate that is not a number", plate + R"("vertexes_location":[{"x":"195","y":267},{"x":383,"y":270},{"x":382,"y":316},{"x":195,"y":313}]}})", false},
        {"a point without y", plate + R"("vertexes_location":[{"x":195},{"x":383,"y":270},{"x":382,"y":316},{"x":195,"y":313}]}})", false},
        {"points that are not a list", plate + R"("vertexes_location":{"x":195,"y":267}}})", false},
        {"an error reply", R"({"error_code":282102,"error_msg":"target detect error"})", false},
    };
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", large);
        auto* box = window.widget()->findChild<platform::PictureBoxWidget*>(platform::toQString("图片框5"));
        ASSERT_NE(box, nullptr);
        const QRect drawn = box->drawnRect();
        const double scale = drawn.width() / 960.0;
        for (const Case& row : cases) {
            SCOPED_TRACE(row.name);
            recognize(window, true, 0, 10);  // the stand-in's plate reply, with its points
            ASSERT_EQ(box->outlinePolygon().size(), 4) << "outlined before the run";
            service.queueReply(Endpoint::licensePlate, {200, row.reply});
            recognize(window, true, 0, 10, row.reply.find("error_code") != std::string::npos);
            const QPolygonF outline = box->outlinePolygon();
            if (!row.outlined) {
                EXPECT_TRUE(outline.isEmpty()) << "the run cleared the outline and drew none";
                continue;
            }
            const double corners[4][2] = {{195, 267}, {383, 270}, {382, 316}, {195, 313}};
            ASSERT_EQ(outline.size(), 4);
            for (int k = 0; k < 4; ++k) {
                EXPECT_LE(std::abs(outline[k].x() - (drawn.x() + corners[k][0] * scale)), 1.0) << k;
                EXPECT_LE(std::abs(outline[k].y() - (drawn.y() + corners[k][1] * scale)), 1.0) << k;
            }
        }
        recognize(window, false, 0, 10);
        EXPECT_TRUE(box->outlinePolygon().isEmpty()) << "a text recognition removes the outline";
        recognize(window, true, 0, 10);
        ASSERT_EQ(box->outlinePolygon().size(), 4);
        pick(window, 1, "按钮2", large);
        EXPECT_TRUE(box->outlinePolygon().isEmpty()) << "a new picture removes the outline";
    });
}

}  // namespace
}  // namespace vd
