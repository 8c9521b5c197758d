#pragma once

#include "common/Text.h"

// The process's shared cookie store: in memory, shared by every client of the process, gone
// with it. Cookies are matched to URLs by host and path as RFC 6265 5.1.3 and 5.1.4 say.
namespace vd::platform {

// Sets a cookie for a URL. `data` is the value, optionally followed by "; " attributes:
// Domain, Path, Secure and Max-Age (a Max-Age of 0 or less deletes the cookie). Without Domain
// the cookie is host-only; without Path its path is the URL's directory. False for a URL that
// is not http or https, an empty name, or a Domain that the URL's host does not match.
bool setStoredCookie(const Text& url, const Text& name, const Text& data);

// The cookies for a URL as "name1=value1; name2=value2", longer paths first, then older first;
// the empty text when there are none. Secure cookies only for https URLs.
Text storedCookies(const Text& url);

// Forgets every cookie.
void clearStoredCookies();

}  // namespace vd::platform
