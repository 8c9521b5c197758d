#include "tests/support/gui/ProgramRun.h"

#include <QApplication>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/Program.h"
#include "platform/gui/BackgroundWork.h"
#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/QtText.h"
#include "platform/gui/ShapeBoxWidget.h"
#include "platform/gui/TabControlWidget.h"
#include "platform/gui/TestHooks.h"
#include "tests/support/TestCertificates.h"
#include "vision/ServiceConfig.h"

namespace vd::test {

QWidget* visibleMainWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && widget->findChild<QWidget*>(platform::toQString("高级选择夹1")) != nullptr) return widget;
    }
    return nullptr;
}

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

Text RunningWindow::caption() const { return platform::fromQString(top_->windowTitle()); }

QWidget* RunningWindow::find(const char* name) const {
    QWidget* widget = top_->findChild<QWidget*>(platform::toQString(name));
    EXPECT_NE(widget, nullptr) << "no control " << name;
    return widget;
}

// The names are unique in the layout, so the kind follows from the name.
platform::Label RunningWindow::label(const char* name) const {
    return platform::Label(static_cast<platform::LabelWidget*>(find(name)));
}
platform::EditBox RunningWindow::editBox(const char* name) const {
    return platform::EditBox(static_cast<platform::EditBoxWidget*>(find(name)));
}
platform::PictureBox RunningWindow::pictureBox(const char* name) const {
    return platform::PictureBox(static_cast<platform::PictureBoxWidget*>(find(name)));
}
platform::ShapeBox RunningWindow::shapeBox(const char* name) const {
    return platform::ShapeBox(static_cast<platform::ShapeBoxWidget*>(find(name)));
}
platform::GroupBox RunningWindow::groupBox(const char* name) const {
    return platform::GroupBox(static_cast<QGroupBox*>(find(name)));
}
platform::TabControl RunningWindow::tabControl(const char* name) const {
    return platform::TabControl(static_cast<platform::TabControlWidget*>(find(name)));
}
platform::RadioButton RunningWindow::radioButton(const char* name) const {
    return platform::RadioButton(static_cast<QRadioButton*>(find(name)));
}

void RunningWindow::click(int page, const char* name) const {
    tabControl("高级选择夹1").setCurrentPage(page);
    QWidget* widget = find(name);
    if (widget == nullptr) return;
    EXPECT_TRUE(widget->isVisible()) << name << " is on the page shown";
    QTest::mouseClick(widget, Qt::LeftButton);
    EXPECT_TRUE(waitForBackgroundWork()) << "the reply to " << name << " was shown";
}

void RunningWindow::clickWithoutWaiting(int page, const char* name) const {
    tabControl("高级选择夹1").setCurrentPage(page);
    QWidget* widget = find(name);
    if (widget != nullptr) QTest::mouseClick(widget, Qt::LeftButton);
}

void ProgramRunTest::SetUp() {
    platform::installGuiHooks(platform::GuiHooks{
        .openFile =
            [this](const platform::FileDialogRequest&) {
                std::optional<std::filesystem::path> answer;
                if (!answers.empty()) {
                    answer = answers.front();
                    answers.pop_front();
                }
                return answer;
            },
        .messageBox =
            [this](const Text& text, const Text& caption) {
                messages.push_back({caption, text, visibleMainWindow() != nullptr && !platform::backgroundWorkPending()});
            },
        .tickCount =
            [this] {
                if (ticks.empty()) return std::uint32_t{0};
                const std::uint32_t value = ticks.front();
                ticks.pop_front();
                return value;
            }});
}

void ProgramRunTest::TearDown() { platform::removeGuiHooks(); }

int ProgramRunTest::runProgramWith(const std::function<void(RunningWindow&)>& body, bool afterTokenReply) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget* top = visibleMainWindow();
        if (top == nullptr) {
            ADD_FAILURE() << "no main window is shown";
            QCoreApplication::quit();
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowExposed(top));
        if (afterTokenReply) {
            EXPECT_TRUE(waitForBackgroundWork()) << "the token reply was shown";
        }
        RunningWindow window(top);
        body(window);
        ran = true;
        top->close();
    });
    const int status = runProgram(state, [this] {
        ++clientsMade;
        return std::make_unique<VisionApiClient>(service.host(), test::caCertificate());
    });
    EXPECT_TRUE(ran) << "the test ran inside the program's message loop";
    return status;
}

void ProgramRunTest::stopService() {
    if (state.visionClient) state.visionClient->http.resetSession();
    service.stop();
}

void ProgramRunTest::pick(RunningWindow& window, int page, const char* button, const ByteArray& bytes) {
    const std::string name = "picture-" + std::to_string(++picked_);
    answers.push_back(folder.write(std::u8string(name.begin(), name.end()), bytes));
    window.click(page, button);
    EXPECT_TRUE(answers.empty()) << button << " opened the file dialog";
}

}  // namespace vd::test
