#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "common/Numbers.h"
#include "platform/http/HttpConstants.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestCertificates.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::testCertPath;

constexpr std::int32_t kUnknownCa = 0x100;
constexpr std::int32_t kWrongUsage = 0x200;
constexpr std::int32_t kNameInvalid = 0x1000;
constexpr std::int32_t kDateInvalid = 0x2000;
constexpr std::int32_t kAll = kUnknownCa | kWrongUsage | kNameInvalid | kDateInvalid;

LocalHttpServer httpsServerWith(const std::string& certificate) {
    return LocalHttpServer(LocalHttpServer::Scheme::Https, {}, testCertPath((certificate + ".pem").c_str()),
                           testCertPath((certificate + "-key.pem").c_str()));
}

TEST(HttpClientCertificateExemptionTest, EachFlagExemptsItsOwnCheckOnly) {
    struct Case {
        const char* certificate;
        bool trustTestCa;
        std::int32_t flags;
        bool accepted;
    };
    const Case cases[] = {
        {"server", true, 0, true},
        {"self-signed", true, 0, false},
        {"self-signed", true, kUnknownCa, true},
        {"self-signed", true, kDateInvalid, false},
        {"self-signed", true, kWrongUsage, false},
        {"self-signed", true, kNameInvalid, false},
        {"expired", true, 0, false},
        {"expired", true, kDateInvalid, true},
        {"expired", true, kUnknownCa, false},
        {"expired", true, kWrongUsage, false},
        {"expired", true, kNameInvalid, false},
        {"expired", false, kUnknownCa, false},
        {"expired", false, kDateInvalid, false},
        {"expired", false, kUnknownCa | kDateInvalid, true},
        {"wrong-usage", true, 0, false},
        {"wrong-usage", true, kWrongUsage, true},
        {"wrong-usage", true, kUnknownCa, false},
        {"wrong-usage", true, kDateInvalid, false},
        {"wrong-usage", true, kNameInvalid, false},
        {"other-host", true, 0, false},
        {"other-host", true, kNameInvalid, true},
        {"other-host", true, kUnknownCa | kWrongUsage | kDateInvalid, false},
        {"other-host", false, kNameInvalid, false},
        {"other-host", false, kNameInvalid | kUnknownCa, true},
    };
    for (const Case& c : cases) {
        const std::string name = std::string(c.certificate) + (c.trustTestCa ? "" : ", CA not trusted") + ", flags 0x" +
                                 hexText(c.flags);
        LocalHttpServer server = httpsServerWith(c.certificate);
        HttpClient client;
        if (c.trustTestCa) {
            ASSERT_TRUE(client.setTrustedCaFile(test::caCertificate())) << name;
        }
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << name;
        ASSERT_TRUE(client.setOption(2, platform::kOptionSecurityFlags, c.flags, 4)) << name;
        EXPECT_EQ(client.send(), c.accepted) << name;
        EXPECT_EQ(client.responseText(), c.accepted ? "hello" : "") << name;
        if (c.accepted && c.flags != 0) {
            // The exempted connection and TLS session serve no later request.
            ASSERT_TRUE(client.open("GET", server.url("/hello"))) << name;
            EXPECT_FALSE(client.send()) << name << " (next request, without exemptions)";
        }
    }
}

TEST(HttpClientCertificateExemptionTest, IgnoringOnceExemptsEveryFlaggedCheckForOneRequest) {
    for (const char* certificate : {"self-signed", "expired", "wrong-usage", "other-host"}) {
        LocalHttpServer server = httpsServerWith(certificate);
        HttpClient client;
        client.ignoreCertErrorsOnce();
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << certificate;
        EXPECT_TRUE(client.send()) << certificate;
        EXPECT_EQ(client.responseText(), "hello") << certificate;
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << certificate;
        EXPECT_FALSE(client.send()) << certificate << " (second request)";
    }
}

TEST(HttpClientCertificateExemptionTest, FlagsOutsideTheFourAreRefusedAndChangeNothing) {
    LocalHttpServer server = httpsServerWith("self-signed");
    for (std::int32_t refused : {kAll | 0x80, 0x1, 0x80, 0x4000, -1}) {
        HttpClient client;
        ASSERT_TRUE(client.open("GET", server.url("/hello")));
        ASSERT_TRUE(client.setOption(2, platform::kOptionSecurityFlags, kUnknownCa, 4));
        EXPECT_FALSE(client.setOption(2, platform::kOptionSecurityFlags, refused, 4)) << hexText(refused);
        EXPECT_TRUE(client.send()) << hexText(refused) << ": the flags set before stay";
        ASSERT_TRUE(client.open("GET", server.url("/hello")));
        EXPECT_FALSE(client.setOption(2, platform::kOptionSecurityFlags, refused, 4)) << hexText(refused);
        EXPECT_FALSE(client.send()) << hexText(refused) << ": nothing exempted";
    }
}

}  // namespace
}  // namespace vd
