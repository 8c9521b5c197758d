#include "platform/http/UrlCracker.h"

#include "platform/http/AsciiText.h"
#include "platform/http/HttpConstants.h"
#include "platform/text/CodePage.h"

namespace vd::platform {
namespace {

using detail::equalsIgnoringCase;

bool validHostCharacter(unsigned char c) { return c > 0x20 && c != 0x7F; }

std::optional<CrackedUrl> crackBytes(std::string_view url) {
    const std::size_t schemeEnd = url.find("://");
    if (schemeEnd == std::string_view::npos) return std::nullopt;
    CrackedUrl out;
    const std::string_view scheme = url.substr(0, schemeEnd);
    if (equalsIgnoringCase(scheme, "http")) {
        out.scheme = kSchemeHttp;
        out.port = kDefaultHttpPort;
    } else if (equalsIgnoringCase(scheme, "https")) {
        out.scheme = kSchemeHttps;
        out.port = kDefaultHttpsPort;
    } else {
        return std::nullopt;
    }

    std::string_view rest = url.substr(schemeEnd + 3);
    const std::size_t authorityEnd = rest.find_first_of("/?#");
    std::string_view authority = rest.substr(0, authorityEnd);
    const std::string_view tail = authorityEnd == std::string_view::npos ? std::string_view{} : rest.substr(authorityEnd);

    if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);

    std::string_view host;
    std::string_view port;
    if (!authority.empty() && authority.front() == '[') {
        const std::size_t close = authority.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        host = authority.substr(1, close - 1);
        std::string_view after = authority.substr(close + 1);
        if (!after.empty()) {
            if (after.front() != ':') return std::nullopt;
            port = after.substr(1);
        }
    } else {
        const std::size_t colon = authority.find(':');
        host = authority.substr(0, colon);
        if (colon != std::string_view::npos) port = authority.substr(colon + 1);
    }
    if (host.empty()) return std::nullopt;
    for (char c : host) {
        if (!validHostCharacter(static_cast<unsigned char>(c))) return std::nullopt;
    }
    if (!port.empty()) {
        if (port.size() > 5) return std::nullopt;
        int value = 0;
        for (char c : port) {
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        if (value < 1 || value > 65535) return std::nullopt;
        out.port = value;
    }
    out.host = Text(host);

    const std::size_t pathEnd = tail.find_first_of("?#");
    out.path = Text(tail.substr(0, pathEnd));
    if (pathEnd != std::string_view::npos) out.extra = Text(tail.substr(pathEnd));
    return out;
}

}  // namespace

std::optional<CrackedUrl> crackUrl(std::string_view url) {
    bool ascii = true;
    for (char c : url) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
    if (ascii) return crackBytes(url);
    // Cracked as UTF-8, whose multi-byte sequences never hold an ASCII byte (a GBK trail byte
    // can be '@' or '[').
    std::optional<CrackedUrl> out = crackBytes(gbkToUtf8Bytes(url));
    if (out) {
        out->host = utf8ToGbkBytes(out->host);
        out->path = utf8ToGbkBytes(out->path);
        out->extra = utf8ToGbkBytes(out->extra);
    }
    return out;
}

}  // namespace vd::platform
