#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

namespace vd::platform {

// While it lives, SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C in a terminal) do not kill the
// process: each runs `onSignal` on the GUI thread, from the message loop. The previous handlers
// come back when it ends. One at a time per process.
class TerminationSignals {
public:
    explicit TerminationSignals(std::function<void()> onSignal);
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    // False when the handlers could not be installed (the signals then act as before).
    bool active() const { return notifier_ != nullptr; }

private:
    std::function<void()> onSignal_;
    int fds_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace vd::platform
