#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/QtText.h"
#include "tests/support/gui/ProgramRun.h"

namespace vd {
namespace {

using test::VisionStandIn;
using test::RunningWindow;
using test::utf8;
using Endpoint = VisionStandIn::Endpoint;

class RecognisedTextTest : public test::ProgramRunTest {};

// Characters GBK lacks (Hangul, symbols, an emoji, a character beyond the basic plane) reach the
// text box whole: in the widget as the characters themselves, in the program's text in their
// four-byte form.
TEST_F(RecognisedTextTest, CharactersBeyondGbkReachTheTextBoxWhole) {
    const std::string reply = utf8(u8R"({"log_id":7,"words_result_num":3,"words_result":[)"
                                   u8R"({"words":"한국어 텍스트"},{"words":"bullet • and ™ ©"},)"
                                   u8R"({"words":"emoji 😀 and 𠀀"}]})");
    const ByteArray picture = test::encodeImage(test::solidImage(120, 40, Qt::white), "JPEG");
    runProgramWith([&](RunningWindow& window) {
        pick(window, 1, "按钮2", picture);
        window.tabControl("高级选择夹2").setCurrentPage(1);
        service.queueReply(Endpoint::generalText, {200, reply});
        if (!window.radioButton("单选框1").checked()) window.click(1, "单选框1");
        queueTicks({1000, 1500});
        window.click(1, "开始文字识别");

        const auto* box = window.widget()->findChild<platform::EditBoxWidget*>(platform::toQString("编辑框1"));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->shownText().toStdString(), utf8(u8"한국어 텍스트\nbullet • and ™ ©\nemoji 😀 and 𠀀\n"));
        const Text shown = window.editBox("编辑框1").text();
        EXPECT_EQ(shown.find('?'), Text::npos) << "no character replaced by '?'";
        EXPECT_EQ(platform::toQString(shown).toStdString(),
                  utf8(u8"한국어 텍스트\r\nbullet • and ™ ©\r\nemoji 😀 and 𠀀\r\n"));
        EXPECT_EQ(window.label("透明标签67").text(), "成功");
    });
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace vd
