#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"
#include "tests/support/TestCertificates.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::RawSocketServer;

TEST(HttpClientRedirectTest, ChainsAndTheirLimit) {
    struct Case {
        const char* name;
        int cookieMode;
        int hops;
        bool sendSucceeds;
        int status;
        std::string location;  // of the response left as the result
    };
    const Case cases[] = {
        {"stack follows 10", 0, 10, true, 200, ""},
        {"stack fails on the 11th", 0, 11, false, 0, ""},
        {"object follows 10", 1, 10, true, 200, ""},
        {"object stops after the 10th hop", 1, 11, true, 302, "/redirect/0"},
        {"object in store mode stops likewise", 2, 11, true, 302, "/redirect/0"},
    };
    LocalHttpServer server;
    for (const Case& c : cases) {
        HttpClient client;
        client.setCookieMode(c.cookieMode);
        ASSERT_TRUE(client.open("GET", server.url("/redirect/" + std::to_string(c.hops)))) << c.name;
        EXPECT_EQ(client.send(), c.sendSucceeds) << c.name;
        EXPECT_EQ(client.statusCode(), c.status) << c.name;
        EXPECT_EQ(client.redirectLocation(), c.location) << c.name;
        EXPECT_EQ(client.redirectCount, 0) << c.name;
    }
}

TEST(HttpClientRedirectTest, StackTurnsPostIntoGetFor301To303Only) {
    struct Case {
        int code;
        std::string expectedPrefix;
    };
    const Case cases[] = {
        {301, "GET|"}, {302, "GET|"}, {303, "GET|"}, {307, "POST|application/json|{}"}, {308, "POST|application/json|{}"},
    };
    LocalHttpServer server;
    HttpClient client;
    for (const Case& c : cases) {
        ASSERT_TRUE(client.open("POST", server.url("/redirect-post/" + std::to_string(c.code)))) << c.code;
        ASSERT_TRUE(client.setContentType("application/json"));
        ASSERT_TRUE(client.send("{}")) << c.code;
        const Text text = client.responseText();
        EXPECT_EQ(text.substr(0, c.expectedPrefix.size()), c.expectedPrefix) << c.code << ": " << text;
        if (c.code < 307) {
            EXPECT_EQ(text.back(), '|') << c.code << ": the body is dropped";
        }
    }
}

TEST(HttpClientRedirectTest, StackNeverGoesFromHttpsToHttp) {
    RawSocketServer plain(RawSocketServer::replyToEach("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok"));
    LocalHttpServer secure(LocalHttpServer::Scheme::Https, [&plain](httplib::Server& s) {
        s.Get("/downgrade", [&plain](const httplib::Request&, httplib::Response& res) {
            res.status = 301;
            res.set_header("Location", plain.url("/hello"));
            res.set_content("moved to plain http", "text/plain");
        });
    });
    HttpClient client;
    ASSERT_TRUE(client.setTrustedCaFile(test::caCertificate()));
    ASSERT_TRUE(client.open("GET", secure.url("/downgrade")));
    ASSERT_TRUE(client.send()) << "the refused redirect is the response";
    EXPECT_EQ(plain.acceptedConnections(), 0);
    EXPECT_EQ(client.statusCode(), 301);
    EXPECT_EQ(client.statusText(), "Moved Permanently");
    EXPECT_EQ(client.redirectLocation(), plain.url("/hello"));
    EXPECT_EQ(client.responseHeader("Content-Type"), "text/plain");
    EXPECT_EQ(client.contentLength, 19);
    EXPECT_EQ(client.responseText(), "moved to plain http");
    ASSERT_TRUE(client.open("GET", secure.url("/location?to=" + secure.url("/hello"))));
    ASSERT_TRUE(client.send()) << "HTTPS to HTTPS is followed";
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.responseText(), "hello");
}

TEST(HttpClientRedirectTest, NoFollowingWhenRedirectsAreOff) {
    LocalHttpServer server;
    for (int mode : {0, 1, 2}) {
        HttpClient client;
        client.setCookieMode(mode);
        client.setFollowRedirects(2);
        EXPECT_TRUE(client.redirectsDisabled);
        ASSERT_TRUE(client.open("GET", server.url("/redirect/2")));
        ASSERT_TRUE(client.send()) << "mode " << mode;
        EXPECT_EQ(client.statusCode(), 302) << "mode " << mode;
        EXPECT_EQ(client.statusText(), "Found") << "mode " << mode;
        EXPECT_EQ(client.redirectLocation(), "/redirect/1") << "mode " << mode;
        client.setFollowRedirects();
        EXPECT_FALSE(client.redirectsDisabled);
    }
}

TEST(HttpClientRedirectTest, ObjectFollowsAnyResponseWithALocation) {
    LocalHttpServer server;
    HttpClient client;
    client.setCookieMode(1);
    ASSERT_TRUE(client.open("GET", server.url("/location?code=201&to=/hello")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.responseText(), "hello");
    EXPECT_EQ(client.currentUrl, server.url("/hello"));
}

TEST(HttpClientRedirectTest, LocationResolution) {
    struct Case {
        const char* name;
        std::string currentUrl;
        int scheme;
        std::string location;
        std::string resolved;
    };
    const Case cases[] = {
        {"path from the root gets scheme, host and port", "http://h/a/b.html", 1, "/x?y", "http://h:8080/x?y"},
        {"https keeps its scheme", "https://h/a", 2, "/x", "https://h:8080/x"},
        {"relative goes after the last slash", "http://h/a/b.html", 1, "next.html", "http://h/a/next.html"},
        {"absolute is unchanged", "http://h/a", 1, "HTTPS://other/z", "HTTPS://other/z"},
        {"blanks around are removed", "http://h/a", 1, "  /x  ", "http://h:8080/x"},
    };
    for (const Case& c : cases) {
        HttpClient client;
        client.currentUrl = c.currentUrl;
        client.currentScheme = c.scheme;
        client.connectedHost = std::string("h");  // g++ 12 -O3: false -Wrestrict for the literal
        client.connectedPort = 8080;
        client.rawHeaders = "HTTP/1.1 302 Found\r\nLocation:" + c.location + "\r\n\r\n";
        EXPECT_EQ(client.redirectLocation(true), c.resolved) << c.name;
    }
    HttpClient client;
    EXPECT_EQ(client.redirectLocation(true), "");
    client.rawHeaders = "HTTP/1.1 302 Found\r\nContent-Location: /first\r\nLocation: /second\r\n\r\n";
    EXPECT_EQ(client.redirectLocation(), "/second") << "the Location header by its name";
}

TEST(HttpClientRedirectTest, ResponseHeaderLookup) {
    HttpClient client;
    EXPECT_EQ(client.responseHeader("Server"), "");
    client.rawHeaders = "HTTP/1.1 200 OK\r\nX-Note: Server: fake\r\nserver:  real one\r\nServer: second\r\n"
                        "Content-Type: text/plain\r\n\r\n";
    struct Case {
        const char* name;
        std::string expected;
    };
    const Case cases[] = {{"SERVER", "real one"}, {"Content-Type", "text/plain"}, {"HTTP/1.1 200 OK", ""}, {"Missing", ""}};
    for (const Case& c : cases) EXPECT_EQ(client.responseHeader(c.name), c.expected) << c.name;
}

}  // namespace
}  // namespace vd
