#include "platform/http/HttpRequest.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/http/AsciiText.h"
#include "platform/http/CertificateExemptions.h"
#include "platform/http/CurlHandles.h"
#include "platform/http/HttpConnection.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/HttpSessionState.h"
#include "platform/http/RedirectTarget.h"
#include "platform/system/MonotonicClock.h"

namespace vd::platform {
namespace detail {
namespace {

long long monotonicMs() { return monotonicMilliseconds(); }

// RFC 9110 5.6.2: token characters.
bool isToken(std::string_view s) {
    if (s.empty()) return false;
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F) return false;
        if (std::strchr("\"(),/:;<=>?@[\\]{}", c) != nullptr) return false;
    }
    return true;
}

std::string percentEncodeUnsafe(std::string_view utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u >= 0x7F) {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

ExchangeFailure failureOf(CURLcode code) {
    switch (code) {
    case CURLE_OK: return ExchangeFailure::None;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY: return ExchangeFailure::Resolve;
    case CURLE_COULDNT_CONNECT: return ExchangeFailure::Connect;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED: return ExchangeFailure::Tls;
    case CURLE_OPERATION_TIMEDOUT: return ExchangeFailure::Timeout;
    case CURLE_GOT_NOTHING:
    case CURLE_RECV_ERROR:
    case CURLE_SEND_ERROR:
    case CURLE_PARTIAL_FILE: return ExchangeFailure::Dropped;
    case CURLE_ABORTED_BY_CALLBACK: return ExchangeFailure::Aborted;
    default: return ExchangeFailure::Other;
    }
}

constexpr std::size_t kMostRedirectBodySkipped = 1048576;

struct Header {
    Text name;
    Text value;  // everything after the colon, as given
};

}  // namespace

// What the caller sets on the request before a send; kept from one exchange to the next.
struct RequestOptions {
    std::string requestUrl;  // as opened
    Text requestVerb;
    std::vector<Header> headers;

    bool cookiesDisabled = false;
    bool redirectsDisabled = false;
    std::uint32_t securityFlags = 0;
    std::optional<Text> proxyUser;
    std::optional<Text> proxyPassword;
    int serverAuthScheme = 0;
    Text serverUser, serverPassword;
    int proxyAuthScheme = 0;
    Text proxyAuthUser, proxyAuthPassword;
};

// What one exchange holds, from the send to the end of its response. Every exchange starts from
// a new one.
struct Exchange {
    Exchange() = default;
    Exchange(std::string url, Text method) : urlUtf8(std::move(url)), verb(std::move(method)) {}

    std::string urlUtf8;  // of the exchange's current hop
    Text verb;
    CurlHeaderList wireHeaders;
    bool added = false;
    bool done = false;
    CURLcode result = CURLE_OK;
    long long lastActivity = 0;
    bool connected = false;
    // Until a socket is opened the name is being resolved, then the connection is being made.
    bool socketOpened = false;
    long long phaseStart = 0;

    const std::uint8_t* body = nullptr;
    std::size_t bodyLength = 0;
    std::size_t bodyOffset = 0;
    std::vector<std::uint8_t> ownedBody;

    std::string block;  // header lines of the response being received, UTF-8 as on the wire
    int blockStatus = 0;
    std::string blockLocation;  // the block's first Location value
    bool authRetried = false;
    // Redirects the stack follows by itself: the next hop's URL while the response that leads
    // there is received, the hops so far, and whether the current hop is off the request's origin.
    std::string followUrl;
    int redirectsFollowed = 0;
    bool crossOrigin = false;
    std::size_t redirectBodySkipped = 0;
    bool redirectBodyAbandoned = false;
    bool haveFinal = false;
    Text finalHeaders;
    Text finalStatusCode;
    Text finalStatusText;

    // The body, handed over as it is read.
    std::uint8_t* target = nullptr;
    std::size_t targetRoom = 0;
    std::size_t targetFilled = 0;
    std::vector<std::uint8_t> staged;  // the rest of one piece that did not fit the reader's room
    std::size_t stagedOffset = 0;
    bool paused = false;
    std::size_t pausedSize = 0;
    bool discard = false;
};

struct RequestState : RequestOptions, Exchange {
    std::shared_ptr<SessionState> session;
    CurlEasyHandle easy;
    std::shared_ptr<const std::string> caBundle;  // the extra trusted authorities' bundle in use

