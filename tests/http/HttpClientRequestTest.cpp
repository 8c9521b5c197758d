#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/HttpExchangeTexts.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::RawSocketServer;

using test::kOk;
const std::string kAgent = "User-Agent: Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)\r\n";
const std::string kBlock = "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache\r\n";

std::string replacePort(std::string text, int port) {
    const std::string mark = "{port}";
    for (std::size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, mark.size(), std::to_string(port));
    return text;
}

TEST(HttpClientRequestTest, RequestBytesOnTheWire) {
    struct Case {
        const char* name;
        std::optional<Text> method;
        std::string path;
        std::optional<Text> contentType;
        std::string body;
        std::string expected;
    };
    const std::string host = "Host: 127.0.0.1:{port}\r\n";
    const Case cases[] = {
        {"GET without body", "GET", "/a/b?x=1&y=2", std::nullopt, "", "GET /a/b?x=1&y=2 HTTP/1.1\r\n" + host + kAgent + kBlock + "\r\n"},
        {"POST with application/json", "POST", "/rest/2.0/face/v3/match?access_token=t", "application/json", "[{\"a\":1}]",
         "POST /rest/2.0/face/v3/match?access_token=t HTTP/1.1\r\n" + host + kAgent +
             "Content-Type:application/json\r\n" + kBlock + "Content-Length: 9\r\n\r\n[{\"a\":1}]"},
        {"POST without content type gets the form type", "POST", "/f", std::nullopt, "image=abc",
         "POST /f HTTP/1.1\r\n" + host + kAgent + kBlock +
             "Content-Type:application/x-www-form-urlencoded\r\nContent-Length: 9\r\n\r\nimage=abc"},
        {"POST without body", "POST", "/f", std::nullopt, "",
         "POST /f HTTP/1.1\r\n" + host + kAgent + kBlock +
             "Content-Type:application/x-www-form-urlencoded\r\nContent-Length: 0\r\n\r\n"},
        {"lower-case post is sent upper-cased", "post", "/f", std::nullopt, "",
         "POST /f HTTP/1.1\r\n" + host + kAgent + kBlock +
             "Content-Type:application/x-www-form-urlencoded\r\nContent-Length: 0\r\n\r\n"},
        {"omitted method is GET", std::nullopt, "/g", std::nullopt, "", "GET /g HTTP/1.1\r\n" + host + kAgent + kBlock + "\r\n"},
        {"empty method is GET", "", "/g", std::nullopt, "", "GET /g HTTP/1.1\r\n" + host + kAgent + kBlock + "\r\n"},
        {"no path sends / and drops the query", "GET", "?q=1", std::nullopt, "", "GET / HTTP/1.1\r\n" + host + kAgent + kBlock + "\r\n"},
        {"Chinese path goes out as UTF-8, percent-encoded", "GET", "/图?q=片", std::nullopt, "",
         "GET /%E5%9B%BE?q=%E7%89%87 HTTP/1.1\r\n" + host + kAgent + kBlock + "\r\n"},
    };
    for (const Case& c : cases) {
        RawSocketServer server(RawSocketServer::replyToEach(kOk));
        HttpClient client;
        ASSERT_TRUE(client.open(c.method, server.url(c.path))) << c.name;
        if (c.contentType) {
            ASSERT_TRUE(client.setContentType(*c.contentType)) << c.name;
        }
        ASSERT_TRUE(client.send(c.body)) << c.name;
        EXPECT_EQ(client.responseText(), "ok") << c.name;
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u) << c.name;
        EXPECT_EQ(requests[0], replacePort(c.expected, server.port())) << c.name;
    }
}

TEST(HttpClientRequestTest, UrlSchemeRules) {
    LocalHttpServer server;
    const std::string hostPort = "127.0.0.1:" + std::to_string(server.port());
    struct Case {
        const char* name;
        std::string url;
        bool opens;
        std::string currentUrl;
        int scheme;
    };
    const Case cases[] = {
        {"bare host gets http://", hostPort + "/hello", true, "http://" + hostPort + "/hello", 1},
        {"HTTP:// in capitals is kept", "HTTP://" + hostPort + "/hello", true, "HTTP://" + hostPort + "/hello", 1},
        {"HTTPS:// in capitals is kept and secure", "HTTPS://" + hostPort + "/hello", true, "HTTPS://" + hostPort + "/hello", 2},
        {"short text always gets the prefix", "http://", true, "http://http://", 1},
        {"another scheme is taken for a host name", "ftp://" + hostPort + "/x", true, "http://ftp://" + hostPort + "/x", 1},
        {"empty host does not parse", "http://:80/x", false, "http://:80/x", 0},
        {"port out of range does not parse", "http://127.0.0.1:99999/x", false, "http://127.0.0.1:99999/x", 0},
        {"port that is not a number does not parse", "http://127.0.0.1:8a/x", false, "http://127.0.0.1:8a/x", 0},
    };
    for (const Case& c : cases) {
        HttpClient client;
        EXPECT_EQ(client.open("GET", c.url), c.opens) << c.name;
        EXPECT_EQ(client.currentUrl, c.currentUrl) << c.name;
        EXPECT_EQ(client.currentScheme, c.scheme) << c.name;
        EXPECT_EQ(static_cast<bool>(client.request), c.opens) << c.name;
    }
    HttpClient client;
    ASSERT_TRUE(client.open("GET", hostPort + "/hello"));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "hello");
}

