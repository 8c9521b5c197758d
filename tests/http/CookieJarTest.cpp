#include "http/CookieJar.h"

#include <gtest/gtest.h>

#include <string>

namespace vd {
namespace {

TEST(CookieJarTest, TextFormFromCookies) {
    struct Case {
        std::string cookies;
        std::string text;
        std::string inner;
    };
    const Case cases[] = {
        {"a=1; b=2", "; a=1; b=2; ", "a=1; b=2"},
        {"; a=1; ", "; a=1; ", "a=1"},
        {"a=1;", "; a=1; ", "a=1"},
        {"a=1 ", "; a=1 ;", "a=1"},
        {"", "; ", ""},
    };
    for (const Case& c : cases) {
        const CookieJar jar = CookieJar::fromCookies(c.cookies);
        EXPECT_EQ(jar.text(), c.text) << "'" << c.cookies << "'";
        EXPECT_EQ(jar.recordedLength(), static_cast<int>(c.text.size())) << "'" << c.cookies << "'";
        EXPECT_EQ(jar.inner(), c.inner) << "'" << c.cookies << "'";
    }
    EXPECT_EQ(CookieJar().text(), "; ");
    EXPECT_EQ(CookieJar("; a=1; b=2; ", 7).inner(), "a=1") << "cut by the recorded length";
}

TEST(CookieJarTest, ValuesByName) {
    const CookieJar jar("; ab=1; a=2; c=; ", 17);
    struct Case {
        std::string name;
        bool withName;
        std::string value;
    };
    const Case cases[] = {
        {"a", false, "2"}, {"a", true, "a=2"}, {"ab", false, "1"}, {"c", false, ""},
        {"c", true, "c="}, {"b", false, ""},   {"", false, ""},    {"A", false, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(jar.value(c.name, c.withName), c.value) << c.name << " " << c.withName;
}

TEST(CookieJarTest, ChangesAndTheirResults) {
    struct Case {
        const char* name;
        std::string jar;
        char operation;  // t: response item, m: merge, r: remove
        std::string argument;
        bool changed;
        std::string after;
    };
    const Case cases[] = {
        {"item added", "; ", 't', "a=1;", true, "; a=1; "},
        {"item replaces", "; a=1; b=2; ", 't', "a=3;", true, "; a=3; b=2; "},
        {"item deletes", "; a=1; b=2; ", 't', "b=deleted;", true, "; a=1; "},
        {"deleting what is not held", "; a=1; ", 't', "z=DELETED;", false, "; a=1; "},
        {"mixed-case DeLeTeD is a value", "; ", 't', "a=DeLeTeD;", true, "; a=DeLeTeD; "},
        {"item without =", "; ", 't', "flag;", false, "; "},
        {"longer name kept apart", "; xa=1; ", 't', "a=2;", true, "; xa=1; a=2; "},
        {"merge replaces and adds", "; a=1; b=2; ", 'm', "a=5; c=3", true, "; a=5; b=2; c=3; "},
        {"merge of the same", "; a=1; ", 'm', "a=1", false, "; a=1; "},
        {"merge keeps deleted as a value", "; ", 'm', "a=deleted", true, "; a=deleted; "},
        {"merge of nothing", "; a=1; ", 'm', "", false, "; a=1; "},
        {"remove by names", "; a=5; b=2; c=3; ", 'r', "b; c=9", true, "; a=5; "},
        {"remove what is not held", "; a=5; ", 'r', "z", false, "; a=5; "},
    };
    for (const Case& c : cases) {
        CookieJar jar(c.jar, static_cast<int>(c.jar.size()));
        bool changed = false;
        if (c.operation == 't') changed = jar.takeResponseItem(c.argument);
        if (c.operation == 'm') changed = jar.merge(c.argument);
        if (c.operation == 'r') changed = jar.remove(c.argument);
        EXPECT_EQ(changed, c.changed) << c.name;
        EXPECT_EQ(jar.text(), c.after) << c.name;
        EXPECT_EQ(jar.recordedLength(), static_cast<int>(c.after.size())) << c.name;
    }
}

TEST(CookieJarTest, DeletedMarks) {
    for (const char* item : {"a=deleted;", "a=DELETED;", "a=Deleted;"}) EXPECT_TRUE(marksDeletedCookie(item)) << item;
    for (const char* item : {"a=DeLeTeD;", "a=deleted", "deleted;", "a=undeleted"}) EXPECT_FALSE(marksDeletedCookie(item)) << item;
}

}  // namespace
}  // namespace vd
