#include "platform/http/SharedCookieStore.h"

#include <gtest/gtest.h>

#include <vector>

namespace vd::platform {
namespace {

TEST(SharedCookieStoreTest, HostAndPathMatching) {
    struct Set {
        const char* url;
        const char* name;
        const char* data;
        bool accepted;
    };
    struct Get {
        const char* url;
        const char* expected;
    };
    struct Case {
        const char* name;
        std::vector<Set> sets;
        std::vector<Get> gets;
    };
    const Case cases[] = {
        {"host-only cookie with the URL's directory as path",
         {{"http://a.example/dir/page", "s", "1", true}},
         {{"http://a.example/dir/x", "s=1"}, {"http://a.example/dir", "s=1"}, {"http://a.example/dirt", ""},
          {"http://a.example/", ""}, {"http://b.a.example/dir/x", ""}, {"http://A.EXAMPLE/dir/x", "s=1"}}},
        {"domain cookie reaches subdomains",
         {{"http://www.example.com/", "d", "2; Domain=.example.com; Path=/", true}},
         {{"http://example.com/", "d=2"}, {"http://x.www.example.com/a", "d=2"}, {"http://badexample.com/", ""}}},
        {"domain the host does not match is refused",
         {{"http://www.example.com/", "d", "2; Domain=other.com", false}}, {{"http://other.com/", ""}}},
        {"secure cookie only over https",
         {{"https://h/", "t", "3; Secure; Path=/", true}}, {{"https://h/", "t=3"}, {"http://h/", ""}}},
        {"longer paths first, then the older",
         {{"http://h/", "a", "1; Path=/", true}, {"http://h/", "b", "2; Path=/x/y", true}, {"http://h/", "c", "3; Path=/", true}},
         {{"http://h/x/y/z", "b=2; a=1; c=3"}}},
        {"same name, domain and path replaces; Max-Age=0 deletes",
         {{"http://h/", "a", "1; Path=/", true}, {"http://h/", "a", "2; Path=/", true}, {"http://h/", "b", "x; Path=/", true},
          {"http://h/", "b", "; Max-Age=0; Path=/", true}},
         {{"http://h/", "a=2"}}},
        {"IP hosts never domain-match", {{"http://127.0.0.1:8080/", "i", "1", true}},
         {{"http://127.0.0.1:9090/", "i=1"}, {"http://0.127.0.0.1/", ""}}},
        {"empty value is kept", {{"http://h/", "e", "", true}}, {{"http://h/", "e="}}},
        {"refused inputs", {{"ftp://h/", "a", "1", false}, {"http://h/", "", "1", false}}, {{"http://h/", ""}}},
    };
    for (const Case& c : cases) {
        clearStoredCookies();
        for (const Set& s : c.sets) EXPECT_EQ(setStoredCookie(s.url, s.name, s.data), s.accepted) << c.name << ": " << s.name;
        for (const Get& g : c.gets) EXPECT_EQ(storedCookies(g.url), g.expected) << c.name << ": " << g.url;
    }
    clearStoredCookies();
}

}  // namespace
}  // namespace vd::platform
