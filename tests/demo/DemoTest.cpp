#include <gtest/gtest.h>

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Program.h"
#include "platform/gui/TestHooks.h"
#include "tests/support/gui/ProgramRun.h"
#include "vision/ServiceConfig.h"

extern char** environ;

namespace vd {
namespace {

using test::RunningWindow;

// The stand-in executable, started by the test and stopped by its process id.
class StandInProcess {
public:
    StandInProcess() {
        int fds[2];
        if (pipe(fds) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, fds[0]);
        char* argv[] = {const_cast<char*>(VD_DEMO_STAND_IN), nullptr};
        if (posix_spawn(&pid_, VD_DEMO_STAND_IN, &actions, nullptr, argv, environ) != 0) pid_ = 0;
        posix_spawn_file_actions_destroy(&actions);
        close(fds[1]);
        output_ = fds[0];
    }
    ~StandInProcess() { stop(); }
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    // True once it has said that it listens (it says so only after taking the port); false when it
    // ended first or after 10 s.
    bool waitUntilListening() {
        std::string said;
        pollfd readable{output_, POLLIN, 0};
        while (pid_ != 0 && said.find('\n') == std::string::npos && poll(&readable, 1, 10000) == 1) {
            char buffer[256];
            const ssize_t n = read(output_, buffer, sizeof buffer);
            if (n <= 0) break;
            said.append(buffer, static_cast<std::size_t>(n));
        }
        return said.find("listening on https://127.0.0.1:" + std::to_string(VD_DEMO_PORT)) != std::string::npos;
    }

    // SIGTERM, then its wait status; -1 when it was not running.
    int stop() {
        int status = -1;
        if (pid_ != 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, &status, 0);
            pid_ = 0;
        }
        if (output_ >= 0) close(output_);
        output_ = -1;
        return status;
    }

private:
    pid_t pid_ = 0;
    int output_ = -1;
};

std::filesystem::path sample(const char* name) { return std::filesystem::path(VD_DEMO_SAMPLE_DIR) / name; }

TEST(DemoVariant, ComparesAndRecognisesAgainstItsStandIn) {
    test::ensureGui();
    EXPECT_EQ(visionApiHost(), "127.0.0.1:" + std::to_string(VD_DEMO_PORT)) << "the demo's service configuration is linked";
    EXPECT_FALSE(visionTrustedCaFile().empty());

    StandInProcess standIn;
    ASSERT_TRUE(standIn.waitUntilListening()) << VD_DEMO_STAND_IN << " listens on 127.0.0.1:" << VD_DEMO_PORT;

    std::deque<std::filesystem::path> answers;
    std::vector<Text> messages;
    platform::installGuiHooks(platform::GuiHooks{
        .openFile =
            [&answers](const platform::FileDialogRequest&) -> std::optional<std::filesystem::path> {
                if (answers.empty()) return std::nullopt;
                std::filesystem::path answer = answers.front();
                answers.pop_front();
                return answer;
            },
        .messageBox = [&messages](const Text& text, const Text&) { messages.push_back(text); },
        .tickCount = {}});
    auto pick = [&answers](RunningWindow& window, int page, const char* button, const char* file) {
        ASSERT_TRUE(std::filesystem::exists(sample(file))) << sample(file);
        answers.push_back(sample(file));
        window.click(page, button);
        EXPECT_TRUE(answers.empty()) << button << " opened the file dialog";
    };

    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* top = test::visibleMainWindow();
        if (top == nullptr) {
            ADD_FAILURE() << "no main window is shown";
            QCoreApplication::quit();
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
        // The window is shown at once; it takes input when the token reply is in.
        EXPECT_TRUE(test::waitForBackgroundWork());
        RunningWindow window(top);
        EXPECT_TRUE(window.caption().ends_with("---与百度服务器连接成功")) << "token from the stand-in";

        pick(window, 0, "打开对比图1", "face-1.png");
        pick(window, 0, "打开对比图2", "face-2.png");
        window.click(0, "对比人脸");
        EXPECT_EQ(window.label("透明标签14").text(), "两张图片一定是同一个人！");
        EXPECT_EQ(window.label("透明标签17").text(), "96.01836395 %");
        EXPECT_EQ(window.label("透明标签9").text(), "807547e2f5ba96826c08b74420a2dca6");
        EXPECT_EQ(window.label("透明标签12").text(), "e8eb101fd7a1a6d82282d3f6969f39ec");
        EXPECT_TRUE(window.label("透明标签77").text().ends_with("秒"));

        pick(window, 1, "按钮2", "text.png");
        window.click(1, "单选框1");
        window.click(1, "开始文字识别");
        EXPECT_TRUE(window.editBox("编辑框1").text() == " TSINGTAO\r\n青島睥酒\r\n") << "the recognised lines";
        EXPECT_EQ(window.label("透明标签67").text(), "成功");

        pick(window, 1, "按钮2", "plate.png");
        window.click(1, "单选框2");
        window.click(1, "开始文字识别");
        EXPECT_EQ(window.label("透明标签71").text(), "蓝牌");
        EXPECT_EQ(window.label("透明标签72").text(), "苏HS7766");
        EXPECT_EQ(window.label("透明标签73").text(), "苏H");
        ran = true;
        top->close();
    });
    AppState state;
    EXPECT_EQ(runProgram(state), 0);
    platform::removeGuiHooks();
    EXPECT_TRUE(ran) << "the test ran inside the program's message loop";
    EXPECT_TRUE(messages.empty()) << messages.front();

    const int status = standIn.stop();
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the stand-in ends cleanly on SIGTERM";
}

}  // namespace
}  // namespace vd
