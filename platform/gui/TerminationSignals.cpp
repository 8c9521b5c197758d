#include "platform/gui/TerminationSignals.h"

#include <QSocketNotifier>
#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace vd::platform {

namespace {

constexpr std::array<int, 3> kSignals = {SIGTERM, SIGINT, SIGHUP};

// The handler may only write to a descriptor (async-signal-safe); the loop does the rest.
volatile std::sig_atomic_t writeEnd = -1;
std::array<struct sigaction, kSignals.size()> previous{};

extern "C" void noteSignal(int signal) {
    const unsigned char byte = static_cast<unsigned char>(signal);
    if (writeEnd < 0) return;
    const ssize_t written = ::write(writeEnd, &byte, 1);
    static_cast<void>(written);  // a full pipe already holds a pending signal
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
    if (writeEnd >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, fds_) != 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fds_[1], QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, notifier_.get(), [this] {
        unsigned char byte = 0;
        while (::read(fds_[1], &byte, 1) == 1) {
        }
        if (onSignal_) onSignal_();
    });
    writeEnd = fds_[0];
    struct sigaction action {};
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &action, &previous[i]);
}

TerminationSignals::~TerminationSignals() {
    if (notifier_ == nullptr) {
        for (int fd : fds_)
            if (fd >= 0) ::close(fd);
        return;
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) ::sigaction(kSignals[i], &previous[i], nullptr);
    writeEnd = -1;
    notifier_.reset();
    ::close(fds_[0]);
    ::close(fds_[1]);
}

}  // namespace vd::platform
