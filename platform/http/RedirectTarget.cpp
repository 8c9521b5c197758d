#include "platform/http/RedirectTarget.h"

#include <memory>

#include <curl/curl.h>

#include "platform/UniqueHandle.h"
#include "platform/http/AsciiText.h"

namespace vd::platform::detail {
namespace {

using UrlHandle = UniqueHandle<CURLU, curl_url_cleanup>;
using CurlText = UniqueHandle<char, curl_free>;

std::optional<std::string> part(CURLU* url, CURLUPart which, unsigned int flags = 0) {
    char* text = nullptr;
    if (curl_url_get(url, which, &text, flags) != CURLUE_OK || text == nullptr) return std::nullopt;
    const CurlText owned(text);
    return std::string(owned.get());
}

UrlHandle parsed(const std::string& url) {
    UrlHandle handle(curl_url());
    if (!handle || curl_url_set(handle.get(), CURLUPART_URL, url.c_str(), CURLU_PATH_AS_IS) != CURLUE_OK) return nullptr;
    return handle;
}

}  // namespace

std::optional<std::string> redirectTarget(const std::string& base, std::string_view location) {
    const UrlHandle url = parsed(base);
    if (!url) return std::nullopt;
    const std::optional<std::string> fromScheme = part(url.get(), CURLUPART_SCHEME);
    const std::string value(location);
    // As libcurl reads a Location: relative to the base, blanks and other bytes percent-encoded.
    if (curl_url_set(url.get(), CURLUPART_URL, value.c_str(), CURLU_URLENCODE | CURLU_ALLOW_SPACE | CURLU_PATH_AS_IS) !=
        CURLUE_OK) {
        return std::nullopt;
    }
    const std::optional<std::string> toScheme = part(url.get(), CURLUPART_SCHEME);
    if (!fromScheme || !toScheme) return std::nullopt;
    const std::string from = lowerAscii(*fromScheme);
    const std::string to = lowerAscii(*toScheme);
    if (to != "http" && to != "https") return std::nullopt;
    if (from == "https" && to == "http") return std::nullopt;
    return part(url.get(), CURLUPART_URL);
}

std::string originOf(const std::string& url) {
    const UrlHandle handle = parsed(url);
    if (!handle) return {};
    const auto scheme = part(handle.get(), CURLUPART_SCHEME);
    const auto host = part(handle.get(), CURLUPART_HOST);
    const auto port = part(handle.get(), CURLUPART_PORT, CURLU_DEFAULT_PORT);
    if (!scheme || !host || !port) return {};
    return lowerAscii(*scheme + "://" + *host + ":" + *port);
}

}  // namespace vd::platform::detail
