#include "platform/http/TrustedCertificates.h"

#include <cstdio>

#include <curl/curl.h>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
#include <openssl/x509.h>

#include "platform/UniqueHandle.h"

namespace vd::platform {
namespace {

using Bio = UniqueHandle<BIO, BIO_free>;
using Certificate = UniqueHandle<X509, X509_free>;
using File = UniqueHandle<std::FILE, std::fclose>;

// The CA bundle libcurl was built to use; empty when it has none or it cannot be read.
std::string systemBundle() {
    const curl_version_info_data* info = curl_version_info(CURLVERSION_NOW);
    if (info == nullptr || info->cainfo == nullptr) return {};
    File file(std::fopen(info->cainfo, "rb"));
    if (!file) return {};
    std::string text;
    char buffer[65536];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0;) text.append(buffer, n);
    return text;
}

}  // namespace

bool TrustedCertificates::loadPemFile(const std::string& pathUtf8) {
    bundle_.reset();
    Bio in(BIO_new_file(pathUtf8.c_str(), "rb"));
    Bio out(BIO_new(BIO_s_mem()));
    if (!in || !out) {
        ERR_clear_error();
        return false;
    }
    // Only the certificates are kept, written out anew: nothing else of the file reaches libcurl.
    int count = 0;
    while (Certificate certificate{PEM_read_bio_X509(in.get(), nullptr, nullptr, nullptr)}) {
        if (PEM_write_bio_X509(out.get(), certificate.get()) == 1) ++count;
    }
    ERR_clear_error();  // the read that ends the loop leaves an end-of-data error behind
    if (count == 0) return false;
    char* data = nullptr;
    const long length = BIO_get_mem_data(out.get(), &data);
    std::string bundle = systemBundle();
    if (!bundle.empty() && bundle.back() != '\n') bundle += '\n';
    bundle.append(data, static_cast<std::size_t>(length));
    bundle_ = std::make_shared<const std::string>(std::move(bundle));
    return true;
}

}  // namespace vd::platform
