#pragma once

#include <optional>
#include <string_view>

#include "common/Text.h"

namespace vd::platform {

// The parts of an absolute http or https URL. `path` starts with "/" or is empty; `extra` is
// what follows the path from its "?" or "#" on.
struct CrackedUrl {
    int scheme = 0;  // kSchemeHttp or kSchemeHttps
    Text host;       // without the brackets of an IPv6 literal
    int port = 0;    // the scheme's default when the URL names none
    Text path;
    Text extra;
};

// Parses a GBK URL scheme://[user[:password]@]host[:port][/path][?query][#fragment]. Nothing when the
// scheme is not http or https (any letter case), the host is empty or holds a blank or control
// character, or the port is not a number from 1 to 65535.
std::optional<CrackedUrl> crackUrl(std::string_view url);

}  // namespace vd::platform
