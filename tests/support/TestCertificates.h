#pragma once

#include <string>

// Paths of the certificates that the build makes for the tests (make-test-certs.sh).
namespace vd::test {

inline std::string testCertPath(const char* file) { return std::string(VD_TEST_CERT_DIR) + "/" + file; }

inline std::string caCertificate() { return testCertPath("ca.pem"); }
inline std::string serverCertificate() { return testCertPath("server.pem"); }
inline std::string serverKey() { return testCertPath("server-key.pem"); }

}  // namespace vd::test
