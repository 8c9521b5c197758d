#include "http/HttpClient.h"

#include <algorithm>
#include <climits>

#include "common/Numbers.h"
#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"
#include "http/HttpClientDetail.h"
#include "http/ResponseHeaderValues.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/UrlCracker.h"
#include "platform/text/CodePage.h"

// The object's life cycle and the request cycle: open, send, the response body.
namespace vd {
namespace {

namespace p = vd::platform;
using namespace vd::httpclient;

constexpr std::string_view kHeadersWithContentType =
    "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\nContent-Type:application/x-www-form-urlencoded";
constexpr std::string_view kHeadersWithoutContentType = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache";

constexpr std::size_t kInitialCapacity = 10240;
constexpr std::size_t kGrowthStep = 10240;
constexpr std::size_t kLargeStep = 1048576;

constexpr std::uint32_t kIgnoreCertErrorFlags = p::kSecurityIgnoreUnknownCa | p::kSecurityIgnoreCertWrongUsage |
                                                p::kSecurityIgnoreCertCnInvalid | p::kSecurityIgnoreCertDateInvalid;

}  // namespace

HttpClient::HttpClient() { initialise(); }

HttpClient::HttpClient(const HttpClient& other)
    : connectedHost(other.connectedHost),
      connectedPort(other.connectedPort),
      currentUrl(other.currentUrl),
      currentScheme(other.currentScheme),
      isPost(other.isPost),
      receivedLength(0),  // the copy's buffer holds no body
      contentLength(other.contentLength),
      rawHeaders(other.rawHeaders),
      autoDefaultHeaders(other.autoDefaultHeaders),
      cookieMode(other.cookieMode),
      cookieJar(other.cookieJar),
      cookieJarLength(other.cookieJarLength),
      redirectsDisabled(other.redirectsDisabled),
      redirectCount(other.redirectCount),
      proxyCredentialsPending(other.proxyCredentialsPending),
      pendingProxyUser(other.pendingProxyUser),
      pendingProxyPassword(other.pendingProxyPassword),
      ignoreCertErrorsPending(other.ignoreCertErrorsPending),
      trustedCaFile(other.trustedCaFile) {
    openSession(other.session ? std::optional<Text>(other.session.userAgent()) : std::nullopt);
}

void HttpClient::initialise() {
    openSession(std::nullopt);
    applyDefaults();
}

HttpClient::~HttpClient() { closeSession(); }

std::unique_ptr<HttpClient> HttpClient::copy() const { return std::make_unique<HttpClient>(*this); }

void HttpClient::openSession(const std::optional<Text>& userAgent) {
    session = p::HttpSession::open(userAgent ? *userAgent : Text(kDefaultUserAgent));
    if (session && !trustedCaFile.empty() && !session.setTrustedCaFile(trustedCaFile)) trustedCaFile.clear();
    responseBuffer = HeapBlock(kInitialCapacity);
}

void HttpClient::closeSession() {
    request.close();
    connection.close();
    session.close();
    responseBuffer.release();
    receivedLength = 0;
    contentLength = 0;
    connectedPort = 0;
    redirectsDisabled = false;
    proxyCredentialsPending = false;
    rawHeaders.clear();
    pendingProxyUser.clear();
    pendingProxyPassword.clear();
    connectedHost.clear();
    currentUrl.clear();
}

void HttpClient::applyDefaults() {
    autoDefaultHeaders = true;
    setCookieModeOf(*this, CookieMode::Platform);
    // Certificates are checked from the first request on; ignoreCertErrorsOnce asks otherwise.
    ignoreCertErrorsPending = false;
    keepJar(*this, CookieJar());
}

void HttpClient::resetSession(const std::optional<Text>& userAgent) {
    closeSession();
    openSession(userAgent);
    applyDefaults();
}

bool HttpClient::open(const std::optional<Text>& method, const Text& url) {
    if (!session) return false;
    currentUrl = url;
    if (currentUrl.size() < 8) {
        currentUrl = "http://" + currentUrl;
    } else if (toLowerCase(currentUrl.substr(0, 8)) != "https://" && toLowerCase(currentUrl.substr(0, 7)) != "http://") {
        currentUrl = "http://" + currentUrl;
    }
    const std::optional<p::CrackedUrl> cracked = p::crackUrl(currentUrl);
    if (!cracked) return false;

    receivedLength = 0;
    contentLength = 0;
    rawHeaders.clear();
    request.close();

    if (!connection || cracked->host != connectedHost || cracked->port != connectedPort) {
        connection.close();
        connection = p::HttpConnection::connect(session, cracked->host, cracked->port);
        if (!connection) return false;
        connectedHost = cracked->host;
        connectedPort = cracked->port;
    }

    Text verb = "GET";
    isPost = false;
    if (method && !method->empty()) {
        verb = toUpperCase(*method);
        isPost = verb == "POST";
    }
    const Text objectName = cracked->path.empty() ? Text("/") : cracked->path + cracked->extra;
    currentScheme = cracked->scheme;
    request = p::HttpRequest::open(connection, verb, objectName, cracked->scheme == p::kSchemeHttps);
    return static_cast<bool>(request);
}

bool HttpClient::sendBytes(std::span<const std::uint8_t> body, std::optional<bool> skipEmptyCookies) {
    if (!request) return false;
    prepareRequest();
    const std::size_t n = body.size();
    if (autoDefaultHeaders) addDefaultHeaders(n > 0);
    if (!request.send(body.data(), n)) return false;
    if (!request.receiveResponse()) return false;
    const bool skip = skipEmptyCookies.value_or(false);
    readResponseHeaders(skip);
    followRedirect(skip);
    return true;
}

bool HttpClient::send(std::string_view body, std::optional<bool> skipEmptyCookies) {
    return sendBytes(std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()),
                     skipEmptyCookies);
}

