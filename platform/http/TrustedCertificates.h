#pragma once

#include <memory>
#include <string>
#include <vector>

#include <openssl/x509.h>

namespace vd::platform {

// Certificate authorities trusted in addition to the system's trust store.
class TrustedCertificates {
public:
    // Replaces the held certificates by those of a PEM file (path in UTF-8). False, holding
    // none, when the file cannot be read or holds no certificate.
    bool loadPemFile(const std::string& pathUtf8);
    bool empty() const { return certificates_.empty(); }
    // Adds the certificates to the verification store of an OpenSSL SSL_CTX, beside the
    // authorities already loaded into it.
    void addTo(void* sslContext) const;

private:
    struct X509Free {
        void operator()(X509* certificate) const { X509_free(certificate); }
    };
    std::vector<std::unique_ptr<X509, X509Free>> certificates_;
};

}  // namespace vd::platform
