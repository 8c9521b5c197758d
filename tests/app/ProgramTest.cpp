#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdlib>

#include "app/Program.h"
#include "platform/gui/Environment.h"
#include "platform/gui/TestHooks.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/VisionStandIn.h"
#include "vision/ServiceConfig.h"

namespace vd {
namespace {

using vd::test::qs;

QWidget* mainWindowWidget() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->windowTitle().startsWith(qs(u8"人脸对比-百度API"))) return widget;
    return nullptr;
}

TEST(Program, RunsTheWindowAndCleansUpOnceAtTheEnd) {
    vd::test::ensureGui();
    test::VisionStandIn service{Text(visionApiKey()), Text(visionSecretKey())};
    std::vector<platform::FileDialogRequest> requests;
    platform::installGuiHooks(platform::GuiHooks{.openFile =
                                                     [&requests](const platform::FileDialogRequest& request) {
                                                         requests.push_back(request);
                                                         return std::optional<std::filesystem::path>{};
                                                     },
                                                 .messageBox = {},
                                                 .tickCount = {}});
    AppState state;
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
        QWidget* window = mainWindowWidget();
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(vd::test::waitForBackgroundWork()) << "the token reply";
        sawWindow = true;
        // What the workflows leave behind, released by exitCleanup after the loop.
        state.lastErrorCode = "222202";
        state.lastErrorDescription = "未检测到人脸";
        state.lastErrorMessage = "pic not has face";
        window->findChild<QPushButton*>(qs(u8"打开对比图1"))->click();
        window->close();
    });
    EXPECT_EQ(runProgram(state, [&service] { return std::make_unique<VisionApiClient>(service.host(), test::caCertificate()); }), 0);
    platform::removeGuiHooks();
    EXPECT_TRUE(sawWindow);
    EXPECT_EQ(state.lastErrorCode, "");
    EXPECT_EQ(state.lastErrorDescription, "");
    EXPECT_EQ(state.lastErrorMessage, "");
    ASSERT_EQ(requests.size(), 1U);
    EXPECT_EQ(requests[0].initialFolder, platform::desktopFolder()) << "set by the created event";
    EXPECT_EQ(mainWindowWidget(), nullptr);
}

TEST(Program, ExitCleanupReleasesTheErrorTexts) {
    AppState state;
    // Assigned as texts: g++ 12 at -O3 reports a false -Wrestrict for a literal assigned here.
    state.lastErrorCode = Text("1");
    state.lastErrorDescription = Text("2");
    state.lastErrorMessage = Text("3");
    state.startTickMs = 1234;
    exitCleanup(state);
    EXPECT_TRUE(state.lastErrorCode.empty() && state.lastErrorDescription.empty() && state.lastErrorMessage.empty());
    EXPECT_EQ(state.startTickMs, 1234);
    exitCleanup(state);  // also with empty texts
    EXPECT_TRUE(state.lastErrorCode.empty());
}

TEST(ProgramDeathTest, WithoutADisplayItSaysSoAndEndsWithAFailure) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            ::unsetenv("QT_QPA_PLATFORM");
            ::unsetenv("DISPLAY");
            ::unsetenv("WAYLAND_DISPLAY");
            AppState state;
            std::exit(runProgram(state));
        },
        ::testing::ExitedWithCode(1), "^vision-desk: cannot open the window: no display \\(DISPLAY and WAYLAND_DISPLAY are not set\\)\n$");
}

}  // namespace
}  // namespace vd
