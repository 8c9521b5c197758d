#include "platform/http/UrlCracker.h"

#include <gtest/gtest.h>

#include "platform/http/HttpConstants.h"

namespace vd::platform {
namespace {

TEST(UrlCrackerTest, PartsOfUrls) {
    struct Case {
        const char* url;
        bool parses;
        int scheme;
        const char* host;
        int port;
        const char* path;
        const char* extra;
    };
    const Case cases[] = {
        {"http://h/p", true, kSchemeHttp, "h", 80, "/p", ""},
        {"HTTPS://h/p", true, kSchemeHttps, "h", 443, "/p", ""},
        {"https://h:8443", true, kSchemeHttps, "h", 8443, "", ""},
        {"http://h?q=1", true, kSchemeHttp, "h", 80, "", "?q=1"},
        {"http://h/a/b?q=1#f", true, kSchemeHttp, "h", 80, "/a/b", "?q=1#f"},
        {"http://h/a#f?x", true, kSchemeHttp, "h", 80, "/a", "#f?x"},
        {"http://user:pw@h:81/x", true, kSchemeHttp, "h", 81, "/x", ""},
        {"http://[::1]:8080/x", true, kSchemeHttp, "::1", 8080, "/x", ""},
        {"http://h:/x", true, kSchemeHttp, "h", 80, "/x", ""},
        {"http://图片.cn/路径?q=值", true, kSchemeHttp, "图片.cn", 80, "/路径", "?q=值"},
        {"ftp://h/x", false, 0, "", 0, "", ""},
        {"h/x", false, 0, "", 0, "", ""},
        {"http:///x", false, 0, "", 0, "", ""},
        {"http://h:0/", false, 0, "", 0, "", ""},
        {"http://h:65536/", false, 0, "", 0, "", ""},
        {"http://h:12x/", false, 0, "", 0, "", ""},
        {"http://a b/", false, 0, "", 0, "", ""},
        {"http://[::1/", false, 0, "", 0, "", ""},
    };
    for (const Case& c : cases) {
        const auto cracked = crackUrl(c.url);
        ASSERT_EQ(cracked.has_value(), c.parses) << c.url;
        if (!cracked) continue;
        EXPECT_EQ(cracked->scheme, c.scheme) << c.url;
        EXPECT_EQ(cracked->host, c.host) << c.url;
        EXPECT_EQ(cracked->port, c.port) << c.url;
        EXPECT_EQ(cracked->path, c.path) << c.url;
        EXPECT_EQ(cracked->extra, c.extra) << c.url;
    }
}

}  // namespace
}  // namespace vd::platform
