#include "platform/http/TrustedCertificates.h"

#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>

namespace vd::platform {
namespace {

struct BioFree {
    void operator()(BIO* bio) const { BIO_free(bio); }
};

}  // namespace

bool TrustedCertificates::loadPemFile(const std::string& pathUtf8) {
    certificates_.clear();
    std::unique_ptr<BIO, BioFree> bio(BIO_new_file(pathUtf8.c_str(), "rb"));
    if (!bio) return false;
    while (X509* certificate = PEM_read_bio_X509(bio.get(), nullptr, nullptr, nullptr)) {
        certificates_.emplace_back(certificate);
    }
    ERR_clear_error();  // the read that ends the loop leaves an end-of-data error behind
    return !certificates_.empty();
}

void TrustedCertificates::addTo(void* sslContext) const {
    X509_STORE* store = SSL_CTX_get_cert_store(static_cast<SSL_CTX*>(sslContext));
    if (store == nullptr) return;
    // Adding a certificate the store already holds is harmless; its error is dropped.
    for (const auto& certificate : certificates_) X509_STORE_add_cert(store, certificate.get());
    ERR_clear_error();
}

}  // namespace vd::platform
