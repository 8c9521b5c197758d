#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::RawSocketServer;

TEST(HttpClientHeaderNamesTest, BodyLengthIsReadFromTheContentLengthHeaderItself) {
    struct Case {
        const char* name;
        std::string headers;
        int contentLength;
    };
    const Case cases[] = {
        {"another header's name ends in Content-Length", "X-Orig-Content-Length: 0\r\nContent-Length: 5\r\n", 5},
        {"tab after the colon", "Content-Length:\t5\r\n", 5},
        {"letter case and no blank", "content-LENGTH:5\r\n", 5},
    };
    for (const Case& c : cases) {
        RawSocketServer server(RawSocketServer::replyOnceAndClose("HTTP/1.1 200 OK\r\n" + c.headers + "\r\nhello"));
        HttpClient client;
        ASSERT_TRUE(client.open("GET", server.url("/"))) << c.name;
        ASSERT_TRUE(client.send()) << c.name;
        EXPECT_EQ(client.contentLength, c.contentLength) << c.name;
        EXPECT_EQ(client.responseText(), "hello") << c.name;
    }
}

TEST(HttpClientHeaderNamesTest, ContentLocationIsNotTheLocation) {
    LocalHttpServer server(LocalHttpServer::Scheme::Http, [](httplib::Server& s) {
        s.Get("/moved", [](const httplib::Request&, httplib::Response& res) {
            res.status = 302;
            res.set_header("Content-Location", "/status/404");
            res.set_header("Location", "/hello");
        });
    });
    HttpClient client;
    client.setCookieMode(1);
    ASSERT_TRUE(client.open("GET", server.url("/moved")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.responseText(), "hello");
    EXPECT_EQ(client.currentUrl, server.url("/hello"));
}

TEST(HttpClientHeaderNamesTest, ACookieItemEndsWithItsOwnHeaderLine) {
    RawSocketServer server(RawSocketServer::replyOnceAndClose(
        "HTTP/1.1 200 OK\r\nSet-Cookie: a=1\r\nX-Note: private; data\r\nSet-Cookie: b=2; path=/\r\n"
        "Content-Length: 2\r\n\r\nok"));
    HttpClient client;
    client.setCookieMode(1);
    ASSERT_TRUE(client.open("GET", server.url("/")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.cookieJar, "; a=1; b=2; ");
    EXPECT_EQ(client.jarCookie("a"), "1");
    EXPECT_EQ(client.responseCookies(), "a=1; b=2");
}

}  // namespace
}  // namespace vd
