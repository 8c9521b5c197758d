#pragma once

#include <atomic>
#include <string>

#include "common/Text.h"
#include "platform/http/CurlHandles.h"
#include "platform/http/TrustedCertificates.h"

// What a session holds; shared by the session's connections and requests, so that the handles
// may be closed in any order. Internal to the HTTP stack.
namespace vd::platform::detail {

struct SessionState {
    // Declared first so that it is released last: its connection cache outlives every request.
    CurlMultiHandle multi;
    // Cookies the stack keeps by itself, for the requests that do not switch them off.
    CurlShareHandle cookieShare;
    // The easy handle of the last closed request, kept for the next one.
    CurlEasyHandle spareEasy;

    Text userAgent;
    std::string userAgentUtf8;
    // Milliseconds; 0 waits without limit.
    int resolveTimeoutMs = 0;
    int connectTimeoutMs = 60000;
    int sendTimeoutMs = 30000;
    int receiveTimeoutMs = 30000;
    bool namedProxy = false;
    std::string proxyUtf8;
    TrustedCertificates trusted;

    // Set from any thread by HttpSession::abandonTransfers; never cleared.
    std::atomic<bool> abandoned{false};

    bool transferAbandoned() const { return abandoned.load(std::memory_order_acquire); }
    CurlEasyHandle takeEasy();
    void giveBackEasy(CurlEasyHandle easy);
};

// curl_easy_reset. The cookie-file list is cleared first: libcurl 7.88's reset drops it unfreed.
void resetEasy(CURL* easy);

// Texts at the edge to libcurl: GBK to UTF-8 and back, ASCII passed through as it is.
std::string toWire(const Text& gbk);
Text fromWire(std::string_view utf8);

}  // namespace vd::platform::detail
