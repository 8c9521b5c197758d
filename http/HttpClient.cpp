#include "http/HttpClient.h"

#include <algorithm>
#include <climits>

#include "common/Numbers.h"
#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"
#include "http/CookieJar.h"
#include "http/ResponseHeaderValues.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/SharedCookieStore.h"
#include "platform/http/UrlCracker.h"
#include "platform/text/CodePage.h"

namespace vd {
namespace {

namespace p = vd::platform;

constexpr const char* kDefaultUserAgent = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)";
constexpr std::string_view kHeadersWithContentType =
    "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\nContent-Type:application/x-www-form-urlencoded";
constexpr std::string_view kHeadersWithoutContentType = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache";

constexpr std::size_t kInitialCapacity = 10240;
constexpr std::size_t kGrowthStep = 10240;
constexpr std::size_t kLargeStep = 1048576;

constexpr std::uint32_t kIgnoreCertErrorFlags = p::kSecurityIgnoreUnknownCa | p::kSecurityIgnoreCertWrongUsage |
                                                p::kSecurityIgnoreCertCnInvalid | p::kSecurityIgnoreCertDateInvalid;
constexpr std::uint32_t kAddOrReplace = p::kAddHeaderAdd | p::kAddHeaderReplace;
constexpr int kRedirectLimit = 10;

bool startsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

CookieJar jarOf(const HttpClient& client) { return CookieJar(client.cookieJar, client.cookieJarLength); }

void keepJar(HttpClient& client, const CookieJar& jar) {
    client.cookieJar = jar.text();
    client.cookieJarLength = jar.recordedLength();
}

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
    cookieMode = 0;
    // Certificates are checked from the first request on; ignoreCertErrorsOnce asks otherwise.
    ignoreCertErrorsPending = false;
    keepJar(*this, CookieJar());
}

void HttpClient::resetSession(const std::optional<Text>& userAgent) {
    closeSession();
    openSession(userAgent);
    applyDefaults();
}

// --- the request cycle ---

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
    if (redirectsDisabled || cookieMode > 0) request.setOption(p::kOptionDisableFeature, p::kDisableRedirects);
    if (ignoreCertErrorsPending) {
        request.setOption(p::kOptionSecurityFlags, kIgnoreCertErrorFlags);
        ignoreCertErrorsPending = false;
    }
    if (cookieMode != 0) {
        request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
        if (cookieMode == 1) attachJarCookies();
        if (cookieMode == 2) attachStoredCookies();
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
    if (cookieMode == 1) jarResponseCookies(skipEmptyCookies);
    if (cookieMode == 2) storeResponseCookies(skipEmptyCookies);
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
    if (cookieMode == 0 && toLowerCase(name) == "cookie") request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
    return request.addHeaders(name + ":" + value, modifiers.value_or(kAddOrReplace));
}

bool HttpClient::setContentType(const std::optional<Text>& value) {
    return setHeader("Content-Type", value.value_or("application/x-www-form-urlencoded"));
}

// --- request headers and connection options ---

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
    if (target == 1) return false;  // the stack has no connection options (also none without one)
    if (target == 2) return request && request.setOption(option, raw);
    return session && session.setOption(option, raw);
}

void HttpClient::setFollowRedirects(std::optional<int> on) { redirectsDisabled = on ? (*on & 1) == 0 : false; }