TEST(HttpClientRequestTest, UnparsableUrlLeavesThePreviousResponseReadable) {
    LocalHttpServer server;
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/hello")));
    ASSERT_TRUE(client.send());
    EXPECT_FALSE(client.open("GET", "http://:1/"));
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.responseText(), "hello");
    EXPECT_NE(client.responseHeaders().find("HTTP/1.1 200 OK\r\n"), std::string::npos);
}

TEST(HttpClientRequestTest, ConsecutiveRequestsToOneHostAndPortShareOneTcpConnection) {
    RawSocketServer first(RawSocketServer::replyToEach(kOk));
    RawSocketServer second(RawSocketServer::replyToEach(kOk));
    HttpClient client;
    for (const std::string& url : {first.url("/1"), first.url("/2"), first.url("/3"), second.url("/4"), first.url("/5")}) {
        ASSERT_TRUE(client.open("GET", url)) << url;
        ASSERT_TRUE(client.send()) << url;
        EXPECT_EQ(client.responseText(), "ok") << url;
    }
    EXPECT_EQ(first.requests().size(), 4u);
    EXPECT_EQ(first.acceptedConnections(), 1);
    EXPECT_EQ(second.acceptedConnections(), 1);
}

TEST(HttpClientRequestTest, AnUnreadBodyDoesNotLeakIntoTheNextResponse) {
    LocalHttpServer server;
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/bytes/300000")));
    ASSERT_TRUE(client.send());
    ASSERT_TRUE(client.open("GET", server.url("/hello")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "hello");
}

TEST(HttpClientRequestTest, FailedSendGivesTheEmptyText) {
    int closedPort;
    {
        RawSocketServer gone(RawSocketServer::replyToEach(kOk));
        closedPort = gone.port();
    }
    HttpClient client;
    ASSERT_TRUE(client.open("POST", "http://127.0.0.1:" + std::to_string(closedPort) + "/x"));
    EXPECT_FALSE(client.send("body"));
    EXPECT_EQ(client.contentLength, 0);
    EXPECT_EQ(client.responseText(), "");
    EXPECT_TRUE(client.responseBytes().empty());
    EXPECT_EQ(client.statusCode(), 0);
    EXPECT_EQ(client.statusText(), "");

    RawSocketServer closesAtOnce([](test::RawConnection& c) { c.close(); });
    ASSERT_TRUE(client.open("GET", closesAtOnce.url("/")));
    EXPECT_FALSE(client.send());
    EXPECT_EQ(client.responseText(), "");
}

TEST(HttpClientRequestTest, OperationsThatNeedARequestOrSessionRefuseWithout) {
    LocalHttpServer server;
    HttpClient client;
    EXPECT_FALSE(client.setContentType("application/json"));
    EXPECT_FALSE(client.setHeader("X-A", "1"));
    EXPECT_FALSE(client.send());
    EXPECT_FALSE(client.setAccept());
    EXPECT_FALSE(client.setOption(2, 31, 0, 4));
    EXPECT_TRUE(client.responseBytes().empty());
    client.closeSession();
    EXPECT_FALSE(client.open("GET", "http://127.0.0.1:1/"));
    EXPECT_FALSE(client.setTimeouts());
    EXPECT_FALSE(client.setProxy());
    EXPECT_EQ(client.responseBuffer.data(), nullptr);
    client.resetSession();
    ASSERT_TRUE(client.open("GET", server.url("/hello")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "hello");
}

TEST(HttpClientRequestTest, InitialiserAndDefaults) {
    HttpClient client;
    EXPECT_TRUE(static_cast<bool>(client.session));
    EXPECT_FALSE(static_cast<bool>(client.connection));
    EXPECT_FALSE(static_cast<bool>(client.request));
    EXPECT_EQ(client.responseBuffer.size(), 10240u);
    EXPECT_TRUE(client.autoDefaultHeaders);
    EXPECT_EQ(client.cookieMode, 0);
    EXPECT_EQ(client.cookieJar, "; ");
    EXPECT_EQ(client.cookieJarLength, 2);
    EXPECT_FALSE(client.ignoreCertErrorsPending);
    EXPECT_EQ(client.contentLength, 0);
    EXPECT_EQ(client.receivedLength, 0);
}

TEST(HttpClientRequestTest, CopyOpensASessionOfItsOwn) {
    LocalHttpServer server;
    HttpClient original;
    original.setCookieMode(1);
    original.cookieJarText("a=1");
    ASSERT_TRUE(original.open("GET", server.url("/hello")));
    ASSERT_TRUE(original.send());
    const std::unique_ptr<HttpClient> copy = original.copy();
    EXPECT_TRUE(static_cast<bool>(copy->session));
    EXPECT_FALSE(static_cast<bool>(copy->request));
    EXPECT_FALSE(static_cast<bool>(copy->connection));
    EXPECT_NE(copy->responseBuffer.data(), original.responseBuffer.data());
    EXPECT_EQ(copy->cookieJar, "; a=1; ");
    EXPECT_EQ(copy->currentUrl, original.currentUrl);
    EXPECT_EQ(copy->rawHeaders, original.rawHeaders);
    EXPECT_EQ(copy->cookieMode, 1);
    EXPECT_EQ(original.responseText(), "hello");
    ASSERT_TRUE(copy->open("GET", server.url("/hello")));
    ASSERT_TRUE(copy->send());
    EXPECT_EQ(copy->responseText(), "hello");
    original.closeSession();
    ASSERT_TRUE(copy->open("GET", server.url("/hello")));
    ASSERT_TRUE(copy->send());
    EXPECT_EQ(copy->responseText(), "hello");
}

}  // namespace
}  // namespace vd
