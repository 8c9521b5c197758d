#include "tests/support/UnansweredListener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace vd::test {
namespace {

sockaddr_in loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    return address;
}

}  // namespace

UnansweredListener::UnansweredListener() {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenFd_ < 0) return;
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof address;
    if (::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 0) != 0 || ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    // Connect until one attempt does not complete: from then on the queue is full.
    for (int i = 0; i < 16 && !ready_; ++i) {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return;
        fillers_.push_back(fd);
        timeval wait{0, 200000};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &wait, sizeof wait);
        const sockaddr_in target = loopback(port_);
        ready_ = ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) != 0;
    }
}

UnansweredListener::~UnansweredListener() {
    for (int fd : fillers_) ::close(fd);
    if (listenFd_ >= 0) ::close(listenFd_);
}

std::string UnansweredListener::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

}  // namespace vd::test
