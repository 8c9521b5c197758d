#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "common/Text.h"

namespace vd::platform {

class HttpConnection;

// Why an exchange failed.
enum class ExchangeFailure {
    None,     // no exchange yet, or it has gone well so far
    Resolve,  // the host name could not be resolved
    Connect,  // no connection could be made
    Tls,      // the TLS handshake or the server's certificate failed
    Timeout,  // a step took longer than the session's timeouts allow
    Dropped,  // the connection ended before the response was complete
    Aborted,  // the session abandoned its transfers
    Other,
};

namespace detail {
struct RequestState;
}

// One HTTP/1.1 request on a connection and its response. Life cycle: open, headers and options,
// send, receiveResponse, then the response's headers and its body in pieces
// (queryDataAvailable / readData), which is taken from the network only as it is read.
//
// On the wire the request carries the request line, Host, User-Agent (the session's unless a
// header replaces it), the headers added here exactly as given, Content-Length when it has a body
// or is a POST, and the cookies and credentials of the stack; no other header.
class HttpRequest {
public:
    HttpRequest();
    ~HttpRequest();
    HttpRequest(const HttpRequest&) = delete;
    HttpRequest& operator=(const HttpRequest&) = delete;
    HttpRequest(HttpRequest&& other) noexcept;
    HttpRequest& operator=(HttpRequest&& other) noexcept;

    // None without a connection, for a verb that is not an HTTP token or an object name that
    // does not start with "/". Bytes of 0x80 and above, blanks and control characters in the
    // object name go out percent-encoded (as UTF-8).
    static HttpRequest open(const HttpConnection& connection, const Text& verb, const Text& objectName,
                            bool secure);
    explicit operator bool() const { return state_ != nullptr; }
    void close();

    // Header lines "Name:value" separated by CR LF. Without kAddHeaderReplace, kAddHeaderIfNew
    // or a coalescing modifier a line is added (also beside one of the same name). IfNew refuses
    // a name already present; Replace replaces the first header of the name, or removes it when
    // the value is empty, and fails when there is none unless kAddHeaderAdd is also given (which
    // then adds a line with a value and nothing for an empty one).
    // True when every line was taken.
    bool addHeaders(std::string_view lines, std::uint32_t modifiers);
    // kOptionDisableFeature (kDisableCookies, kDisableRedirects) and kOptionSecurityFlags;
    // any other number is refused. Security flags are the kSecurityIgnore* bits, each exempting
    // exactly its own certificate check; a value the stack cannot honour exactly is refused and
    // the flags in force stay as they were.
    bool setOption(int option, std::uint32_t value);
    // kOptionProxyUsername and kOptionProxyPassword.
    bool setOption(int option, const Text& value);
    // Target kAuthTargetServer or kAuthTargetProxy; scheme basic, NTLM, digest or negotiate.
    bool setCredentials(int target, int scheme, const Text& user, const Text& password);

    // Starts the exchange. The body is read from the caller's bytes, which must stay valid until
    // receiveResponse has returned; what of it has not gone out by then is kept by the request.
    bool send(const std::uint8_t* body, std::size_t length);
    // Waits until the final response's headers have arrived (redirects that the stack follows
    // and interim responses are passed over). False when the exchange failed before them. The
    // stack follows at most kMaxAutomaticRedirects redirects (unless kDisableRedirects), never
    // from HTTPS to HTTP nor to another scheme: such a redirect is the final response.
    bool receiveResponse();

    // The final response's status line and headers, every line ended by CR LF, then an empty
    // line. Nothing before receiveResponse has succeeded.
    std::optional<Text> rawHeaders() const;
    std::optional<Text> statusCode() const;
    std::optional<Text> statusText() const;

    // Bytes that readData can deliver at once without waiting; waits for more when none are
    // there. 0 with true at the end of the body; false when the exchange failed meanwhile.
    bool queryDataAvailable(std::size_t& available);
    // Reads at most `room` bytes into `buffer`, waiting for some when none are there; 0 with
    // true at the end of the body.
    bool readData(void* buffer, std::size_t room, std::size_t& read);

    // Why the last exchange failed; None when there is no request.
    ExchangeFailure failure() const;

private:
    std::unique_ptr<detail::RequestState> state_;
};

}  // namespace vd::platform
