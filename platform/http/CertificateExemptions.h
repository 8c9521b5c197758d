#pragma once

#include <cstdint>

#include <curl/curl.h>

// Certificate checks that a request is exempted from, by the security-flag bits of
// HttpConstants.h (kSecurityIgnore*). Each bit exempts exactly its own check. Internal to the
// HTTP stack.
namespace vd::platform::detail {

// Whether the stack can exempt exactly these checks: only the four known bits, and the checks
// of the certificate chain only with an OpenSSL TLS backend.
bool certificateExemptionsSupported(std::uint32_t flags);

// Sets the TLS verification of `easy` for a transfer: every check, less the exempted ones. A
// transfer with exemptions neither leaves its connection nor its TLS session for later
// requests, which may not have them.
bool applyCertificateExemptions(CURL* easy, std::uint32_t flags);

}  // namespace vd::platform::detail
