#pragma once

#include <gtest/gtest.h>

#include <QWidget>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/AppState.h"
#include "platform/gui/Controls.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "tests/support/VisionStandIn.h"
#include "vision/ServiceConfig.h"

// The whole program (runProgram) against the stand-in service on 127.0.0.1, on the offscreen
// platform: the file dialog, the message box and the tick counter answered by the test.
namespace vd::test {

// The main window of the running program; controls are found by their layout names.
class RunningWindow {
public:
    explicit RunningWindow(QWidget* top) : top_(top) {}
    QWidget* widget() const { return top_; }
    Text caption() const;
    platform::Label label(const char* name) const;
    platform::EditBox editBox(const char* name) const;
    platform::PictureBox pictureBox(const char* name) const;
    platform::ShapeBox shapeBox(const char* name) const;
    platform::GroupBox groupBox(const char* name) const;
    platform::TabControl tabControl(const char* name) const;
    platform::RadioButton radioButton(const char* name) const;
    // Shows the outer page (0 "人脸对比", 1 "文字识别") and clicks the button or radio button there;
    // returns when what the click started has ended (a reply has been shown).
    void click(int page, const char* name) const;
    // The same click, returning at once.
    void clickWithoutWaiting(int page, const char* name) const;

private:
    QWidget* find(const char* name) const;
    QWidget* top_;
};

// The visible main window of a running program, or nullptr.
QWidget* visibleMainWindow();

// UTF-8 bytes of a u8 literal, as the stand-in sends them.
std::string utf8(const char8_t* text);

class ProgramRunTest : public ::testing::Test {
protected:
    struct Message {
        Text caption;
        Text text;
        bool windowShown;  // the main window was shown and could be used when the box opened
    };

    static void SetUpTestSuite() { ensureGui(); }
    void SetUp() override;
    void TearDown() override;

    // Runs the program with a client of the stand-in; `body` runs inside its message loop with the
    // shown main window, which is then closed. Returns runProgram's result. The body starts once
    // the token reply has been shown, or at once with the window shown when `afterTokenReply` is false.
    int runProgramWith(const std::function<void(RunningWindow&)>& body, bool afterTokenReply = true);

    // Picks a file of these bytes with the picture button `button` of outer page `page`.
    void pick(RunningWindow& window, int page, const char* button, const ByteArray& bytes);

    // Stops the stand-in while the program runs: later requests get no reply. The client's
    // connections are closed first, so that the stand-in need not wait for them to time out.
    void stopService();

    // The next readings of the tick counter; once used up it reads 0.
    void queueTicks(std::initializer_list<std::uint32_t> values) { ticks.insert(ticks.end(), values); }

    test::VisionStandIn service{Text(visionApiKey()), Text(visionSecretKey())};
    ScratchFolder folder;
    AppState state;
    int clientsMade = 0;
    std::deque<std::optional<std::filesystem::path>> answers;
    std::deque<std::uint32_t> ticks;
    std::vector<Message> messages;

private:
    int picked_ = 0;
};

}  // namespace vd::test
