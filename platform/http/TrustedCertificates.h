#pragma once

#include <memory>
#include <string>

namespace vd::platform {

// Certificate authorities trusted in addition to the system's trust store, held as the PEM
// bundle that libcurl verifies with: the system's own bundle followed by the extra
// certificates. The system's certificate folder stays in force beside it.
class TrustedCertificates {
public:
    // Replaces the extra authorities by the certificates of a PEM file (path in UTF-8). False,
    // holding none, when the file cannot be read or holds no certificate.
    bool loadPemFile(const std::string& pathUtf8);
    bool empty() const { return bundle_ == nullptr; }
    // Shared with the requests that use it, so that a later load leaves theirs intact.
    std::shared_ptr<const std::string> bundle() const { return bundle_; }

private:
    std::shared_ptr<const std::string> bundle_;
};

}  // namespace vd::platform
