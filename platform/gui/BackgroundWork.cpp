#include "platform/gui/BackgroundWork.h"

#include <QApplication>
#include <QEvent>
#include <QTabBar>
#include <QWidget>
#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>

namespace vd::platform {

namespace {

std::atomic<int> pendingWork{0};

bool isPointerInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TabletPress:
        case QEvent::TabletRelease:
        case QEvent::TabletMove:
            return true;
        default:
            return false;
    }
}

bool isOtherInput(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::InputMethod:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

// The widget an event goes to, or the widget that owns the object it goes to (a shortcut, an
// action).
QWidget* owningWidget(QObject* target) {
    for (QObject* object = target; object != nullptr; object = object->parent()) {
        if (object->isWidgetType()) return static_cast<QWidget*>(object);
    }
    return nullptr;
}

// Refuses the user's input to one window; installed on the application while the window is busy.
class InputRefusal : public QObject {
public:
    explicit InputRefusal(QWidget* window) : window_(window) {}

protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        const QEvent::Type type = event->type();
        const bool pointer = isPointerInput(type);
        if (!pointer && !isOtherInput(type)) return false;
        QWidget* widget = owningWidget(target);
        if (widget == nullptr || widget->window() != window_) return false;
        if (pointer && qobject_cast<QTabBar*>(widget) != nullptr) return false;  // switching pages stays possible
        event->ignore();
        return true;
    }

private:
    QWidget* window_;
};

}  // namespace

struct BackgroundWork::Impl {
    explicit Impl(QWidget* window) : refusal(window) {}

    InputRefusal refusal;
    QObject receiver;  // on the GUI thread: runs the done steps
    std::vector<QWidget*> workControls;  // children of the window: they live as long as it
    std::vector<QWidget*> disabledByUs;
    std::function<void()> abandonHandler;
    std::function<void()> done;
    std::thread worker;
    std::uint64_t generation = 0;
    bool busy = false;

    void enterBusy() {
        QCoreApplication::instance()->installEventFilter(&refusal);
        QApplication::setOverrideCursor(Qt::BusyCursor);
        for (QWidget* control : workControls) {
            if (control->isEnabled()) {
                control->setEnabled(false);
                disabledByUs.push_back(control);
            }
        }
    }

    void leaveBusy() {
        for (QWidget* control : disabledByUs) control->setEnabled(true);
        disabledByUs.clear();
        QApplication::restoreOverrideCursor();
        QCoreApplication::instance()->removeEventFilter(&refusal);
    }

    void finish(std::uint64_t which) {
        if (!busy || which != generation) return;  // abandoned meanwhile
        worker.join();
        leaveBusy();
        busy = false;
        const std::function<void()> step = std::exchange(done, {});
        if (step) step();
        --pendingWork;
    }

    void abandon() {
        if (!busy) return;
        if (abandonHandler) abandonHandler();
        if (worker.joinable()) worker.join();
        ++generation;  // a done step already queued is dropped
        leaveBusy();
        busy = false;
        done = {};
        --pendingWork;
    }
};

BackgroundWork::BackgroundWork(QWidget* window) : impl_(std::make_unique<Impl>(window)) {}

BackgroundWork::~BackgroundWork() { impl_->abandon(); }

bool BackgroundWork::start(std::function<void()> work, std::function<void()> done) {
    Impl& d = *impl_;
    if (d.busy || !work) return false;
    d.busy = true;
    ++pendingWork;
    d.done = std::move(done);
    const std::uint64_t which = ++d.generation;
    d.enterBusy();
    // The receiver outlives the worker (it is joined before Impl goes), so posting to it is safe.
    d.worker = std::thread([&d, which, work = std::move(work)] {
        work();
        QMetaObject::invokeMethod(&d.receiver, [&d, which] { d.finish(which); }, Qt::QueuedConnection);
    });
    return true;
}

bool BackgroundWork::busy() const { return impl_->busy; }

void BackgroundWork::setWorkControls(std::vector<QWidget*> controls) {
    impl_->workControls = std::move(controls);
}

void BackgroundWork::setAbandonHandler(std::function<void()> handler) { impl_->abandonHandler = std::move(handler); }

void BackgroundWork::abandon() { impl_->abandon(); }

bool backgroundWorkPending() { return pendingWork.load() > 0; }

}  // namespace vd::platform
