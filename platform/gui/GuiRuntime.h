#pragma once

#include <functional>
#include <memory>
#include <string>

class QApplication;

namespace vd::platform {

class Window;

// Name of the installed desktop entry (without ".desktop") and of the program's icon in the icon theme.
inline constexpr const char* kDesktopEntryId = "io.github.visiondesk.VisionDesk";

// The GUI run time of one program: initialisation, the message loop and the exit routine.
class GuiRuntime {
public:
    explicit GuiRuntime(std::string programName);
    // Runs the exit routine if the message loop has not run it yet.
    ~GuiRuntime();
    GuiRuntime(const GuiRuntime&) = delete;
    GuiRuntime& operator=(const GuiRuntime&) = delete;

    // Starts the toolkit, or joins the one already started in this process. Without a display
    // it writes one line saying so to stderr and returns false.
    bool initialise();

    // Registers the routine called once at the end of the program; false when one is registered.
    bool registerExitRoutine(std::function<void()> routine);

    // Runs the message loop until mainWindow is closed, abandons the window's background work,
    // then runs the exit routine. Returns 0. SIGTERM, SIGINT and SIGHUP close the window meanwhile.
    int runMessageLoop(Window& mainWindow);

private:
    bool start();
    void runExitRoutine();

    std::string programName_;
    int argc_ = 1;
    char* argv_[2] = {nullptr, nullptr};
    std::function<void()> exitRoutine_;
    bool exitRoutineRan_ = false;
    std::unique_ptr<QApplication> application_;  // only when this runtime started the toolkit
};

// True when a display can be tried: QT_QPA_PLATFORM names a platform, or DISPLAY or
// WAYLAND_DISPLAY is set.
bool displayConfigured();

}  // namespace vd::platform