    ~RequestState() { finish(); }

    void touch() { lastActivity = monotonicMs(); }
    CURLM* multi() const { return session->multi.get(); }

    void detach() {
        if (added) {
            curl_multi_remove_handle(multi(), easy.get());
            added = false;
        }
    }

    void startExchange() {
        detach();
        static_cast<Exchange&>(*this) = Exchange(requestUrl, requestVerb);
        startResolving();
    }

    // Ends the exchange. A response whose rest is already at hand is completed first, so that its
    // connection goes back to the cache instead of being closed.
    void finish() {
        if (added && haveFinal && !done) {
            discard = true;
            if (paused) {
                paused = false;
                curl_easy_pause(easy.get(), CURLPAUSE_CONT);
            }
            int running = 0;
            curl_multi_perform(multi(), &running);
            collectMessages();
        }
        detach();
        if (session) session->giveBackEasy(std::move(easy));
    }

    void collectMessages() {
        int left = 0;
        while (CURLMsg* msg = curl_multi_info_read(multi(), &left)) {
            if (msg->msg != CURLMSG_DONE) continue;
            char* owner = nullptr;
            curl_easy_getinfo(msg->easy_handle, CURLINFO_PRIVATE, &owner);
            if (owner == nullptr) continue;
            reinterpret_cast<RequestState*>(owner)->onDone(msg->data.result);
        }
    }

    void onDone(CURLcode code) {
        done = true;
        result = code;
        if (!followUrl.empty() && (code == CURLE_OK || (code == CURLE_WRITE_ERROR && redirectBodyAbandoned))) {
            followRedirect();
            return;
        }
        // A last response that the stack was expected to follow but did not is the final one.
        if (code == CURLE_OK && !haveFinal && blockStatus >= 200) declareFinal();
    }

    void fail(CURLcode code) {
        detach();
        done = true;
        result = code;
    }

    void startResolving() {
        socketOpened = false;
        phaseStart = monotonicMs();
    }

    // Milliseconds left before the step in progress times out; -1 without limit. Resolving and
    // connecting are bounded as a whole, sending and receiving by the time without progress.
    long long msLeft() const {
        int limit = 0;
        long long since = lastActivity;
        if (!connected) {
            limit = socketOpened ? session->connectTimeoutMs : session->resolveTimeoutMs;
            since = phaseStart;
        } else {
            limit = bodyOffset < bodyLength ? session->sendTimeoutMs : session->receiveTimeoutMs;
        }
        if (limit <= 0) return -1;
        return std::max(0LL, limit - (monotonicMs() - since));
    }

    template <class Ready>
    bool pumpUntil(Ready ready) {
        touch();
        for (;;) {
            if (ready()) return true;
            if (done || !added) return false;
            if (session->transferAbandoned()) {
                // What has already arrived is kept, as with a dropped connection.
                int running = 0;
                curl_multi_perform(multi(), &running);
                collectMessages();
                if (ready()) return true;
                if (!done) fail(CURLE_ABORTED_BY_CALLBACK);
                return false;
            }
            int running = 0;
            const CURLMcode code = curl_multi_perform(multi(), &running);
            collectMessages();
            if (ready()) return true;
            if (done) return false;
            if (code != CURLM_OK) {
                fail(CURLE_OUT_OF_MEMORY);
                return false;
            }
            int waitMs = 1000;
            if (const long long left = msLeft(); left >= 0) {
                if (left == 0) {
                    fail(CURLE_OPERATION_TIMEDOUT);
                    return false;
                }
                waitMs = static_cast<int>(std::min<long long>(waitMs, left));
            }
            curl_multi_poll(multi(), nullptr, 0, waitMs, nullptr);
        }
    }

    void declareFinal() {
        haveFinal = true;
        finalHeaders = fromWire(block);
        const std::string_view line = std::string_view(finalHeaders).substr(0, finalHeaders.find("\r\n"));
        const std::size_t codeStart = line.find(' ');
        if (codeStart == std::string_view::npos) return;
        const std::string_view afterVersion = line.substr(codeStart + 1);
        const std::size_t codeEnd = afterVersion.find(' ');
        finalStatusCode = Text(afterVersion.substr(0, codeEnd));
        if (codeEnd != std::string_view::npos) finalStatusText = Text(afterVersion.substr(codeEnd + 1));
    }

