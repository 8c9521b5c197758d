#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "platform/http/HttpConstants.h"
#include "tests/support/HttpExchangeTexts.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd {
namespace {

using test::RawSocketServer;

using test::kOk;

using test::headerLines;

TEST(HttpClientOptionsTest, HeaderOperationsOnTheWire) {
    struct Case {
        const char* name;
        std::function<void(HttpClient&)> act;
        std::string expectedHeaders;  // {port} stands for the server's port
    };
    const std::string host = "Host: 127.0.0.1:{port}\r\n";
    const std::string agent = "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)\r\n";
    const std::string block = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\n";
    const Case cases[] = {
        {"defaults only", [](HttpClient&) {}, host + agent + block},
        {"setAccept keeps its value against the block", [](HttpClient& c) { EXPECT_TRUE(c.setAccept("text/html")); },
         host + agent + "Accept:text/html\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\n"},
        {"setUserAgent() sets the default as a header", [](HttpClient& c) { EXPECT_TRUE(c.setUserAgent()); },
         host + "User-Agent:Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)\r\n" + block},
        {"setReferer() sends the request's own URL", [](HttpClient& c) { EXPECT_TRUE(c.setReferer()); },
         host + agent + "Referer:http://127.0.0.1:{port}/p\r\n" + block},
        {"setAjaxHeader", [](HttpClient& c) { EXPECT_TRUE(c.setAjaxHeader()); },
         host + agent + "x-requested-with:XMLHttpRequest\r\n" + block},
        {"setForwardedFor, four lines in order", [](HttpClient& c) { EXPECT_TRUE(c.setForwardedFor("10.1.2.3")); },
         host + agent + "X-Forwarded-For:10.1.2.3\r\nCLIENT_IP:10.1.2.3\r\nVIA:10.1.2.3\r\nREMOTE_ADDR:10.1.2.3\r\n" + block},
        {"setHeader replaces an earlier one", [](HttpClient& c) {
             EXPECT_TRUE(c.setHeader("X-A", "1"));
             EXPECT_TRUE(c.setHeader("x-a", "2"));
         }, host + agent + "X-A:2\r\n" + block},
        {"add-if-new refuses a second", [](HttpClient& c) {
             EXPECT_TRUE(c.setHeader("X-A", "1"));
             EXPECT_FALSE(c.setHeader("X-A", "2", platform::kAddHeaderIfNew));
         }, host + agent + "X-A:1\r\n" + block},
        {"plain add keeps both", [](HttpClient& c) {
             EXPECT_TRUE(c.setHeader("X-A", "1", platform::kAddHeaderAdd));
             EXPECT_TRUE(c.setHeader("X-A", "2", platform::kAddHeaderAdd));
         }, host + agent + "X-A:1\r\nX-A:2\r\n" + block},
        {"removeHeader", [](HttpClient& c) {
             EXPECT_TRUE(c.setHeader("X-A", "1"));
             EXPECT_TRUE(c.removeHeader("X-A"));
             EXPECT_FALSE(c.removeHeader("X-B")) << "nothing to remove";
             EXPECT_FALSE(c.removeHeader(""));
         }, host + agent + block},
        {"no default block", [](HttpClient& c) { c.setAutoDefaultHeaders(false); }, host + agent},
        {"basic credentials", [](HttpClient& c) { EXPECT_TRUE(c.setCredentials("user", "pass")); },
         host + "Authorization: Basic dXNlcjpwYXNz\r\n" + agent + block},
        {"a header line with a Chinese value goes out as UTF-8", [](HttpClient& c) { EXPECT_TRUE(c.setHeader("X-Name", "图片")); },
         host + agent + "X-Name:\xE5\x9B\xBE\xE7\x89\x87\r\n" + block},
    };
    for (const Case& c : cases) {
        RawSocketServer server(RawSocketServer::replyToEach(kOk));
        HttpClient client;
        ASSERT_TRUE(client.open("GET", server.url("/p"))) << c.name;
        c.act(client);
        ASSERT_TRUE(client.send()) << c.name;
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u) << c.name;
        std::string expected = c.expectedHeaders;
        for (std::size_t at; (at = expected.find("{port}")) != std::string::npos;) {
            expected.replace(at, 6, std::to_string(server.port()));
        }
        EXPECT_EQ(headerLines(requests[0]), expected) << c.name;
    }
}

TEST(HttpClientOptionsTest, ProxyEnvironmentVariablesAreIgnored) {
    RawSocketServer proxy(RawSocketServer::replyToEach(kOk));
    RawSocketServer target(RawSocketServer::replyToEach(kOk));
    const std::string address = "http://127.0.0.1:" + std::to_string(proxy.port());
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"}) setenv(name, address.c_str(), 1);
    HttpClient client;
    ASSERT_TRUE(client.open("GET", target.url("/direct")));
    const bool sent = client.send();
    for (const char* name : {"http_proxy", "HTTPS_PROXY", "ALL_PROXY", "all_proxy"}) unsetenv(name);
    EXPECT_TRUE(sent);
    EXPECT_EQ(proxy.acceptedConnections(), 0);
    EXPECT_EQ(target.acceptedConnections(), 1);
}

