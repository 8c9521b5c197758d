#include "platform/gui/GuiRuntime.h"

#include <QApplication>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/gui/Fonts.h"
#include "platform/gui/TerminationSignals.h"
#include "platform/gui/Window.h"

namespace vd::platform {

namespace {

bool environmentSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

void sayNoDisplay(const std::string& programName, const char* reason) {
    std::fprintf(stderr, "%s: cannot open the window: %s\n", programName.c_str(), reason);
    std::fflush(stderr);
}

// While the toolkit starts, its messages are held back: a fatal one (no display could be
// opened) is replaced by our single line, the others are passed on once it has started.
struct StartupMessages {
    static inline const std::string* programName = nullptr;
    static inline std::vector<std::pair<QtMsgType, QString>>* held = nullptr;

    static void handler(QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type == QtFatalMsg) {
            sayNoDisplay(*programName, "no display could be opened");
            std::_Exit(1);
        }
        held->emplace_back(type, message);
    }
};

}  // namespace

bool displayConfigured() {
    return environmentSet("QT_QPA_PLATFORM") || environmentSet("DISPLAY") || environmentSet("WAYLAND_DISPLAY");
}

GuiRuntime::GuiRuntime(std::string programName) : programName_(std::move(programName)) {
    argv_[0] = programName_.data();
}

GuiRuntime::~GuiRuntime() {
    runExitRoutine();
    application_.reset();
}

bool GuiRuntime::initialise() {
    if (QApplication::instance() == nullptr && !start()) return false;
    // The main window ends the program; a message box closed before it is shown must not.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(defaultGuiFont());
    // Desktops find the window's entry and icon by this name; the icon comes from the icon theme
    // once the program is installed, and stays empty otherwise.
    QGuiApplication::setDesktopFileName(QString::fromLatin1(kDesktopEntryId));
    if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(QIcon::fromTheme(QString::fromLatin1(kDesktopEntryId)));
    return true;
}

bool GuiRuntime::start() {
    if (!displayConfigured()) {
        sayNoDisplay(programName_, "no display (DISPLAY and WAYLAND_DISPLAY are not set)");
        return false;
    }
    std::vector<std::pair<QtMsgType, QString>> held;
    StartupMessages::programName = &programName_;
    StartupMessages::held = &held;
    const QtMessageHandler previous = qInstallMessageHandler(StartupMessages::handler);
    application_ = std::make_unique<QApplication>(argc_, argv_);
    qInstallMessageHandler(previous);
    for (const auto& [type, message] : held) qt_message_output(type, QMessageLogContext(), message);
    return true;
}

bool GuiRuntime::registerExitRoutine(std::function<void()> routine) {
    if (exitRoutine_ || !routine) return false;
    exitRoutine_ = std::move(routine);
    return true;
}

int GuiRuntime::runMessageLoop(Window& mainWindow) {
    mainWindow.setClosedHandler([] { QCoreApplication::quit(); });
    // Asked to end (a logout, kill, Ctrl+C): the window closes as if the user closed it.
    const TerminationSignals termination([&mainWindow] { mainWindow.close(); });
    QApplication::exec();
    mainWindow.setClosedHandler({});
    // A request still running is abandoned, not waited for.
    mainWindow.abandonBackgroundWork();
    runExitRoutine();
    return 0;
}

void GuiRuntime::runExitRoutine() {
    if (exitRoutineRan_ || !exitRoutine_) return;
    exitRoutineRan_ = true;
    exitRoutine_();
}

}  // namespace vd::platform