    bool stackRetriesAuthentication(int status) {
        const bool retry = !authRetried && ((status == 401 && serverAuthScheme != 0 && serverAuthScheme != kAuthSchemeBasic) ||
                                            (status == 407 && proxyAuthScheme != 0 && proxyAuthScheme != kAuthSchemeBasic));
        if (retry) authRetried = true;
        return retry;
    }

    void onHeaderLine(std::string_view line) {
        touch();
        if (startsWithIgnoringCase(line, "HTTP/")) {
            block.clear();
            blockLocation.clear();
            blockStatus = 0;
            const std::size_t space = line.find(' ');
            if (space != std::string_view::npos) {
                for (std::size_t i = space + 1; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
                    blockStatus = blockStatus * 10 + (line[i] - '0');
                    if (blockStatus > 999) break;
                }
            }
        }
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
        if (!line.empty()) {
            block.append(line);
            block.append("\r\n");
            if (startsWithIgnoringCase(line, "location:") && blockLocation.empty()) blockLocation = trimBlanks(line.substr(9));
            return;
        }
        block.append("\r\n");
        if (haveFinal) return;
        if (blockStatus < 200) return;  // interim response
        if (!redirectsDisabled && blockStatus >= 300 && blockStatus < 400 && !blockLocation.empty()) {
            // A redirect that cannot be followed (HTTPS to HTTP, another scheme) is the final response.
            if (std::optional<std::string> next = redirectTarget(urlUtf8, blockLocation)) {
                followUrl = std::move(*next);
                return;
            }
        }
        if (stackRetriesAuthentication(blockStatus)) return;
        declareFinal();
    }

    std::size_t onBody(const char* data, std::size_t length) {
        touch();
        if (!followUrl.empty()) {
            // The body of a redirect that is followed is skipped; a long one is cut off (the
            // connection is then closed), so that an endless one cannot hold the exchange.
            redirectBodySkipped += length;
            if (redirectBodySkipped <= kMostRedirectBodySkipped) return length;
            redirectBodyAbandoned = true;
            return 0;
        }
        if (!haveFinal) declareFinal();
        if (discard) return length;
        if (stagedOffset < staged.size() || target == nullptr || targetFilled == targetRoom) {
            paused = true;
            pausedSize = length;
            return CURL_WRITEFUNC_PAUSE;
        }
        const std::size_t n = std::min(length, targetRoom - targetFilled);
        std::memcpy(target + targetFilled, data, n);
        targetFilled += n;
        if (n < length) {
            staged.assign(data + n, data + length);
            stagedOffset = 0;
        }
        return length;
    }

    std::size_t onUpload(char* buffer, std::size_t room) {
        touch();
        const std::size_t n = std::min(room, bodyLength - bodyOffset);
        if (n > 0) std::memcpy(buffer, body + bodyOffset, n);
        bodyOffset += n;
        return n;
    }

    bool configure();