void HttpClient::prepareRequest() {
    if (proxyCredentialsPending) {
        request.setOption(p::kOptionProxyUsername, pendingProxyUser);
        request.setOption(p::kOptionProxyPassword, pendingProxyPassword);
        proxyCredentialsPending = false;
        pendingProxyUser.clear();
        pendingProxyPassword.clear();
    }
    const CookieMode mode = cookieModeOf(*this);
    if (redirectsDisabled || mode != CookieMode::Platform) {
        request.setOption(p::kOptionDisableFeature, p::kDisableRedirects);
    }
    if (ignoreCertErrorsPending) {
        request.setOption(p::kOptionSecurityFlags, kIgnoreCertErrorFlags);
        ignoreCertErrorsPending = false;
    }
    if (mode != CookieMode::Platform) {
        request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
        if (mode == CookieMode::Jar) attachJarCookies();
        if (mode == CookieMode::SharedStore) attachStoredCookies();
    }
}

bool HttpClient::addDefaultHeaders(bool hasBody) {
    const std::string_view block = isPost || hasBody ? kHeadersWithContentType : kHeadersWithoutContentType;
    return request.addHeaders(block, p::kAddHeaderIfNew);
}

bool HttpClient::readResponseHeaders(std::optional<bool> skipEmptyCookies) {
    const std::optional<Text> headers = request.rawHeaders();
    if (!headers || headers->empty()) {
        contentLength = -1;
        return false;
    }
    rawHeaders = *headers;
    contentLength = announcedContentLength(rawHeaders);
    if (cookieModeOf(*this) == CookieMode::Jar) jarResponseCookies(skipEmptyCookies);
    if (cookieModeOf(*this) == CookieMode::SharedStore) storeResponseCookies(skipEmptyCookies);
    return true;
}

bool HttpClient::readBody() {
    if (!request || contentLength == 0) return false;
    if (receivedLength != 0) return true;
    // A negative length other than -1 is as good as none.
    const bool unknown = contentLength < 0;
    const auto announced = static_cast<std::size_t>(unknown ? 0 : contentLength);
    std::size_t capacity = unknown ? kInitialCapacity : std::min(announced, kLargeStep);
    if (!responseBuffer.resize(capacity)) return false;
    std::size_t total = 0;
    for (;;) {
        std::size_t available = 0;
        if (!request.queryDataAvailable(available) || available == 0) break;
        // receivedLength is 32 bits: a longer body ends there.
        constexpr auto kMost = static_cast<std::size_t>(INT_MAX);
        if (total >= kMost) break;
        available = std::min(available, kMost - total);
        const std::size_t need = total + available;
        if (need > capacity) {
            std::size_t grown;
            if (unknown || need > announced) {
                grown = need + kGrowthStep;
            } else if (announced - need > kLargeStep) {
                grown = need + kLargeStep;
            } else {
                grown = announced;
            }
            if (!responseBuffer.resize(grown)) break;
            capacity = grown;
        }
        std::size_t read = 0;
        if (!request.readData(responseBuffer.data() + total, std::min(capacity, kMost) - total, read) || read == 0) break;
        total += read;
    }
    receivedLength = static_cast<std::int32_t>(total);
    return true;
}

ByteArray HttpClient::responseBytes() {
    if (!readBody()) return {};
    return ByteArray(responseBuffer.data(), responseBuffer.data() + receivedLength);
}

// The two texts are made from the buffer itself, without a byte array in between.
Text HttpClient::responseRawText() {
    if (!readBody()) return {};
    const auto* bytes = reinterpret_cast<const char*>(responseBuffer.data());
    return Text(bytes, std::find(bytes, bytes + receivedLength, '\0'));
}

Text HttpClient::responseText() {
    if (!readBody() || receivedLength < 1) return {};
    const std::string_view body(reinterpret_cast<const char*>(responseBuffer.data()), static_cast<std::size_t>(receivedLength));
    Text text = p::utf8ToGbkBytes(body);
    if (const std::size_t zero = text.find('\0'); zero != Text::npos) text.resize(zero);
    return text;
}

bool HttpClient::setHeader(const Text& name, const Text& value, std::optional<std::uint32_t> modifiers) {
    if (!request || name.empty()) return false;
    if (cookieModeOf(*this) == CookieMode::Platform && toLowerCase(name) == "cookie") {
        request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
    }
    return request.addHeaders(name + ":" + value, modifiers.value_or(kAddOrReplace));
}

bool HttpClient::setContentType(const std::optional<Text>& value) {
    return setHeader("Content-Type", value.value_or("application/x-www-form-urlencoded"));
}

}  // namespace vd
