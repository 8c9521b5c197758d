#include "http/HttpClient.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "common/Numbers.h"
#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"
#include "http/HeaderBlock.h"
#include "http/HttpClientDetail.h"
#include "http/ResponseHeaderValues.h"
#include "platform/http/HttpConstants.h"

// The status, the headers of the last response, and redirects followed by the object.
namespace vd {
namespace {

namespace p = vd::platform;
using namespace vd::httpclient;

constexpr int kRedirectLimit = 10;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

}  // namespace

Text HttpClient::readHeaderQuery(bool statusCodeWanted) {
    if (!request) return {};
    return (statusCodeWanted ? request.statusCode() : request.statusText()).value_or(Text());
}

int HttpClient::statusCode() { return std::max(0, leadingInteger(readHeaderQuery(true))); }

Text HttpClient::statusText() { return readHeaderQuery(false); }

Text HttpClient::responseHeaders() { return rawHeaders; }

Text HttpClient::responseHeader(const Text& name) {
    if (rawHeaders.empty()) return {};
    const std::optional<std::string_view> value = HeaderBlock(rawHeaders).value(name);
    // A last line without its line end holds no complete header.
    if (!value || value->data() + value->size() == rawHeaders.data() + rawHeaders.size()) return {};
    return trimStart(*value);
}

Text HttpClient::redirectLocation(std::optional<bool> resolve) {
    if (rawHeaders.empty()) return {};
    Text location = locationHeaderValue(rawHeaders);
    if (location.empty() || !resolve.value_or(false)) return location;
    if (location.front() == '/') {
        const bool ipv6 = connectedHost.find(':') != Text::npos;
        const Text host = ipv6 ? "[" + connectedHost + "]" : connectedHost;
        return (currentScheme == p::kSchemeHttps ? "https://" : "http://") + host + ":" + numberToText(connectedPort) +
               location;
    }
    const Text lower = toLowerCase(location);
    if (startsWith(lower, "http://") || startsWith(lower, "https://")) return location;
    const int lastSlash = findTextReverse(currentUrl, "/");
    if (lastSlash == -1) return currentUrl + "/" + location;
    return leftOfText(currentUrl, lastSlash) + location;
}

void HttpClient::followRedirect(std::optional<bool> skipEmptyCookies) {
    if (cookieModeOf(*this) == CookieMode::Platform || redirectsDisabled) return;
    const Text location = redirectLocation(true);
    if (location.empty()) {
        redirectCount = 0;
        return;
    }
    if (++redirectCount > kRedirectLimit) {
        redirectCount = 0;
        return;
    }
    open(std::nullopt, location);
    send({}, skipEmptyCookies);
}

}  // namespace vd