    // The next hop, as libcurl would make it: 301 and 302 turn a POST into a GET, 303 anything
    // but GET and HEAD; credentials and the Authorization and Cookie headers go to the request's
    // own origin only.
    void followRedirect() {
        const std::string next = std::move(followUrl);
        followUrl.clear();
        detach();
        if (++redirectsFollowed > kMaxAutomaticRedirects) {
            result = CURLE_TOO_MANY_REDIRECTS;
            return;
        }
        if (((blockStatus == 301 || blockStatus == 302) && verb == "POST") ||
            (blockStatus == 303 && verb != "GET" && verb != "HEAD")) {
            verb = "GET";
            body = nullptr;
            bodyLength = 0;
        }
        crossOrigin = originOf(next) != originOf(requestUrl);
        urlUtf8 = next;
        wireHeaders.reset();
        done = false;
        connected = false;
        startResolving();
        bodyOffset = 0;
        block.clear();
        blockStatus = 0;
        blockLocation.clear();
        authRetried = false;
        redirectBodySkipped = 0;
        redirectBodyAbandoned = false;
        resetEasy(easy.get());
        if (!configure() || curl_multi_add_handle(multi(), easy.get()) != CURLM_OK) {
            done = true;
            result = CURLE_FAILED_INIT;
            return;
        }
        added = true;
    }
};

namespace {

std::size_t headerCallback(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<RequestState*>(user)->onHeaderLine(std::string_view(data, size * count));
    return size * count;
}

std::size_t writeCallback(char* data, std::size_t size, std::size_t count, void* user) {
    return static_cast<RequestState*>(user)->onBody(data, size * count);
}

std::size_t readCallback(char* buffer, std::size_t size, std::size_t count, void* user) {
    return static_cast<RequestState*>(user)->onUpload(buffer, size * count);
}

int seekCallback(void* user, curl_off_t offset, int origin) {
    auto* s = static_cast<RequestState*>(user);
    if (origin != SEEK_SET || offset < 0 || static_cast<std::size_t>(offset) > s->bodyLength) return CURL_SEEKFUNC_FAIL;
    s->bodyOffset = static_cast<std::size_t>(offset);
    return CURL_SEEKFUNC_OK;
}

int prereqCallback(void* user, char*, char*, int, int) {
    auto* s = static_cast<RequestState*>(user);
    s->connected = true;
    s->touch();
    return CURL_PREREQFUNC_OK;
}

int socketOptionCallback(void* user, curl_socket_t, curlsocktype purpose) {
    auto* s = static_cast<RequestState*>(user);
    if (purpose == CURLSOCKTYPE_IPCXN && !s->socketOpened) {
        s->socketOpened = true;
        s->phaseStart = monotonicMs();
    }
    return CURL_SOCKOPT_OK;
}

long curlAuthBits(int scheme) {
    long bits = 0;
    if (scheme & kAuthSchemeBasic) bits |= CURLAUTH_BASIC;
    if (scheme & kAuthSchemeNtlm) bits |= CURLAUTH_NTLM;
    if (scheme & kAuthSchemeDigest) bits |= CURLAUTH_DIGEST;
    if (scheme & kAuthSchemeNegotiate) bits |= CURLAUTH_NEGOTIATE;
    return bits;
}

const Header* findHeader(const std::vector<Header>& headers, std::string_view name) {
    for (const Header& h : headers) {
        if (equalsIgnoringCase(h.name, name)) return &h;
    }
    return nullptr;
}

}  // namespace

bool RequestState::configure() {
    CURL* e = easy.get();
    bool ok = true;
    auto set = [&ok](CURLcode code) { ok = ok && code == CURLE_OK; };
    set(curl_easy_setopt(e, CURLOPT_PRIVATE, reinterpret_cast<char*>(this)));
    set(curl_easy_setopt(e, CURLOPT_URL, urlUtf8.c_str()));
    set(curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https"));
    set(curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1)));
    set(curl_easy_setopt(e, CURLOPT_PATH_AS_IS, 1L));
    set(curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L));
    set(curl_easy_setopt(e, CURLOPT_USERAGENT, session->userAgentUtf8.c_str()));
    // An empty proxy and no-proxy list keep libcurl from reading the proxy environment variables.
    set(curl_easy_setopt(e, CURLOPT_PROXY, session->namedProxy ? session->proxyUtf8.c_str() : ""));
    set(curl_easy_setopt(e, CURLOPT_NOPROXY, ""));
    set(curl_easy_setopt(e, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L));
    // Redirects are followed hop by hop (followRedirect), so that one the stack refuses stays
    // the response, body and all.
    set(curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, 0L));

    // Resolving and connecting are timed apart (msLeft); libcurl's limit, which spans both, only
    // backs them up. It has no "without limit"; 0 would mean its default.
    long connectMs = 0x7FFFFFFFL;
    if (session->connectTimeoutMs > 0 && session->resolveTimeoutMs > 0) {
        connectMs = static_cast<long>(std::min<long long>(0x7FFFFFFFLL, 1LL * session->connectTimeoutMs + session->resolveTimeoutMs));
    }
    set(curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT_MS, connectMs));
    set(curl_easy_setopt(e, CURLOPT_SOCKOPTFUNCTION, socketOptionCallback));
    set(curl_easy_setopt(e, CURLOPT_SOCKOPTDATA, static_cast<void*>(this)));

    ok = ok && applyCertificateExemptions(e, securityFlags);
    caBundle = session->trusted.bundle();
    if (caBundle) {
        // The bundle takes the place of the system's bundle file (which it holds) and is compared
        // when connections are reused, so a change of trust never reuses a connection made before.
        curl_blob blob{const_cast<char*>(caBundle->data()), caBundle->size(), CURL_BLOB_NOCOPY};
        set(curl_easy_setopt(e, CURLOPT_CAINFO_BLOB, &blob));
    }

    // Headers as given, then the empty forms that stop libcurl adding its own Accept,
    // Content-Type and Expect.
    for (const Header& h : headers) {
        if (crossOrigin && (equalsIgnoringCase(h.name, "Authorization") || equalsIgnoringCase(h.name, "Cookie"))) continue;
        // Two steps: g++ 12 at -O3 reports a false -Wrestrict for the one-expression form.
        const bool blank = trimBlanks(h.value).empty();
        std::string line = toWire(h.name) + (blank ? ";" : ":");
        if (!blank) line += toWire(h.value);
        ok = ok && appendHeaderLine(wireHeaders, line.c_str());
    }
    for (const char* name : {"Accept", "Content-Type", "Expect"}) {
        if (findHeader(headers, name) == nullptr) ok = ok && appendHeaderLine(wireHeaders, (std::string(name) + ":").c_str());
    }
    set(curl_easy_setopt(e, CURLOPT_HTTPHEADER, wireHeaders.get()));

    if (cookiesDisabled) {
        set(curl_easy_setopt(e, CURLOPT_SHARE, static_cast<CURLSH*>(nullptr)));
    } else {
        set(curl_easy_setopt(e, CURLOPT_SHARE, session->cookieShare.get()));
        set(curl_easy_setopt(e, CURLOPT_COOKIEFILE, ""));
    }

    const bool isPost = verb == "POST";
    if (bodyLength > 0 || isPost || verb == "PUT") {
        set(curl_easy_setopt(e, CURLOPT_POST, 1L));
        set(curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(bodyLength)));
        set(curl_easy_setopt(e, CURLOPT_READFUNCTION, readCallback));
        set(curl_easy_setopt(e, CURLOPT_READDATA, static_cast<void*>(this)));
        set(curl_easy_setopt(e, CURLOPT_SEEKFUNCTION, seekCallback));
        set(curl_easy_setopt(e, CURLOPT_SEEKDATA, static_cast<void*>(this)));
        if (!isPost) set(curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str()));
    } else if (verb == "HEAD") {
        set(curl_easy_setopt(e, CURLOPT_NOBODY, 1L));
    } else if (verb == "GET") {
        set(curl_easy_setopt(e, CURLOPT_HTTPGET, 1L));
    } else {
        set(curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, verb.c_str()));
    }

    if (serverAuthScheme != 0 && !crossOrigin) {
        set(curl_easy_setopt(e, CURLOPT_HTTPAUTH, curlAuthBits(serverAuthScheme)));
        set(curl_easy_setopt(e, CURLOPT_USERNAME, toWire(serverUser).c_str()));
        set(curl_easy_setopt(e, CURLOPT_PASSWORD, toWire(serverPassword).c_str()));
    }
    if (proxyAuthScheme != 0) set(curl_easy_setopt(e, CURLOPT_PROXYAUTH, curlAuthBits(proxyAuthScheme)));
    const Text& pUser = proxyAuthScheme != 0 ? proxyAuthUser : proxyUser.value_or(Text());
    const Text& pPassword = proxyAuthScheme != 0 ? proxyAuthPassword : proxyPassword.value_or(Text());
    if (proxyAuthScheme != 0 || proxyUser || proxyPassword) {
        set(curl_easy_setopt(e, CURLOPT_PROXYUSERNAME, toWire(pUser).c_str()));
        set(curl_easy_setopt(e, CURLOPT_PROXYPASSWORD, toWire(pPassword).c_str()));
    }

    set(curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, headerCallback));
    set(curl_easy_setopt(e, CURLOPT_HEADERDATA, static_cast<void*>(this)));
    set(curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, writeCallback));
    set(curl_easy_setopt(e, CURLOPT_WRITEDATA, static_cast<void*>(this)));
    set(curl_easy_setopt(e, CURLOPT_PREREQFUNCTION, prereqCallback));
    set(curl_easy_setopt(e, CURLOPT_PREREQDATA, static_cast<void*>(this)));
    return ok;
}

}  // namespace detail