TEST(HttpClientOptionsTest, NamedProxyWithPendingCredentialsForTheFirstRequestOnly) {
    RawSocketServer proxy(RawSocketServer::replyToEach(kOk));
    HttpClient client;
    const Text proxyAddress = "127.0.0.1:" + std::to_string(proxy.port());
    ASSERT_TRUE(client.setProxy(proxyAddress, "pu", "pp"));
    EXPECT_TRUE(client.proxyCredentialsPending);
    // The target is never contacted: the proxy answers.
    const std::string target = "http://127.0.0.1:9/via-proxy";
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(client.open("GET", target));
        ASSERT_TRUE(client.send());
        EXPECT_EQ(client.responseText(), "ok");
    }
    EXPECT_FALSE(client.proxyCredentialsPending);
    const auto requests = proxy.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].substr(0, requests[0].find("\r\n")), "GET " + target + " HTTP/1.1");
    EXPECT_NE(requests[0].find("Proxy-Authorization: Basic cHU6cHA=\r\n"), std::string::npos) << requests[0];
    EXPECT_EQ(requests[1].find("Proxy-Authorization"), std::string::npos) << requests[1];

    ASSERT_TRUE(client.setProxy());
    RawSocketServer direct(RawSocketServer::replyToEach(kOk));
    ASSERT_TRUE(client.open("GET", direct.url("/")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(direct.acceptedConnections(), 1);
    EXPECT_EQ(proxy.requests().size(), 2u);
}

TEST(HttpClientOptionsTest, DigestChallengeIsAnsweredByTheStackBeforeSendReturns) {
    RawSocketServer server([](test::RawConnection& c) {
        std::string request;
        while (c.readRequest(request)) {
            if (request.find("Authorization: Digest ") == std::string::npos) {
                c.write("HTTP/1.1 401 Unauthorized\r\nWWW-Authenticate: Digest realm=\"r\", nonce=\"abc\", qop=\"auth\"\r\n"
                        "Content-Length: 4\r\n\r\nauth");
            } else {
                c.write(kOk);
            }
        }
    });
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/secret")));
    ASSERT_TRUE(client.setCredentials("user", "pass", platform::kAuthTargetServer, platform::kAuthSchemeDigest));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.responseText(), "ok");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_NE(requests[1].find("username=\"user\""), std::string::npos) << requests[1];
}

TEST(HttpClientOptionsTest, OptionsAndHandles) {
    RawSocketServer server(RawSocketServer::replyToEach(kOk));
    HttpClient client;
    struct Case {
        const char* name;
        std::function<bool(HttpClient&)> act;
        bool result;
        platform::HttpSession::Timeouts expected;
    };
    const Case timeoutCases[] = {
        {"the stack's defaults", [](HttpClient&) { return true; }, true, {0, 60000, 30000, 30000}},
        {"only receive given", [](HttpClient& c) { return c.setTimeouts(std::nullopt, std::nullopt, std::nullopt, 5000); }, true,
         {10000, 20000, 300000, 5000}},
        {"all given, -1 and 0 without limit", [](HttpClient& c) { return c.setTimeouts(-1, 0, 7, 8); }, true, {0, 0, 7, 8}},
        {"below -1 is refused", [](HttpClient& c) { return c.setTimeouts(-2); }, false, {0, 60000, 30000, 30000}},
        {"receive through setOption", [](HttpClient& c) { return c.setOption(std::nullopt, platform::kOptionReceiveTimeout, 1234, 4); },
         true, {0, 60000, 30000, 1234}},
    };
    for (const Case& c : timeoutCases) {
        HttpClient fresh;
        EXPECT_EQ(c.act(fresh), c.result) << c.name;
        const auto t = fresh.session.timeouts();
        EXPECT_EQ(t.resolveMs, c.expected.resolveMs) << c.name;
        EXPECT_EQ(t.connectMs, c.expected.connectMs) << c.name;
        EXPECT_EQ(t.sendMs, c.expected.sendMs) << c.name;
        EXPECT_EQ(t.receiveMs, c.expected.receiveMs) << c.name;
    }
    EXPECT_TRUE(client.setTimeouts(std::nullopt, std::nullopt, std::nullopt, 5000));
    EXPECT_FALSE(client.setTimeouts(-2)) << "below -1";
    EXPECT_TRUE(client.setOption(std::nullopt, platform::kOptionReceiveTimeout, 5000, 4));
    EXPECT_FALSE(client.setOption(std::nullopt, 12345, 1, 4));
    EXPECT_FALSE(client.setOption(2, platform::kOptionDisableFeature, 2, 4)) << "no request yet";
    EXPECT_FALSE(client.setOption(1, platform::kOptionDisableFeature, 2, 4));
    EXPECT_FALSE(client.setCredentials("u", "p")) << "no request yet";
    EXPECT_NE(client.sessionHandle(), nullptr);
    EXPECT_EQ(client.connectionHandle(), nullptr);
    EXPECT_EQ(client.requestHandle(), nullptr);
    ASSERT_TRUE(client.open("GET", server.url("/")));
    EXPECT_NE(client.requestHandle(), nullptr);
    EXPECT_TRUE(client.setOption(2, platform::kOptionDisableFeature, 2, 4));
    EXPECT_FALSE(client.setOption(2, platform::kOptionDisableFeature, 2, 2)) << "wrong size";
    EXPECT_FALSE(client.setCredentials("u", "p", 0, 4)) << "an unsupported scheme";
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "ok");
    EXPECT_EQ(client.requestHandle(platform::HttpRequest()), nullptr);
    EXPECT_FALSE(client.send()) << "the request was replaced by none";
}

}  // namespace
}  // namespace vd
