#pragma once

#include <string>

// Texts of raw HTTP exchanges, for tests that write or read the wire themselves.
namespace vd::test {

// The shortest complete reply: status 200 and the body "ok".
inline const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

// The header lines of a raw request, without the request line and the final empty line.
std::string headerLines(const std::string& request);

}  // namespace vd::test