HttpRequest::HttpRequest() = default;
HttpRequest::~HttpRequest() = default;
HttpRequest::HttpRequest(HttpRequest&& other) noexcept = default;
HttpRequest& HttpRequest::operator=(HttpRequest&& other) noexcept = default;

void HttpRequest::close() { state_.reset(); }

HttpRequest HttpRequest::open(const HttpConnection& connection, const Text& verb, const Text& objectName,
                              bool secure) {
    if (!connection || !detail::isToken(verb) || objectName.empty() || objectName.front() != '/') return {};
    auto state = std::make_unique<detail::RequestState>();
    state->session = connection.session();
    state->easy = state->session->takeEasy();
    if (!state->easy) return {};
    state->verb = state->requestVerb = verb;
    const std::string host = detail::toWire(connection.host());
    const bool ipv6 = host.find(':') != std::string::npos;
    state->urlUtf8 = std::string(secure ? "https://" : "http://") + (ipv6 ? "[" + host + "]" : host) + ":" +
                     std::to_string(connection.port()) + detail::percentEncodeUnsafe(detail::toWire(objectName));
    state->requestUrl = state->urlUtf8;
    HttpRequest request;
    request.state_ = std::move(state);
    return request;
}

bool HttpRequest::addHeaders(std::string_view lines, std::uint32_t modifiers) {
    if (!state_) return false;
    auto& headers = state_->headers;
    bool all = true;
    bool any = false;
    while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        std::string_view line = lines.substr(0, end);
        lines = end == std::string_view::npos ? std::string_view{} : lines.substr(end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (line.empty()) continue;
        any = true;
        const std::size_t colon = line.find(':');
        const std::string_view name = detail::trimBlanks(line.substr(0, colon));
        if (colon == std::string_view::npos || !detail::isToken(name)) {
            all = false;
            continue;
        }
        const Text value(line.substr(colon + 1));
        const bool emptyValue = detail::trimBlanks(value).empty();
        auto existing = std::find_if(headers.begin(), headers.end(),
                                     [&](const detail::Header& h) { return detail::equalsIgnoringCase(h.name, name); });
        if (modifiers & kAddHeaderReplace) {
            if (existing != headers.end()) {
                if (emptyValue) {
                    headers.erase(existing);
                } else {
                    existing->value = value;
                }
            } else if (modifiers & kAddHeaderAdd) {
                if (!emptyValue) headers.push_back({Text(name), value});
            } else {
                all = false;
            }
        } else if (modifiers & kAddHeaderIfNew) {
            if (existing != headers.end()) {
                all = false;
            } else {
                headers.push_back({Text(name), value});
            }
        } else if ((modifiers & (kAddHeaderCoalesceWithComma | kAddHeaderCoalesceWithSemicolon)) &&
                   existing != headers.end()) {
            existing->value += (modifiers & kAddHeaderCoalesceWithComma) ? ", " : "; ";
            existing->value += detail::trimBlanks(value);
        } else {
            headers.push_back({Text(name), value});
        }
    }
    return all && any;
}

