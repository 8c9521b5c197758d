#pragma once

#include <cstdint>

// Numbers of the HTTP stack's interface: schemes, header modifiers, option numbers and their
// values, credential targets and schemes. They keep the values that callers pass through
// unchanged (for example a raw option number given to HttpClient::setOption).
namespace vd::platform {

inline constexpr int kSchemeHttp = 1;
inline constexpr int kSchemeHttps = 2;

inline constexpr int kDefaultHttpPort = 80;
inline constexpr int kDefaultHttpsPort = 443;

// Modifiers of HttpRequest::addHeaders.
inline constexpr std::uint32_t kAddHeaderCoalesceWithSemicolon = 0x01000000;
inline constexpr std::uint32_t kAddHeaderIfNew = 0x10000000;
inline constexpr std::uint32_t kAddHeaderAdd = 0x20000000;
inline constexpr std::uint32_t kAddHeaderCoalesceWithComma = 0x40000000;
inline constexpr std::uint32_t kAddHeaderReplace = 0x80000000;

// Option numbers.
inline constexpr int kOptionResolveTimeout = 2;
inline constexpr int kOptionConnectTimeout = 3;
inline constexpr int kOptionSendTimeout = 5;
inline constexpr int kOptionReceiveTimeout = 6;
inline constexpr int kOptionSecurityFlags = 31;
inline constexpr int kOptionDisableFeature = 63;
inline constexpr int kOptionProxyUsername = 0x1002;
inline constexpr int kOptionProxyPassword = 0x1003;

// Values of kOptionDisableFeature.
inline constexpr std::uint32_t kDisableCookies = 1;
inline constexpr std::uint32_t kDisableRedirects = 2;

// Bits of kOptionSecurityFlags.
inline constexpr std::uint32_t kSecurityIgnoreUnknownCa = 0x100;
inline constexpr std::uint32_t kSecurityIgnoreCertWrongUsage = 0x200;
inline constexpr std::uint32_t kSecurityIgnoreCertCnInvalid = 0x1000;
inline constexpr std::uint32_t kSecurityIgnoreCertDateInvalid = 0x2000;

// Credential targets and schemes of HttpRequest::setCredentials.
inline constexpr int kAuthTargetServer = 0;
inline constexpr int kAuthTargetProxy = 1;
inline constexpr int kAuthSchemeBasic = 1;
inline constexpr int kAuthSchemeNtlm = 2;
inline constexpr int kAuthSchemePassport = 4;
inline constexpr int kAuthSchemeDigest = 8;
inline constexpr int kAuthSchemeNegotiate = 0x10;

// Redirects the stack follows in a row before the exchange fails.
inline constexpr int kMaxAutomaticRedirects = 10;

}  // namespace vd::platform
