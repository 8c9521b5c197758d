#include "http/HttpClient.h"

#include <algorithm>

#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"
#include "http/CookieJar.h"
#include "http/HttpClientDetail.h"
#include "http/ResponseHeaderValues.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/SharedCookieStore.h"

// The three ways of keeping cookies: the stack's, the object's jar, the shared store.
namespace vd {

namespace p = vd::platform;
using namespace vd::httpclient;

void HttpClient::setCookieMode(std::optional<int> mode) {
    const int m = mode.value_or(static_cast<int>(CookieMode::Jar));
    const bool known = m >= static_cast<int>(CookieMode::Platform) && m <= static_cast<int>(CookieMode::SharedStore);
    setCookieModeOf(*this, known ? static_cast<CookieMode>(m) : CookieMode::Platform);
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
    if (cookieModeOf(*this) == CookieMode::Jar) return mergeIntoJar(cookies);
    if (cookieModeOf(*this) == CookieMode::SharedStore) return storeCookies(cookies);
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

}  // namespace vd
