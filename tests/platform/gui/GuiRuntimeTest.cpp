#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <csignal>
#include <cstdlib>

#include "platform/gui/GuiRuntime.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

WindowLayout smallLayout() {
    WindowLayout layout;
    layout.caption = "loop";
    layout.clientWidth = 50;
    layout.clientHeight = 50;
    return layout;
}

TEST(GuiRuntime, ExitRoutineRunsOnceWhenTheMainWindowCloses) {
    vd::test::ensureGui();
    int runs = 0;
    bool loopWasRunning = false;
    {
        GuiRuntime runtime("loop-test");
        ASSERT_TRUE(runtime.initialise());
        EXPECT_TRUE(runtime.registerExitRoutine([&runs] { ++runs; }));
        EXPECT_FALSE(runtime.registerExitRoutine([&runs] { runs += 100; })) << "registered once";
        Window window(smallLayout());
        window.open();
        QTimer::singleShot(0, [&] {
            loopWasRunning = true;
            EXPECT_EQ(runs, 0);
            window.close();
        });
        EXPECT_EQ(runtime.runMessageLoop(window), 0);
        EXPECT_TRUE(loopWasRunning);
        EXPECT_EQ(runs, 1);
    }
    EXPECT_EQ(runs, 1) << "not again when the runtime ends";
}

// A logout or kill ends the program as closing its window does, exit routine included.
TEST(GuiRuntime, TerminationSignalsCloseTheMainWindow) {
    vd::test::ensureGui();
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        int runs = 0;
        GuiRuntime runtime("signal-test");
        ASSERT_TRUE(runtime.initialise());
        runtime.registerExitRoutine([&runs] { ++runs; });
        Window window(smallLayout());
        window.open();
        QTimer::singleShot(0, [signal] { std::raise(signal); });
        EXPECT_EQ(runtime.runMessageLoop(window), 0);
        EXPECT_EQ(runs, 1);
        EXPECT_FALSE(window.widget()->isVisible());
    }
    // Outside the loop the signal's own handling is back.
    struct sigaction current {};
    ::sigaction(SIGTERM, nullptr, &current);
    EXPECT_EQ(current.sa_handler, SIG_DFL);
}

TEST(GuiRuntime, WindowsNameTheInstalledDesktopEntry) {
    vd::test::ensureGui();
    GuiRuntime runtime("entry-test");
    ASSERT_TRUE(runtime.initialise());
    EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("io.github.visiondesk.VisionDesk"));
}

TEST(GuiRuntime, ExitRoutineRunsAtTheEndAlsoWithoutALoop) {
    int runs = 0;
    {
        GuiRuntime runtime("no-loop");
        runtime.registerExitRoutine([&runs] { ++runs; });
    }
    EXPECT_EQ(runs, 1);
}

// Each probe runs in a fresh process (threadsafe death-test style), where no toolkit runs yet.
TEST(GuiRuntimeDeathTest, WithoutADisplayItSaysSoInOneLine) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::unsetenv("QT_QPA_PLATFORM");
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            GuiRuntime runtime("probe");
            std::exit(runtime.initialise() ? 0 : 3);
        },
        ::testing::ExitedWithCode(3), "^probe: cannot open the window: no display \\(DISPLAY and WAYLAND_DISPLAY are not set\\)\n$");
    // A platform is named but cannot open: Qt's fatal error becomes the same kind of line.
    EXPECT_EXIT(
        {
            ::setenv("QT_QPA_PLATFORM", "xcb", 1);
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            GuiRuntime runtime("probe");
            std::exit(runtime.initialise() ? 0 : 3);
        },
        ::testing::ExitedWithCode(1), "probe: cannot open the window: no display could be opened\n$");
}

}  // namespace
}  // namespace vd::platform
