#include "http/HttpClient.h"

#include "common/TextTrimAndCase.h"
#include "http/HttpClientDetail.h"
#include "platform/http/HttpConstants.h"

// Request headers, handles and connection options.
namespace vd {

namespace p = vd::platform;
using namespace vd::httpclient;

p::HttpSession* HttpClient::sessionHandle(std::optional<p::HttpSession> handle) {
    if (handle) session = std::move(*handle);
    return session ? &session : nullptr;
}

p::HttpConnection* HttpClient::connectionHandle(std::optional<p::HttpConnection> handle) {
    if (handle) connection = std::move(*handle);
    return connection ? &connection : nullptr;
}

p::HttpRequest* HttpClient::requestHandle(std::optional<p::HttpRequest> handle) {
    if (handle) request = std::move(*handle);
    return request ? &request : nullptr;
}

void HttpClient::setAutoDefaultHeaders(std::optional<bool> on) { autoDefaultHeaders = on.value_or(true); }

bool HttpClient::setTimeouts(std::optional<int> resolveMs, std::optional<int> connectMs, std::optional<int> sendMs,
                             std::optional<int> receiveMs) {
    if (!session) return false;
    return session.setTimeouts(resolveMs.value_or(10000), connectMs.value_or(20000), sendMs.value_or(300000),
                               receiveMs.value_or(600000));
}

bool HttpClient::setProxy(const std::optional<Text>& server, const std::optional<Text>& user,
                          const std::optional<Text>& password) {
    if (!session) return false;
    if (!server || server->empty()) return session.setProxy(Text());
    if (request) {
        request.setOption(p::kOptionProxyUsername, user.value_or(Text()));
        request.setOption(p::kOptionProxyPassword, password.value_or(Text()));
    } else {
        proxyCredentialsPending = true;
        pendingProxyUser = user.value_or(Text());
        pendingProxyPassword = password.value_or(Text());
    }
    return session.setProxy(*server);
}

bool HttpClient::setCredentials(const Text& user, const Text& password, std::optional<int> target,
                                std::optional<int> scheme) {
    if (!request) return false;
    return request.setCredentials(target.value_or(p::kAuthTargetServer), scheme.value_or(p::kAuthSchemeBasic), user,
                                  password);
}

bool HttpClient::setOption(std::optional<int> target, int option, std::int32_t value, int size) {
    if (size != static_cast<int>(sizeof value)) return false;
    const auto raw = static_cast<std::uint32_t>(value);
    const auto to = static_cast<OptionTarget>(target.value_or(static_cast<int>(OptionTarget::Session)));
    if (to == OptionTarget::Connection) return false;  // the stack has no connection options (also none without one)
    if (to == OptionTarget::Request) return request && request.setOption(option, raw);
    return session && session.setOption(option, raw);
}

void HttpClient::setFollowRedirects(std::optional<int> on) { redirectsDisabled = on ? (*on & 1) == 0 : false; }

bool HttpClient::removeHeader(const Text& name) {
    if (!request || name.empty()) return false;
    if (cookieModeOf(*this) == CookieMode::Platform && toLowerCase(name) == "cookie") {
        request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
    }
    return request.addHeaders(name + ":", p::kAddHeaderReplace);
}

bool HttpClient::setUserAgent(const std::optional<Text>& value) {
    return setHeader("User-Agent", value.value_or(kDefaultUserAgent));
}

bool HttpClient::setReferer(const std::optional<Text>& value) { return setHeader("Referer", value.value_or(currentUrl)); }

bool HttpClient::setAccept(const std::optional<Text>& value) { return setHeader("Accept", value.value_or("*/*")); }

bool HttpClient::setAcceptLanguage(const std::optional<Text>& value) {
    return setHeader("Accept-Language", value.value_or("zh-cn"));
}

bool HttpClient::setAjaxHeader() { return setHeader("x-requested-with", "XMLHttpRequest"); }

bool HttpClient::setForwardedFor(const Text& address) {
    if (!request) return false;
    const Text block = "X-Forwarded-For:" + address + "\r\nCLIENT_IP:" + address + "\r\nVIA:" + address +
                       "\r\nREMOTE_ADDR:" + address;
    return request.addHeaders(block, kAddOrReplace);
}

void HttpClient::ignoreCertErrorsOnce() { ignoreCertErrorsPending = true; }

bool HttpClient::setTrustedCaFile(const Text& path) {
    if (!session) return false;
    const bool ok = session.setTrustedCaFile(path);
    trustedCaFile = ok ? path : Text();
    return ok;
}

}  // namespace vd
