#include "platform/http/CertificateExemptions.h"

#include <cstring>

#include <openssl/ssl.h>
#include <openssl/x509_vfy.h>

#include "platform/http/HttpConstants.h"

namespace vd::platform::detail {
namespace {

constexpr std::uint32_t kChainChecks = kSecurityIgnoreUnknownCa | kSecurityIgnoreCertWrongUsage | kSecurityIgnoreCertDateInvalid;
constexpr std::uint32_t kKnownChecks = kChainChecks | kSecurityIgnoreCertCnInvalid;

bool opensslBackend() {
    static const bool openssl = [] {
        const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
        return info != nullptr && info->ssl_version != nullptr && std::strncmp(info->ssl_version, "OpenSSL/", 8) == 0;
    }();
    return openssl;
}

// The flag that exempts a verification error; 0 for an error that nothing exempts.
std::uint32_t flagExempting(int error) {
    switch (error) {
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_CERT_UNTRUSTED: return kSecurityIgnoreUnknownCa;
    case X509_V_ERR_INVALID_PURPOSE: return kSecurityIgnoreCertWrongUsage;
    case X509_V_ERR_CERT_NOT_YET_VALID:
    case X509_V_ERR_CERT_HAS_EXPIRED: return kSecurityIgnoreCertDateInvalid;
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH: return kSecurityIgnoreCertCnInvalid;
    default: return 0;
    }
}

// The flags ride on the TLS context that libcurl makes for each connection.
int flagsIndex() {
    static const int index = SSL_CTX_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}

int verifyCallback(int preverified, X509_STORE_CTX* store) {
    if (preverified == 1) return 1;
    const auto* ssl = static_cast<const SSL*>(X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
    if (ssl == nullptr) return 0;
    const auto flags = static_cast<std::uint32_t>(
        reinterpret_cast<std::uintptr_t>(SSL_CTX_get_ex_data(SSL_get_SSL_CTX(ssl), flagsIndex())));
    const std::uint32_t needed = flagExempting(X509_STORE_CTX_get_error(store));
    if (needed == 0 || (flags & needed) == 0) return 0;
    // Cleared, so that the result libcurl reads after the handshake holds only errors not exempted.
    X509_STORE_CTX_set_error(store, X509_V_OK);
    return 1;
}

CURLcode sslContextCallback(CURL*, void* sslContext, void* flags) {
    auto* context = static_cast<SSL_CTX*>(sslContext);
    if (flagsIndex() < 0 || SSL_CTX_set_ex_data(context, flagsIndex(), flags) != 1) return CURLE_SSL_CONNECT_ERROR;
    SSL_CTX_set_verify(context, SSL_VERIFY_PEER, verifyCallback);
    return CURLE_OK;
}

}  // namespace

bool certificateExemptionsSupported(std::uint32_t flags) {
    if ((flags & ~kKnownChecks) != 0) return false;
    return (flags & kChainChecks) == 0 || opensslBackend();
}

bool applyCertificateExemptions(CURL* easy, std::uint32_t flags) {
    if (!certificateExemptionsSupported(flags)) flags = 0;
    bool ok = curl_easy_setopt(easy, CURLOPT_SSL_VERIFYPEER, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_VERIFYHOST, (flags & kSecurityIgnoreCertCnInvalid) != 0 ? 0L : 2L) == CURLE_OK;
    if (flags == 0) return ok;
    ok = ok && curl_easy_setopt(easy, CURLOPT_FORBID_REUSE, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_SESSIONID_CACHE, 0L) == CURLE_OK;
    if ((flags & kChainChecks) == 0) return ok;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_CTX_FUNCTION, sslContextCallback) == CURLE_OK;
    ok = ok && curl_easy_setopt(easy, CURLOPT_SSL_CTX_DATA, reinterpret_cast<void*>(static_cast<std::uintptr_t>(flags))) == CURLE_OK;
    return ok;
}

}  // namespace vd::platform::detail