bool HttpRequest::setOption(int option, std::uint32_t value) {
    if (!state_) return false;
    switch (option) {
    case kOptionDisableFeature:
        if (value & ~(kDisableCookies | kDisableRedirects)) return false;
        if (value & kDisableCookies) state_->cookiesDisabled = true;
        if (value & kDisableRedirects) state_->redirectsDisabled = true;
        return true;
    case kOptionSecurityFlags:
        if (!detail::certificateExemptionsSupported(value)) return false;
        state_->securityFlags = value;
        return true;
    default: return false;
    }
}

bool HttpRequest::setOption(int option, const Text& value) {
    if (!state_) return false;
    switch (option) {
    case kOptionProxyUsername: state_->proxyUser = value; return true;
    case kOptionProxyPassword: state_->proxyPassword = value; return true;
    default: return false;
    }
}

bool HttpRequest::setCredentials(int target, int scheme, const Text& user, const Text& password) {
    if (!state_ || detail::curlAuthBits(scheme) == 0 ||
        (scheme & ~(kAuthSchemeBasic | kAuthSchemeNtlm | kAuthSchemeDigest | kAuthSchemeNegotiate)) != 0) {
        return false;
    }
    if (target == kAuthTargetServer) {
        state_->serverAuthScheme = scheme;
        state_->serverUser = user;
        state_->serverPassword = password;
        return true;
    }
    if (target == kAuthTargetProxy) {
        state_->proxyAuthScheme = scheme;
        state_->proxyAuthUser = user;
        state_->proxyAuthPassword = password;
        return true;
    }
    return false;
}