bool HttpClient::removeHeader(const Text& name) {
    if (!request || name.empty()) return false;
    if (cookieMode == 0 && toLowerCase(name) == "cookie") request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
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

// --- cookies ---

void HttpClient::setCookieMode(std::optional<int> mode) {
    const int m = mode.value_or(1);
    cookieMode = m < 0 || m > 2 ? 0 : m;
}

void HttpClient::jarResponseCookies(std::optional<bool>) {
    CookieJar jar = jarOf(*this);
    for (const Text& item : setCookieItems(rawHeaders)) jar.takeResponseItem(item);
    keepJar(*this, jar);
}

void HttpClient::storeResponseCookies(std::optional<bool> skipEmptyCookies) {
    const bool skip = skipEmptyCookies.value_or(false);
    for (const Text& item : setCookieItems(rawHeaders)) {
        const int equals = findText(item, "=");
        if (equals == -1) continue;
        const Text name = leftOfText(item, equals - 1);
        const Text value = marksDeletedCookie(item) ? Text() : middleOfText(item, equals + 1, textLength(item) - equals - 1);
        if (skip && trimStart(value).empty()) continue;
        p::setStoredCookie(currentUrl, name, value);
    }
}

bool HttpClient::storeCookies(const Text& cookies) {
    if (cookies.empty()) return false;
    bool stored = false;
    for (const Text& piece : splitText(cookies, ";")) {
        const Text part = trimStart(piece);
        const int equals = findText(part, "=");
        if (equals == -1) continue;
        p::setStoredCookie(currentUrl, leftOfText(part, equals - 1), middleOfText(part, equals + 1, textLength(part)));
        stored = true;
    }
    return stored;
}

bool HttpClient::attachJarCookies() { return request.addHeaders("Cookie:" + jarOf(*this).inner(), kAddOrReplace); }

bool HttpClient::attachStoredCookies() {
    const Text cookies = p::storedCookies(currentUrl);
    if (cookies.empty()) return false;
    return request.addHeaders("Cookie:" + cookies, kAddOrReplace);
}

bool HttpClient::setCookieHeader(const Text& cookies) {
    if (cookieMode == 1) return mergeIntoJar(cookies);
    if (cookieMode == 2) return storeCookies(cookies);
    if (!request) return false;
    request.setOption(p::kOptionDisableFeature, p::kDisableCookies);
    return setHeader("Cookie", cookies);
}

Text HttpClient::cookieJarText(const std::optional<Text>& cookies) {
    if (!cookies) return jarOf(*this).inner();
    keepJar(*this, CookieJar::fromCookies(*cookies));
    return *cookies;
}

Text HttpClient::jarCookie(const Text& name, std::optional<bool> withName) {
    return jarOf(*this).value(name, withName.value_or(false));
}

bool HttpClient::mergeIntoJar(const Text& cookies) {
    CookieJar jar = jarOf(*this);
    if (!jar.merge(cookies)) return false;
    keepJar(*this, jar);
    return true;
}

bool HttpClient::removeFromJar(const Text& names) {
    CookieJar jar = jarOf(*this);
    if (!jar.remove(names)) return false;
    keepJar(*this, jar);
    return true;
}

Text HttpClient::responseCookies() {
    if (rawHeaders.empty()) return {};
    Text collected;
    for (const Text& item : setCookieItems(rawHeaders)) {
        if (!marksDeletedCookie(item)) collected += item + " ";
    }
    if (!collected.empty()) collected.resize(collected.size() - std::min<std::size_t>(2, collected.size()));
    return collected;
}

Text HttpClient::responseCookie(const Text& name) {
    if (rawHeaders.empty()) return {};
    return literalSetCookieValue(rawHeaders, name);
}

// --- response inspection and redirects ---

Text HttpClient::readHeaderQuery(bool statusCodeWanted) {
    if (!request) return {};
    return (statusCodeWanted ? request.statusCode() : request.statusText()).value_or(Text());
}

int HttpClient::statusCode() { return std::max(0, leadingInteger(readHeaderQuery(true))); }

Text HttpClient::statusText() { return readHeaderQuery(false); }

Text HttpClient::responseHeaders() { return rawHeaders; }

Text HttpClient::responseHeader(const Text& name) {
    if (rawHeaders.empty()) return {};
    const int found = findText(rawHeaders, "\r\n" + name + ":", 1, true);
    if (found == -1) return {};
    const int start = found + 2 + textLength(name) + 1;
    const int end = findText(rawHeaders, "\r\n", start);
    if (end == -1) return {};
    return trimStart(middleOfText(rawHeaders, start, end - start));
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
    if (cookieMode == 0 || redirectsDisabled) return;
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

// --- additions ---

void HttpClient::ignoreCertErrorsOnce() { ignoreCertErrorsPending = true; }

bool HttpClient::setTrustedCaFile(const Text& path) {
    if (!session) return false;
    const bool ok = session.setTrustedCaFile(path);
    trustedCaFile = ok ? path : Text();
    return ok;
}

}  // namespace vd
