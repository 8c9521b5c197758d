#pragma once

#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace vd::platform {

// Work of one window that runs off the GUI thread: `work` on a worker thread, then `done` on the
// GUI thread. Meanwhile the window is busy: mouse, key, wheel, shortcut, input-method and
// drag-and-drop input to it is refused (the tab rows stay usable), the pointer shows that the
// program is busy, and the work controls are disabled. Only one piece of work at a time.
class BackgroundWork {
public:
    explicit BackgroundWork(QWidget* window);
    // Abandons work under way.
    ~BackgroundWork();
    BackgroundWork(const BackgroundWork&) = delete;
    BackgroundWork& operator=(const BackgroundWork&) = delete;

    // False, and nothing runs, while other work is under way.
    bool start(std::function<void()> work, std::function<void()> done);
    // From start until done is called.
    bool busy() const;

    // Controls disabled while the window is busy.
    void setWorkControls(std::vector<QWidget*> controls);
    // Runs on the GUI thread when work is abandoned, before waiting for the worker: it should make
    // the work return soon.
    void setAbandonHandler(std::function<void()> handler);
    // Ends work under way without its done step: the abandon handler, then the wait for the worker.
    void abandon();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// True from the start of background work of any window until its done step has returned.
bool backgroundWorkPending();

}  // namespace vd::platform