bool HttpRequest::send(const std::uint8_t* body, std::size_t length) {
    if (!state_) return false;
    auto& s = *state_;
    s.startExchange();
    detail::resetEasy(s.easy.get());
    s.body = length > 0 ? body : nullptr;
    s.bodyLength = s.body != nullptr ? length : 0;
    if (!s.configure() || curl_multi_add_handle(s.multi(), s.easy.get()) != CURLM_OK) {
        s.fail(CURLE_FAILED_INIT);
        return false;
    }
    s.added = true;
    return true;
}

bool HttpRequest::receiveResponse() {
    if (!state_) return false;
    auto& s = *state_;
    const bool ok = s.pumpUntil([&s] { return s.haveFinal; });
    // The caller's body may go away now. A request still sending it (the server answered early)
    // keeps a copy; that is the only time the request body is copied.
    if (s.body != nullptr && s.body != s.ownedBody.data()) {
        if (s.bodyOffset < s.bodyLength && !s.done) {
            s.ownedBody.assign(s.body, s.body + s.bodyLength);
            s.body = s.ownedBody.data();
        } else {
            s.body = nullptr;
            s.bodyLength = s.bodyOffset;
        }
    }
    return ok;
}

std::optional<Text> HttpRequest::rawHeaders() const {
    if (!state_ || !state_->haveFinal) return std::nullopt;
    return state_->finalHeaders;
}

std::optional<Text> HttpRequest::statusCode() const {
    if (!state_ || !state_->haveFinal || state_->finalStatusCode.empty()) return std::nullopt;
    return state_->finalStatusCode;
}

std::optional<Text> HttpRequest::statusText() const {
    if (!state_ || !state_->haveFinal || state_->finalStatusCode.empty()) return std::nullopt;
    return state_->finalStatusText;
}

bool HttpRequest::queryDataAvailable(std::size_t& available) {
    available = 0;
    if (!state_ || !state_->haveFinal) return false;
    auto& s = *state_;
    if (s.stagedOffset < s.staged.size()) {
        available = s.staged.size() - s.stagedOffset;
        return true;
    }
    if (!s.paused) s.pumpUntil([&s] { return s.paused; });
    if (s.paused) {
        available = s.pausedSize;
        return true;
    }
    return s.done && s.result == CURLE_OK;
}

bool HttpRequest::readData(void* buffer, std::size_t room, std::size_t& read) {
    read = 0;
    if (!state_ || !state_->haveFinal) return false;
    auto& s = *state_;
    if (room == 0) return true;
    if (s.stagedOffset < s.staged.size()) {
        read = std::min(room, s.staged.size() - s.stagedOffset);
        std::memcpy(buffer, s.staged.data() + s.stagedOffset, read);
        s.stagedOffset += read;
        if (s.stagedOffset == s.staged.size()) {
            s.staged.clear();
            s.stagedOffset = 0;
        }
        return true;
    }
    s.target = static_cast<std::uint8_t*>(buffer);
    s.targetRoom = room;
    s.targetFilled = 0;
    if (s.paused && s.added) {
        s.paused = false;
        if (curl_easy_pause(s.easy.get(), CURLPAUSE_CONT) != CURLE_OK) s.fail(CURLE_RECV_ERROR);
    }
    if (s.targetFilled == 0) s.pumpUntil([&s] { return s.targetFilled > 0 || s.paused; });
    read = s.targetFilled;
    s.target = nullptr;
    s.targetRoom = s.targetFilled = 0;
    return read > 0 || (s.done && s.result == CURLE_OK);
}

ExchangeFailure HttpRequest::failure() const {
    return state_ ? detail::failureOf(state_->result) : ExchangeFailure::None;
}

}  // namespace vd::platform
