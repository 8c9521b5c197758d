#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/TestCertificates.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::testCertPath;

TEST(HttpClientTlsTest, CertificatesAreCheckedOnEveryRequestUnlessOneIsExempted) {
    struct Case {
        const char* name;
        const char* certificate;  // of the server
        bool trustTestCa;
        bool ignoreFirst;
        bool firstSucceeds;
        bool secondSucceeds;  // the next request, never exempted
    };
    const Case cases[] = {
        {"trusted CA", "server", true, false, true, true},
        {"unknown CA, even the first request", "server", false, false, false, false},
        {"unknown CA, first exempted", "server", false, true, true, false},
        {"self-signed", "self-signed", true, false, false, false},
        {"self-signed, first exempted", "self-signed", true, true, true, false},
        {"name mismatch", "other-host", true, false, false, false},
        {"name mismatch, first exempted", "other-host", true, true, true, false},
    };
    for (const Case& c : cases) {
        const std::string name = c.certificate;
        LocalHttpServer server(LocalHttpServer::Scheme::Https, {}, testCertPath((name + ".pem").c_str()),
                               testCertPath((name + "-key.pem").c_str()));
        HttpClient client;
        if (c.trustTestCa) {
            ASSERT_TRUE(client.setTrustedCaFile(test::caCertificate())) << c.name;
        }
        if (c.ignoreFirst) client.ignoreCertErrorsOnce();
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << c.name;
        EXPECT_EQ(client.send(), c.firstSucceeds) << c.name;
        EXPECT_EQ(client.responseText(), c.firstSucceeds ? "hello" : "") << c.name;
        EXPECT_FALSE(client.ignoreCertErrorsPending) << c.name;
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << c.name;
        EXPECT_EQ(client.send(), c.secondSucceeds) << c.name << " (second request)";
    }
}

TEST(HttpClientTlsTest, ResetSessionDoesNotExemptTheNextRequest) {
    LocalHttpServer server(LocalHttpServer::Scheme::Https, {}, testCertPath("self-signed.pem"),
                           testCertPath("self-signed-key.pem"));
    HttpClient client;
    client.resetSession();
    EXPECT_FALSE(client.ignoreCertErrorsPending);
    ASSERT_TRUE(client.open("GET", server.url("/hello")));
    EXPECT_FALSE(client.send());
}

TEST(HttpClientTlsTest, TrustedCaFileIsKeptAcrossSessionsAndCopies) {
    LocalHttpServer server(LocalHttpServer::Scheme::Https);
    HttpClient client;
    EXPECT_FALSE(client.setTrustedCaFile(testCertPath("no-such-file.pem")));
    EXPECT_FALSE(client.setTrustedCaFile(test::serverKey())) << "a key is no certificate";
    ASSERT_TRUE(client.setTrustedCaFile(test::caCertificate()));
    client.resetSession();
    ASSERT_TRUE(client.open("GET", server.url("/hello")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "hello");
    const auto copy = client.copy();
    ASSERT_TRUE(copy->open("GET", server.url("/hello")));
    ASSERT_TRUE(copy->send());
    EXPECT_EQ(copy->responseText(), "hello");
    client.closeSession();
    EXPECT_FALSE(client.setTrustedCaFile(test::caCertificate())) << "no session";
}

TEST(HttpClientTlsTest, EveryChangeOfTrustAppliesToTheNextRequest) {
    LocalHttpServer server(LocalHttpServer::Scheme::Https);
    struct Step {
        const char* name;
        std::string caFile;  // empty: leave the trust as it is
        bool accepted;
        bool sendSucceeds;
    };
    const Step steps[] = {
        {"system trust only", "", false, false},
        {"test CA added after a first handshake", test::caCertificate(), true, true},
        {"same CA, connection reused", "", true, true},
        {"another authority in its place", testCertPath("self-signed.pem"), true, false},
        {"test CA again", test::caCertificate(), true, true},
        {"a file without certificates drops the extra authority", test::serverKey(), false, false},
    };
    HttpClient client;
    for (const Step& step : steps) {
        if (!step.caFile.empty()) {
            EXPECT_EQ(client.setTrustedCaFile(step.caFile), step.accepted) << step.name;
        }
        ASSERT_TRUE(client.open("GET", server.url("/hello"))) << step.name;
        EXPECT_EQ(client.send(), step.sendSucceeds) << step.name;
        EXPECT_EQ(client.responseText(), step.sendSucceeds ? "hello" : "") << step.name;
    }
}

}  // namespace
}  // namespace vd
