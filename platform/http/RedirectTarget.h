#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where a redirect leads, for the redirects the HTTP stack follows by itself. URLs are UTF-8 as
// on the wire. Internal to the HTTP stack.
namespace vd::platform::detail {

// The absolute URL that the Location value `location` names, read against `base`; none when it
// cannot be followed from there: not HTTP or HTTPS, unreadable, or from HTTPS to HTTP.
std::optional<std::string> redirectTarget(const std::string& base, std::string_view location);

// "scheme://host:port" of a URL, lower-cased, the port always written; empty when unreadable.
std::string originOf(const std::string& url);

}  // namespace vd::platform::detail
