#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/http/SharedCookieStore.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd {
namespace {

using test::LocalHttpServer;
using test::RawSocketServer;

TEST(HttpClientCookieTest, JarAndStoreKeepTheCookiesOfARedirectChain) {
    struct Case {
        const char* name;
        int mode;
        std::string expectedBody;
    };
    const Case cases[] = {
        {"mode 1: the object's jar", 1, "arrived:hop3=1; hop2=1; hop1=1"},
        {"mode 2: the shared store", 2, "arrived:hop3=1; hop2=1; hop1=1"},
        {"mode 0: the stack's own cookies", 0, "arrived:hop1=1; hop2=1; hop3=1"},
    };
    LocalHttpServer server;
    for (const Case& c : cases) {
        platform::clearStoredCookies();
        HttpClient client;
        client.setCookieMode(c.mode);
        ASSERT_TRUE(client.open("GET", server.url("/redirect/3"))) << c.name;
        ASSERT_TRUE(client.send()) << c.name;
        EXPECT_EQ(client.statusCode(), 200) << c.name;
        EXPECT_EQ(client.responseText(), c.expectedBody) << c.name;
        EXPECT_EQ(client.redirectCount, 0) << c.name;
        if (c.mode == 1) {
            EXPECT_EQ(client.cookieJarText(), "hop3=1; hop2=1; hop1=1") << c.name;
        }
        if (c.mode == 2) {
            // Stored without attributes: for the directory of each URL, /redirect.
            EXPECT_EQ(platform::storedCookies(server.url("/redirect/x")), "hop3=1; hop2=1; hop1=1") << c.name;
            EXPECT_EQ(platform::storedCookies(server.url("/other")), "") << c.name;
        } else {
            EXPECT_EQ(platform::storedCookies(server.url("/redirect/x")), "") << c.name;
        }
    }
}

TEST(HttpClientCookieTest, CookiesOfAJarGoOutOnEveryRequestAndComeBackInIt) {
    LocalHttpServer server;
    HttpClient client;
    client.setCookieMode();
    EXPECT_EQ(client.cookieMode, 1);
    ASSERT_TRUE(client.open("GET", server.url("/set-cookie?sid=abc")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.cookieJar, "; sid=abc; ");
    EXPECT_EQ(client.responseCookies(), "sid=abc");
    EXPECT_EQ(client.responseCookie("sid"), "abc");
    ASSERT_TRUE(client.setCookieHeader("x=9"));
    ASSERT_TRUE(client.open("GET", server.url("/cookies")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "sid=abc; x=9");
}

TEST(HttpClientCookieTest, ModeZeroCookieHeaderReplacesTheStacksCookies) {
    LocalHttpServer server;
    HttpClient client;
    EXPECT_FALSE(client.setCookieHeader("x=1")) << "no request yet";
    ASSERT_TRUE(client.open("GET", server.url("/set-cookie?a=1")));
    ASSERT_TRUE(client.send());
    ASSERT_TRUE(client.open("GET", server.url("/cookies")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "a=1");
    ASSERT_TRUE(client.open("GET", server.url("/cookies")));
    ASSERT_TRUE(client.setCookieHeader("b=2"));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "b=2");
}

TEST(HttpClientCookieTest, ResponseCookiesGoIntoTheJar) {
    struct Case {
        const char* name;
        std::string jar;
        std::string headers;
        std::string expectedJar;
    };
    const std::string status = "HTTP/1.1 200 OK\r\n";
    const Case cases[] = {
        {"new cookie", "; ", status + "Set-Cookie: a=1; path=/\r\n\r\n", "; a=1; "},
        {"replaced", "; a=1; ", status + "Set-Cookie: a=2; path=/\r\n\r\n", "; a=2; "},
        {"deleted", "; a=1; ", status + "Set-Cookie: a=deleted; path=/\r\n\r\n", "; "},
        {"deleted among others", "; a=1; b=2; c=3; ", status + "Set-Cookie: b=DELETED; path=/\r\n\r\n", "; a=1; c=3; "},
        {"deleted that the jar lacks", "; a=1; ", status + "Set-Cookie: z=Deleted;\r\n\r\n", "; a=1; "},
        {"mixed-case DeLeTeD is a value", "; ", status + "Set-Cookie: a=DeLeTeD;\r\n\r\n", "; a=DeLeTeD; "},
        {"header names in any case", "; ", status + "set-cookie: a=1;\r\nSET-COOKIE:b=2;\r\n\r\n", "; a=1; b=2; "},
        {"one name is not the end of a longer one", "; xa=1; ", status + "Set-Cookie: a=2;\r\n\r\n", "; xa=1; a=2; "},
        {"no ; ends the item at its line end", "; ", status + "Set-Cookie: a=1\r\nX: y;\r\n\r\n", "; a=1; "},
        {"no ; at all, last header", "; ", status + "Set-Cookie: a=1\r\n\r\n", "; a=1; "},
        {"no ; before a later cookie", "; ", status + "Set-Cookie: a=1\r\nSet-Cookie: b=deleted\r\n\r\n", "; a=1; "},
        {"item without = is skipped", "; ", status + "Set-Cookie: flag;\r\nSet-Cookie: b=2;\r\n\r\n", "; b=2; "},
    };
    for (const Case& c : cases) {
        HttpClient client;
        client.cookieJar = c.jar;
        client.cookieJarLength = static_cast<int>(c.jar.size());
        client.rawHeaders = c.headers;
        client.jarResponseCookies();
        EXPECT_EQ(client.cookieJar, c.expectedJar) << c.name;
        EXPECT_EQ(client.cookieJarLength, static_cast<int>(client.cookieJar.size())) << c.name;
    }
}

TEST(HttpClientCookieTest, ResponseCookieReading) {
    HttpClient client;
    EXPECT_EQ(client.responseCookies(), "");
    EXPECT_EQ(client.responseCookie("a"), "");
    client.rawHeaders = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; path=/\r\nSet-Cookie:b=2; path=/\r\n"
                        "Set-Cookie: gone=deleted; path=/\r\n\r\n";
    EXPECT_EQ(client.responseCookies(), "a=1; b=2");
    EXPECT_EQ(client.responseCookie("a"), "1");
    EXPECT_EQ(client.responseCookie("b"), "2");
    EXPECT_EQ(client.responseCookie("gone"), "deleted");
    EXPECT_EQ(client.responseCookie("c"), "");
}

TEST(HttpClientCookieTest, JarOperations) {
    HttpClient client;
    EXPECT_EQ(client.cookieJarText("a=1; b=2"), "a=1; b=2");
    EXPECT_EQ(client.cookieJar, "; a=1; b=2; ");
    EXPECT_EQ(client.cookieJarText(), "a=1; b=2");
    client.cookieJarText("a=1 ");
    EXPECT_EQ(client.cookieJar, "; a=1 ;");
    client.cookieJarText("");
    EXPECT_EQ(client.cookieJar, "; ");
    EXPECT_EQ(client.cookieJarText(), "");

    client.cookieJarText("ab=1; a=2");
    EXPECT_EQ(client.jarCookie("a"), "2");
    EXPECT_EQ(client.jarCookie("a", true), "a=2");
    EXPECT_EQ(client.jarCookie("ab"), "1");
    EXPECT_EQ(client.jarCookie("b"), "");
    EXPECT_EQ(client.jarCookie(""), "");

    client.cookieJarText("a=1; b=2");
    EXPECT_TRUE(client.mergeIntoJar("a=5; c=3"));
    EXPECT_EQ(client.cookieJar, "; a=5; b=2; c=3; ");
    EXPECT_FALSE(client.mergeIntoJar("a=5"));
    EXPECT_FALSE(client.mergeIntoJar(""));
    EXPECT_TRUE(client.mergeIntoJar("d=deleted"));
    EXPECT_EQ(client.jarCookie("d"), "deleted");
    EXPECT_TRUE(client.removeFromJar("b; c=9; d"));
    EXPECT_EQ(client.cookieJar, "; a=5; ");
    EXPECT_EQ(client.cookieJarLength, 7);
    EXPECT_FALSE(client.removeFromJar("zz"));
    EXPECT_FALSE(client.removeFromJar(""));

    client.setCookieMode(7);
    EXPECT_EQ(client.cookieMode, 0);
    client.setCookieMode(-1);
    EXPECT_EQ(client.cookieMode, 0);
    client.setCookieMode(2);
    EXPECT_EQ(client.cookieMode, 2);
    client.applyDefaults();
    EXPECT_EQ(client.cookieMode, 0);
    EXPECT_EQ(client.cookieJar, "; ");
}

TEST(HttpClientCookieTest, StoreModeSkipsEmptyCookiesOnlyWhenAsked) {
    LocalHttpServer server;
    for (const bool skip : {false, true}) {
        platform::clearStoredCookies();
        HttpClient client;
        client.setCookieMode(2);
        ASSERT_TRUE(client.open("GET", server.url("/set-cookie?e=&f=1")));
        ASSERT_TRUE(client.send({}, skip));
        EXPECT_EQ(platform::storedCookies(server.url("/")), skip ? "f=1" : "e=; f=1") << "skip " << skip;
        EXPECT_TRUE(client.storeCookies("g=7; bad; h=8"));
        EXPECT_FALSE(client.storeCookies("nothing"));
        ASSERT_TRUE(client.open("GET", server.url("/cookies")));
        ASSERT_TRUE(client.send());
        EXPECT_EQ(client.responseText(), skip ? "f=1; g=7; h=8" : "e=; f=1; g=7; h=8") << "skip " << skip;
    }
    platform::clearStoredCookies();
}

}  // namespace
}  // namespace vd
