#include "platform/gui/BackgroundWork.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <atomic>
#include <thread>

#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::waitForBackgroundWork;

ControlDescription control(ControlKind kind, const char* name, const char* text, int y, const char* parent) {
    ControlDescription desc;
    desc.kind = kind;
    desc.name = name;
    desc.text = text;
    desc.x = 10;
    desc.y = y;
    desc.width = kind == ControlKind::TabControl ? 300 : 80;
    desc.height = kind == ControlKind::TabControl ? 200 : 30;
    desc.parent = parent;
    return desc;
}

WindowLayout twoPages() {
    WindowLayout layout;
    layout.caption = "忙碌";
    layout.clientWidth = 320;
    layout.clientHeight = 220;
    ControlDescription tabs = control(ControlKind::TabControl, "选择夹", "", 0, "");
    tabs.pages = {"一", "二"};
    layout.controls.push_back(tabs);
    layout.controls.push_back(control(ControlKind::Button, "按钮", "按", 40, "选择夹"));
    layout.controls.push_back(control(ControlKind::RadioButton, "单选", "选", 80, "选择夹"));
    return layout;
}

class BackgroundWorkTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }
    void SetUp() override {
        window.setWorkControls({"按钮"});
        window.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    }
    QWidget* widget(const char* name) const { return window.controlWidget(name); }
    Window window{twoPages()};
};

TEST_F(BackgroundWorkTest, WorkRunsOnAWorkerAndItsDoneStepOnTheGuiThread) {
    std::atomic<bool> release{false};
    std::thread::id workThread;
    std::thread::id doneThread;
    int clicks = 0;
    window.button("按钮").onClicked([&clicks] { ++clicks; });
    ASSERT_TRUE(window.runInBackground(
        [&] {
            workThread = std::this_thread::get_id();
            while (!release) std::this_thread::yield();
        },
        [&] { doneThread = std::this_thread::get_id(); }));
    EXPECT_TRUE(window.busy());
    EXPECT_TRUE(backgroundWorkPending());
    EXPECT_FALSE(window.runInBackground([] {}, [] { ADD_FAILURE() << "a second piece of work ran"; })) << "one at a time";

    EXPECT_FALSE(widget("按钮")->isEnabled());
    QTest::mouseClick(widget("按钮"), Qt::LeftButton);
    QTest::mouseClick(widget("单选"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 15));  // on the indicator
    QTest::keyClick(widget("单选"), Qt::Key_Space);
    EXPECT_FALSE(window.radioButton("单选").checked()) << "input refused";
    // The tab row stays usable.
    auto* bar = window.widget()->findChild<QTabBar*>();
    ASSERT_NE(bar, nullptr);
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(1).center());
    EXPECT_EQ(window.tabControl("选择夹").currentPage(), 1);
    window.tabControl("选择夹").setCurrentPage(0);

    release = true;
    ASSERT_TRUE(waitForBackgroundWork());
    EXPECT_NE(workThread, std::this_thread::get_id());
    EXPECT_EQ(doneThread, std::this_thread::get_id());
    EXPECT_FALSE(window.busy());
    EXPECT_TRUE(widget("按钮")->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::mouseClick(widget("单选"), Qt::LeftButton, Qt::NoModifier, QPoint(6, 15));  // on the indicator
    EXPECT_TRUE(window.radioButton("单选").checked()) << "input taken again";
    QTest::mouseClick(widget("按钮"), Qt::LeftButton);
    EXPECT_EQ(clicks, 1) << "only the click after the work";
}

TEST_F(BackgroundWorkTest, AbandonedWorkIsAskedToEndAndItsDoneStepDropped) {
    std::atomic<bool> release{false};
    int handlerCalls = 0;
    window.setAbandonHandler([&] {
        ++handlerCalls;
        release = true;
    });
    ASSERT_TRUE(window.runInBackground(
        [&] {
            while (!release) std::this_thread::yield();
        },
        [] { ADD_FAILURE() << "the done step of abandoned work ran"; }));
    window.abandonBackgroundWork();
    EXPECT_EQ(handlerCalls, 1);
    EXPECT_FALSE(window.busy());
    EXPECT_FALSE(backgroundWorkPending());
    EXPECT_TRUE(widget("按钮")->isEnabled());
    QTest::qWait(20);  // a done step already queued would run now
    window.abandonBackgroundWork();
    EXPECT_EQ(handlerCalls, 1) << "nothing under way";
}

TEST_F(BackgroundWorkTest, WorkThatFinishedBeforeItWasAbandonedDropsItsDoneStepToo) {
    std::atomic<bool> finished{false};
    ASSERT_TRUE(window.runInBackground([&] { finished = true; }, [] { ADD_FAILURE() << "done ran"; }));
    while (!finished) std::this_thread::yield();
    window.abandonBackgroundWork();
    QTest::qWait(20);
    EXPECT_FALSE(backgroundWorkPending());
}

}  // namespace
}  // namespace vd::platform
