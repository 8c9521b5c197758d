#include "tests/support/RawSocketServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

namespace vd::test {
namespace {

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::size_t contentLengthOf(std::string_view head) {
    const std::string_view name = "\r\ncontent-length:";
    for (std::size_t i = 0; i + name.size() <= head.size(); ++i) {
        bool match = true;
        for (std::size_t j = 0; j < name.size() && match; ++j) match = lower(head[i + j]) == name[j];
        if (!match) continue;
        std::size_t k = i + name.size();
        while (k < head.size() && head[k] == ' ') ++k;
        std::size_t value = 0;
        while (k < head.size() && head[k] >= '0' && head[k] <= '9') value = value * 10 + static_cast<std::size_t>(head[k++] - '0');
        return value;
    }
    return 0;
}

}  // namespace

bool RawConnection::readRequest(std::string& request) {
    char buffer[65536];
    auto fill = [&]() {
        const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
        if (n <= 0) return false;
        pending_.append(buffer, static_cast<std::size_t>(n));
        return true;
    };
    std::size_t headEnd;
    while ((headEnd = pending_.find("\r\n\r\n")) == std::string::npos) {
        if (!fill()) return false;
    }
    const std::size_t total = headEnd + 4 + contentLengthOf(std::string_view(pending_).substr(0, headEnd + 2));
    while (pending_.size() < total) {
        if (!fill()) return false;
    }
    request = pending_.substr(0, total);
    pending_.erase(0, total);
    server_.record(request);
    return true;
}

bool RawConnection::write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

void RawConnection::stall(int ms) {
    std::unique_lock lock(server_.mutex_);
    server_.stopped_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return server_.stopping_.load(); });
}

void RawConnection::close() { ::shutdown(fd_, SHUT_RDWR); }

RawSocketServer::RawSocketServer(Handler handler) : handler_(std::move(handler)) {
    listenFd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof address;
    if (listenFd_ < 0 || ::bind(listenFd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listenFd_, 64) != 0 || ::getsockname(listenFd_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return;
    }
    port_ = ntohs(address.sin_port);
    acceptThread_ = std::thread([this] { acceptLoop(); });
}

RawSocketServer::~RawSocketServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        for (int fd : connectionFds_) ::shutdown(fd, SHUT_RDWR);
    }
    stopped_.notify_all();
    if (listenFd_ >= 0) ::shutdown(listenFd_, SHUT_RDWR);
    if (acceptThread_.joinable()) acceptThread_.join();
    for (std::thread& t : connectionThreads_) t.join();
    for (int fd : connectionFds_) ::close(fd);
    if (listenFd_ >= 0) ::close(listenFd_);
}

void RawSocketServer::acceptLoop() {
    while (!stopping_) {
        pollfd p{listenFd_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        const int fd = ::accept(listenFd_, nullptr, nullptr);
        if (fd < 0) continue;
        std::lock_guard lock(mutex_);
        if (stopping_) {
            ::close(fd);
            break;
        }
        ++accepted_;
        connectionFds_.push_back(fd);
        connectionThreads_.emplace_back([this, fd] {
            RawConnection connection(*this, fd);
            handler_(connection);
            ::shutdown(fd, SHUT_RDWR);
        });
    }
}

void RawSocketServer::record(const std::string& request) {
    std::lock_guard lock(mutex_);
    requests_.push_back(request);
}

std::vector<std::string> RawSocketServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

std::string RawSocketServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

RawSocketServer::Handler RawSocketServer::replyToEach(std::string reply) {
    return [reply](RawConnection& c) {
        std::string request;
        while (c.readRequest(request)) {
            if (!c.write(reply)) return;
        }
    };
}

RawSocketServer::Handler RawSocketServer::replyOnceAndClose(std::string reply) {
    return [reply](RawConnection& c) {
        std::string request;
        if (c.readRequest(request)) c.write(reply);
    };
}

}  // namespace vd::test
