#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Layout.h"

class QWidget;

namespace vd::platform {

// 窗口: a window built from its layout, with fixed places, a client area of the layout's size
// that cannot be resized, and controls found by their layout names.
class Window {
public:
    explicit Window(const WindowLayout& layout);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Raises the "created" event (runs onCreated), then shows the window.
    void open(const std::function<void()>& onCreated = {});
    void close();
    // Runs when the user (or close()) closes the window.
    void setClosedHandler(std::function<void()> handler);

    Text caption() const;
    void setCaption(const Text& caption);

    Label label(std::string_view name) const;
    Button button(std::string_view name) const;
    PictureBox pictureBox(std::string_view name) const;
    RadioButton radioButton(std::string_view name) const;
    EditBox editBox(std::string_view name) const;
    ShapeBox shapeBox(std::string_view name) const;
    GroupBox groupBox(std::string_view name) const;
    TabControl tabControl(std::string_view name) const;
    FileDialog fileDialog(std::string_view name) const;

    // Runs `work` on a worker thread, then `done` on the GUI thread; meanwhile the window is busy
    // (BackgroundWork.h). False, and nothing runs, while other work is under way.
    bool runInBackground(std::function<void()> work, std::function<void()> done);
    bool busy() const;
    // The controls, by name, that are disabled while the window is busy.
    void setWorkControls(const std::vector<std::string_view>& names);
    // Runs when work under way is abandoned; it should make the work return soon.
    void setAbandonHandler(std::function<void()> handler);
    // Ends work under way without its done step and waits for the worker. Also on destruction.
    void abandonBackgroundWork();

    // From now on a name that finds no control of the kind asked for ends the program at once,
    // with a line on stderr, instead of giving a null handle.
    void setUnknownControlsFatal(bool fatal);

    // The widget of a drawn control (objectName is its name in UTF-8), or nullptr.
    QWidget* controlWidget(std::string_view name) const;
    // The top-level widget.
    QWidget* widget() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace vd::platform
