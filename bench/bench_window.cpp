// How soon the main window is on screen and how long the GUI thread is busy at a stretch while the
// service answers, the whole program against the local stand-in service:
// - from process start to the window's first paint, with a token reply held back 5 s;
// - the longest stretch the GUI thread works without returning to its event loop during the
//   recognition of a 5 000 000-byte picture (a 20 MB request body).
// Run with QT_QPA_PLATFORM=offscreen (or a display). Prints the figures; exit status 1 on failure.
#include <time.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "app/Program.h"
#include "platform/gui/BackgroundWork.h"
#include "platform/gui/QtText.h"
#include "platform/gui/TestHooks.h"
#include "tests/support/Pictures.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/VisionStandIn.h"
#include "vision/ServiceConfig.h"

namespace {

double bootSeconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Seconds since this process started (field 22 of /proc/self/stat, in clock ticks since boot).
double secondsSinceProcessStart() {
    std::ifstream stat("/proc/self/stat");
    std::string all;
    std::getline(stat, all);
    std::istringstream rest(all.substr(all.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i) rest >> field;
    return bootSeconds() - std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool isMainWindow(QObject* object) {
    return object->isWidgetType() &&
           static_cast<QWidget*>(object)->window()->windowTitle().startsWith(vd::platform::toQString("人脸对比-百度API"));
}

// Notes when the main window is first painted.
class FirstPaint : public QObject {
public:
    double seconds = -1;

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (seconds < 0 && event->type() == QEvent::Paint && isMainWindow(target)) seconds = secondsSinceProcessStart();
        return false;
    }
};

// The longest gap between two shots of a 1 ms timer on the GUI thread: how long at most the thread
// was kept from its event loop (plus the scheduler's delay).
class BusyStretches {
public:
    BusyStretches() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (since_.isValid()) {
                const double ms = static_cast<double>(since_.nsecsElapsed()) / 1e6;
                if (ms > longestMs) longestMs = ms;
                ++count;
            }
            since_.start();
        });
    }
    void start() { timer_.start(); }
    void stop() { timer_.stop(); }
    double longestMs = 0;
    int count = 0;

private:
    QTimer timer_;
    QElapsedTimer since_;
};

QPushButton* button(const char* name) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (auto* found = top->findChild<QPushButton*>(vd::platform::toQString(name))) return found;
    }
    return nullptr;
}

// A file of 5 000 000 bytes that do not decode as a picture; its name, empty on failure.
std::string writeLargePicture() {
    char name[] = "/tmp/bench-window-XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return {};
    const vd::ByteArray bytes = vd::test::pictureOf(5'000'000);
    const bool written = write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    close(fd);
    return written ? std::string(name) : std::string();
}

}  // namespace

int main(int argc, char** argv) {
    const double atMain = secondsSinceProcessStart();
    QApplication application(argc, argv);
    const double afterToolkit = secondsSinceProcessStart();
    FirstPaint firstPaint;
    application.installEventFilter(&firstPaint);
    const double beforeStandIn = secondsSinceProcessStart();
    vd::test::VisionStandIn service{vd::Text(vd::visionApiKey()), vd::Text(vd::visionSecretKey())};
    const double standInSetup = secondsSinceProcessStart() - beforeStandIn;
    service.setReplyDelay(vd::test::VisionStandIn::Endpoint::token, std::chrono::milliseconds(5000));

    std::string pictureName;  // written once the window is on screen
    vd::platform::installGuiHooks(vd::platform::GuiHooks{
        .openFile = [&pictureName](const vd::platform::FileDialogRequest&) { return std::optional<std::filesystem::path>(pictureName); },
        .messageBox = [](const vd::Text&, const vd::Text&) { std::fprintf(stderr, "unexpected message box\n"); },
        .tickCount = {}});

    bool ok = false;
    BusyStretches stretches;
    QElapsedTimer recognition;
    QTimer step;
    int phase = 0;
    QObject::connect(&step, &QTimer::timeout, [&] {
        if (phase == 0 && firstPaint.seconds >= 0 && !vd::platform::backgroundWorkPending()) {
            pictureName = writeLargePicture();
            button("按钮2")->click();  // picks the 5 MB picture
            stretches.start();
            phase = 1;
        } else if (phase == 1) {
            recognition.start();
            button("开始文字识别")->click();
            phase = 2;
        } else if (phase == 2 && !vd::platform::backgroundWorkPending()) {
            stretches.stop();
            ok = service.requestCount() == 2;
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (isMainWindow(top)) top->close();
            }
            phase = 3;
        }
    });
    step.start(20);

    vd::AppState appState;
    const double atProgram = secondsSinceProcessStart();
    vd::runProgram(appState, [&service] { return std::make_unique<vd::VisionApiClient>(service.host(), vd::test::caCertificate()); });
    if (!pictureName.empty()) unlink(pictureName.c_str());

    std::printf("main entered after %.3f s; toolkit started after %.3f s\n", atMain, afterToolkit);
    std::printf("the program started after %.3f s\n", atProgram);
    std::printf("stand-in service set up in %.3f s (part of the time below)\n", standInSetup);
    std::printf("process start to the main window's first paint, token reply held back 5 s: %.3f s (%.3f s after runProgram began)\n",
                firstPaint.seconds, firstPaint.seconds - atProgram);
    std::printf("5 MB recognition: %.3f s in all; longest gap between shots of a 1 ms GUI-thread timer %.1f ms (%d shots)\n",
                static_cast<double>(recognition.elapsed()) / 1000.0, stretches.longestMs, stretches.count);
    if (!ok) std::fprintf(stderr, "the recognition request was not made\n");
    return ok ? 0 : 1;
}
