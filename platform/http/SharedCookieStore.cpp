#include "platform/http/SharedCookieStore.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <string_view>
#include <vector>

#include "platform/http/AsciiText.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/UrlCracker.h"

namespace vd::platform {
namespace {

using detail::lowerAscii;
using detail::trimBlanks;

struct StoredCookie {
    Text name;
    Text value;
    Text domain;  // lower case
    Text path;
    bool hostOnly = true;
    bool secure = false;
    std::uint64_t creation = 0;
};

struct Store {
    std::mutex mutex;
    std::vector<StoredCookie> cookies;
    std::uint64_t nextCreation = 0;
};

Store& store() {
    static Store instance;
    return instance;
}

bool isIpAddress(std::string_view host) {
    if (host.find(':') != std::string_view::npos) return true;
    return !host.empty() && host.find_first_not_of("0123456789.") == std::string_view::npos;
}

// RFC 6265 5.1.3.
bool domainMatches(std::string_view host, std::string_view domain) {
    if (host == domain) return true;
    return !isIpAddress(host) && host.size() > domain.size() + 1 && host.substr(host.size() - domain.size()) == domain &&
           host[host.size() - domain.size() - 1] == '.';
}

// RFC 6265 5.1.4.
Text defaultPath(std::string_view uriPath) {
    if (uriPath.empty() || uriPath.front() != '/') return "/";
    const std::size_t last = uriPath.rfind('/');
    if (last == 0) return "/";
    return Text(uriPath.substr(0, last));
}

bool pathMatches(std::string_view requestPath, std::string_view cookiePath) {
    if (requestPath == cookiePath) return true;
    if (requestPath.substr(0, cookiePath.size()) != cookiePath) return false;
    return cookiePath.back() == '/' || requestPath[cookiePath.size()] == '/';
}

}  // namespace

bool setStoredCookie(const Text& url, const Text& name, const Text& data) {
    const std::optional<CrackedUrl> cracked = crackUrl(url);
    if (!cracked || name.empty()) return false;
    StoredCookie cookie;
    cookie.name = name;
    const Text host = lowerAscii(cracked->host);
    std::string_view rest = data;
    const std::size_t valueEnd = rest.find(';');
    cookie.value = Text(trimBlanks(rest.substr(0, valueEnd)));
    rest = valueEnd == std::string_view::npos ? std::string_view{} : rest.substr(valueEnd + 1);
    bool expired = false;
    std::optional<Text> domain;
    std::optional<Text> path;
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        const std::string_view attribute = trimBlanks(rest.substr(0, end));
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::size_t equals = attribute.find('=');
        const Text key = lowerAscii(trimBlanks(attribute.substr(0, equals)));
        const std::string_view value = equals == std::string_view::npos ? std::string_view{} : trimBlanks(attribute.substr(equals + 1));
        if (key == "domain" && !value.empty()) {
            domain = lowerAscii(value.front() == '.' ? value.substr(1) : value);
        } else if (key == "path" && !value.empty() && value.front() == '/') {
            path = Text(value);
        } else if (key == "secure") {
            cookie.secure = true;
        } else if (key == "max-age" && !value.empty()) {
            const bool digits = value.find_first_not_of("-0123456789") == std::string_view::npos;
            if (digits && (value.front() == '-' || value.find_first_not_of('0') == std::string_view::npos)) expired = true;
        }
    }
    if (domain && !domain->empty()) {
        if (!domainMatches(host, *domain)) return false;
        cookie.domain = *domain;
        cookie.hostOnly = false;
    } else {
        cookie.domain = host;
    }
    cookie.path = path ? *path : defaultPath(cracked->path);

    Store& s = store();
    const std::lock_guard lock(s.mutex);
    auto same = std::find_if(s.cookies.begin(), s.cookies.end(), [&](const StoredCookie& c) {
        return c.name == cookie.name && c.domain == cookie.domain && c.path == cookie.path;
    });
    if (expired) {
        if (same != s.cookies.end()) s.cookies.erase(same);
        return true;
    }
    if (same != s.cookies.end()) {
        cookie.creation = same->creation;
        *same = cookie;
    } else {
        cookie.creation = s.nextCreation++;
        s.cookies.push_back(cookie);
    }
    return true;
}

Text storedCookies(const Text& url) {
    const std::optional<CrackedUrl> cracked = crackUrl(url);
    if (!cracked) return {};
    const Text host = lowerAscii(cracked->host);
    const Text path = cracked->path.empty() ? Text("/") : cracked->path;
    const bool secureUrl = cracked->scheme == kSchemeHttps;

    std::vector<StoredCookie> matching;
    {
        Store& s = store();
        const std::lock_guard lock(s.mutex);
        for (const StoredCookie& c : s.cookies) {
            const bool hostOk = c.hostOnly ? host == c.domain : domainMatches(host, c.domain);
            if (hostOk && pathMatches(path, c.path) && (!c.secure || secureUrl)) matching.push_back(c);
        }
    }
    // RFC 6265 5.4: longer paths first, then the earlier created.
    std::stable_sort(matching.begin(), matching.end(), [](const StoredCookie& a, const StoredCookie& b) {
        if (a.path.size() != b.path.size()) return a.path.size() > b.path.size();
        return a.creation < b.creation;
    });
    Text out;
    for (const StoredCookie& c : matching) {
        if (!out.empty()) out += "; ";
        out += c.name + "=" + c.value;
    }
    return out;
}

void clearStoredCookies() {
    Store& s = store();
    const std::lock_guard lock(s.mutex);
    s.cookies.clear();
}

}  // namespace vd::platform
