#pragma once

#include <cstdint>

#include "http/CookieJar.h"
#include "http/HttpClient.h"
#include "platform/http/HttpConstants.h"

// What the files of HttpClient share and nobody else needs.
namespace vd::httpclient {

// Where cookies are kept, as held in HttpClient::cookieMode.
enum class CookieMode : std::int32_t {
    Platform = 0,     // by the HTTP stack itself
    Jar = 1,          // in the object's own jar, cookieJar
    SharedStore = 2,  // in the store shared by every object of the process
};

// The handle HttpClient::setOption acts on; any other value names the session.
enum class OptionTarget : int {
    Session = 0,
    Connection = 1,
    Request = 2,
};

inline constexpr const char* kDefaultUserAgent = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)";
inline constexpr std::uint32_t kAddOrReplace = platform::kAddHeaderAdd | platform::kAddHeaderReplace;

inline CookieMode cookieModeOf(const HttpClient& client) { return static_cast<CookieMode>(client.cookieMode); }

inline void setCookieModeOf(HttpClient& client, CookieMode mode) {
    client.cookieMode = static_cast<std::int32_t>(mode);
}

inline CookieJar jarOf(const HttpClient& client) { return CookieJar(client.cookieJar, client.cookieJarLength); }

inline void keepJar(HttpClient& client, const CookieJar& jar) {
    client.cookieJar = jar.text();
    client.cookieJarLength = jar.recordedLength();
}

}  // namespace vd::httpclient
