#pragma once

#include <cstdint>
#include <memory>

#include "common/Text.h"

namespace vd::platform {

namespace detail {
struct SessionState;
}

// A session of the HTTP stack: its user agent, timeouts, proxy, extra trusted certificate
// authorities, the cookies it keeps and one connection cache shared by all its requests.
// Requests are synchronous. Empty (none) when default-constructed or moved from.
class HttpSession {
public:
    HttpSession() = default;
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;
    HttpSession(HttpSession&&) noexcept = default;
    HttpSession& operator=(HttpSession&&) noexcept = default;
    ~HttpSession() = default;

    // Environment proxy variables are never read: no proxy until setProxy names one.
    static HttpSession open(const Text& userAgent);
    explicit operator bool() const { return state_ != nullptr; }
    void close() { state_.reset(); }

    Text userAgent() const;

    // Milliseconds; 0 means without limit.
    struct Timeouts {
        int resolveMs = 0;
        int connectMs = 0;
        int sendMs = 0;
        int receiveMs = 0;
    };
    Timeouts timeouts() const;
    // Milliseconds; 0 and -1 wait without limit; below -1 is refused. Defaults: resolve
    // without limit, connect 60000, send 30000, receive 30000. Send and receive limit the
    // time without progress while sending the request or waiting for and reading the response.
    bool setTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs);
    // The empty server switches to no proxy; otherwise "host:port" of an HTTP proxy.
    bool setProxy(const Text& server);
    // Certificate authorities of a PEM file, trusted beside the system's store for the
    // session's later requests. False, and no extra authority, when the file has none.
    bool setTrustedCaFile(const Text& path);
    // The four timeout options; any other is refused.
    bool setOption(int option, std::uint32_t value);

    // Ends the exchange under way at once (it fails as if dropped) and makes every later one of
    // this session fail before it starts. The one operation that may be called from another thread
    // while a request of the session runs, so that a program can end without waiting for a reply.
    void abandonTransfers() const;

    const std::shared_ptr<detail::SessionState>& state() const { return state_; }

private:
    std::shared_ptr<detail::SessionState> state_;
};

}  // namespace vd::platform
