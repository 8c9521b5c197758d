#pragma once

#include <memory>

#include "common/Text.h"

namespace vd::platform {

class HttpSession;
namespace detail {
struct SessionState;
}

// A target host and port within a session. Making it opens no socket: TCP connections come from
// the session's connection cache when a request is sent, and consecutive requests to one host
// and port reuse one.
class HttpConnection {
public:
    HttpConnection() = default;
    HttpConnection(const HttpConnection&) = delete;
    HttpConnection& operator=(const HttpConnection&) = delete;
    HttpConnection(HttpConnection&&) noexcept = default;
    HttpConnection& operator=(HttpConnection&&) noexcept = default;
    ~HttpConnection() = default;

    // None without a session, for an empty host or a port outside 1 to 65535.
    static HttpConnection connect(const HttpSession& session, const Text& host, int port);
    explicit operator bool() const { return session_ != nullptr; }
    void close() { session_.reset(); }

    const Text& host() const { return host_; }
    int port() const { return port_; }
    const std::shared_ptr<detail::SessionState>& session() const { return session_; }

private:
    std::shared_ptr<detail::SessionState> session_;
    Text host_;
    int port_ = 0;
};

}  // namespace vd::platform
