#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

#include "common/Text.h"
#include "platform/system/HeapBlock.h"
#include "platform/http/HttpConnection.h"
#include "platform/http/HttpRequest.h"
#include "platform/http/HttpSession.h"

namespace vd {

// The request object over the HTTP stack: a session, the connection to the last host, the
// current request and the last response. It adds a scheme to bare URLs, a block of default
// request headers, three ways of keeping cookies, redirects followed by itself when it keeps
// the cookies, and a response body read once into one reusable buffer.
//
// One exchange: open, then header and option operations, then send or sendBytes, then the
// response operations. Every call is synchronous; nothing throws. Not for use from two threads
// at once.
class HttpClient {
public:
    // A new object: session opened with the default user agent, a 10240-byte buffer, defaults.
    HttpClient();
    // A copy opens a session of its own and shares no handle or buffer with the original.
    HttpClient(const HttpClient& other);
    HttpClient& operator=(const HttpClient&) = delete;

    virtual ~HttpClient();
    virtual std::unique_ptr<HttpClient> copy() const;
    virtual void openSession(const std::optional<Text>& userAgent = std::nullopt);
    virtual void closeSession();
    virtual void applyDefaults();
    virtual void jarResponseCookies(std::optional<bool> skipEmptyCookies = std::nullopt);
    virtual void storeResponseCookies(std::optional<bool> skipEmptyCookies = std::nullopt);
    virtual bool storeCookies(const Text& cookies);
    virtual bool attachJarCookies();
    virtual bool attachStoredCookies();
    virtual bool addDefaultHeaders(bool hasBody);
    virtual void prepareRequest();
    virtual bool readResponseHeaders(std::optional<bool> skipEmptyCookies = std::nullopt);
    virtual void followRedirect(std::optional<bool> skipEmptyCookies = std::nullopt);
    // With a handle given, the object takes it over (the one it held before is closed).
    // The result is the field's handle, nullptr when there is none.
    virtual platform::HttpSession* sessionHandle(std::optional<platform::HttpSession> handle = std::nullopt);
    virtual platform::HttpConnection* connectionHandle(std::optional<platform::HttpConnection> handle = std::nullopt);
    virtual platform::HttpRequest* requestHandle(std::optional<platform::HttpRequest> handle = std::nullopt);
    virtual void setAutoDefaultHeaders(std::optional<bool> on = std::nullopt);
    virtual void setCookieMode(std::optional<int> mode = std::nullopt);
    virtual void resetSession(const std::optional<Text>& userAgent = std::nullopt);
    virtual bool open(const std::optional<Text>& method, const Text& url);
    virtual bool sendBytes(std::span<const std::uint8_t> body = {}, std::optional<bool> skipEmptyCookies = std::nullopt);
    // The body text's own bytes, unconverted.
    virtual bool send(std::string_view body = {}, std::optional<bool> skipEmptyCookies = std::nullopt);
    virtual ByteArray responseBytes();
    virtual Text responseRawText();
    // The body decoded from UTF-8; the empty text when the exchange failed.
    virtual Text responseText();
    virtual int statusCode();
    virtual Text statusText();
    virtual Text responseHeaders();
    virtual Text responseHeader(const Text& name);
    virtual Text responseCookies();
    virtual Text responseCookie(const Text& name);
    virtual Text redirectLocation(std::optional<bool> resolve = std::nullopt);
    virtual bool setTimeouts(std::optional<int> resolveMs = std::nullopt, std::optional<int> connectMs = std::nullopt,
                             std::optional<int> sendMs = std::nullopt, std::optional<int> receiveMs = std::nullopt);
    virtual bool setProxy(const std::optional<Text>& server = std::nullopt, const std::optional<Text>& user = std::nullopt,
                          const std::optional<Text>& password = std::nullopt);
    virtual bool setCredentials(const Text& user, const Text& password, std::optional<int> target = std::nullopt,
                                std::optional<int> scheme = std::nullopt);
    virtual bool setOption(std::optional<int> target, int option, std::int32_t value, int size);
    virtual void setFollowRedirects(std::optional<int> on = std::nullopt);
    virtual bool setHeader(const Text& name, const Text& value, std::optional<std::uint32_t> modifiers = std::nullopt);
    virtual bool removeHeader(const Text& name);
    virtual bool setCookieHeader(const Text& cookies);
    virtual bool setUserAgent(const std::optional<Text>& value = std::nullopt);
    virtual bool setReferer(const std::optional<Text>& value = std::nullopt);
    virtual bool setAccept(const std::optional<Text>& value = std::nullopt);
    virtual bool setAcceptLanguage(const std::optional<Text>& value = std::nullopt);
    virtual bool setContentType(const std::optional<Text>& value = std::nullopt);
    virtual bool setAjaxHeader();
    virtual bool setForwardedFor(const Text& address);
    virtual Text cookieJarText(const std::optional<Text>& cookies = std::nullopt);
    virtual Text jarCookie(const Text& name, std::optional<bool> withName = std::nullopt);
    virtual bool mergeIntoJar(const Text& cookies);
    virtual bool removeFromJar(const Text& names);

    // The next request, and only that one, goes out exempted from the four certificate checks
    // of the security flags (authority, key usage, name, dates); the certificate's signatures
    // are still verified. Certificates are otherwise verified in full on every request.
    virtual void ignoreCertErrorsOnce();
    // Certificate authorities of a PEM file trusted beside the system's trust store, for this
    // session and the sessions it opens later. False when there is no session or the file
    // holds no certificate (no extra authority is then trusted).
    virtual bool setTrustedCaFile(const Text& path);

    // The one operation that may be called from another thread while an exchange runs: that
    // exchange fails at once (as if the connection dropped), and so does every later one until
    // resetSession. For a program that ends without waiting for a reply.
    void abortTransfer() const;

    // The object's state, in the order of its layout.
    platform::HttpSession session;
    platform::HttpConnection connection;
    platform::HttpRequest request;
    Text connectedHost;
    std::int32_t connectedPort = 0;
    Text currentUrl;
    std::int32_t currentScheme = 0;
    bool isPost = false;
    HeapBlock responseBuffer;
    std::int32_t receivedLength = 0;
    std::int32_t contentLength = 0;
    Text rawHeaders;
    bool autoDefaultHeaders = false;
    std::int32_t cookieMode = 0;
    Text cookieJar;
    std::int32_t cookieJarLength = 0;
    bool redirectsDisabled = false;
    std::int32_t redirectCount = 0;
    bool proxyCredentialsPending = false;
    Text pendingProxyUser;
    Text pendingProxyPassword;
    bool ignoreCertErrorsPending = false;
    // Added after the layout: the PEM file given to setTrustedCaFile, applied to every session
    // the object opens.
    Text trustedCaFile;

private:
    void initialise();
    // Takes the body from the stack into responseBuffer once; false when there is none to take.
    bool readBody();
    Text readHeaderQuery(bool statusCodeWanted);
};

}  // namespace vd
