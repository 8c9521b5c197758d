#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"
#include "tests/support/Stopwatch.h"

namespace vd {
namespace {

using test::bytePattern;
using test::LocalHttpServer;
using test::RawConnection;
using test::RawSocketServer;

std::string pattern(std::size_t n) {
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i) s[i] = bytePattern(i);
    return s;
}

TEST(HttpClientBodyTest, BodiesOfEveryFraming) {
    struct Case {
        const char* name;
        std::string path;
        std::size_t size;
        int contentLength;
        std::size_t capacityAtLeast;
        std::size_t capacityAtMost;
    };
    const Case cases[] = {
        {"Content-Length, first capacity is the length", "/bytes/5000", 5000, 5000, 5000, 5000},
        {"Content-Length 0 reads nothing", "/empty", 0, 0, 10240, 10240},
        {"Content-Length above 1 MiB grows to exactly the length", "/bytes/3500000", 3500000, 3500000, 3500000, 3500000},
        {"chunked grows by the bytes needed plus 10240", "/chunked/100000", 100000, -1, 100000, 100000 + 10240 + 16384},
        {"chunked below the first capacity", "/chunked/3000", 3000, -1, 10240, 10240},
    };
    LocalHttpServer server;
    for (const Case& c : cases) {
        HttpClient client;
        ASSERT_TRUE(client.open("GET", server.url(c.path))) << c.name;
        ASSERT_TRUE(client.send()) << c.name;
        EXPECT_EQ(client.contentLength, c.contentLength) << c.name;
        const ByteArray body = client.responseBytes();
        ASSERT_EQ(body.size(), c.size) << c.name;
        EXPECT_TRUE(std::equal(body.begin(), body.end(), pattern(c.size).begin())) << c.name;
        EXPECT_GE(client.responseBuffer.size(), c.capacityAtLeast) << c.name;
        EXPECT_LE(client.responseBuffer.size(), c.capacityAtMost) << c.name;
        EXPECT_EQ(client.responseBytes(), body) << c.name << " (second read)";
    }
}

TEST(HttpClientBodyTest, RawFramings) {
    struct Case {
        const char* name;
        std::string reply;
        std::string body;
        int contentLength;
    };
    const Case cases[] = {
        {"no length, ended by closing", "HTTP/1.1 200 OK\r\nConnection: close\r\n\r\nuntil the end", "until the end", -1},
        {"HTTP/1.0 without length", "HTTP/1.0 200 OK\r\n\r\nold style", "old style", -1},
        {"chunked by hand", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n3\r\nabc\r\n4\r\ndefg\r\n0\r\n\r\n", "abcdefg", -1},
        {"dropped mid-body: the bytes so far are the body", "HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n0123456789",
         "0123456789", 100},
        {"an embedded zero byte", std::string("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\na\0b", 42), std::string("a\0b", 3), 3},
        {"bare LF header lines", "HTTP/1.1 200 OK\nContent-Length: 2\n\nhi", "hi", 2},
    };
    for (const Case& c : cases) {
        RawSocketServer server(RawSocketServer::replyOnceAndClose(c.reply));
        HttpClient client;
        ASSERT_TRUE(client.open("GET", server.url("/"))) << c.name;
        ASSERT_TRUE(client.send()) << c.name;
        EXPECT_EQ(client.contentLength, c.contentLength) << c.name;
        const ByteArray body = client.responseBytes();
        EXPECT_EQ(std::string(body.begin(), body.end()), c.body) << c.name;
        EXPECT_EQ(client.receivedLength, static_cast<int>(c.body.size())) << c.name;
        EXPECT_EQ(client.responseRawText(), c.body.substr(0, c.body.find('\0'))) << c.name;
    }
    RawSocketServer negative(
        RawSocketServer::replyOnceAndClose("HTTP/1.1 200 OK\r\nContent-Length: -5\r\nConnection: close\r\n\r\nneg"));
    HttpClient client;
    ASSERT_TRUE(client.open("GET", negative.url("/")));
    EXPECT_FALSE(client.send()) << "a negative length is a broken response";
    EXPECT_EQ(client.responseText(), "");
}

TEST(HttpClientBodyTest, ResponseTextIsDecodedFromUtf8AndStaysTheSame) {
    LocalHttpServer server;
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/utf8")));
    ASSERT_TRUE(client.send());
    const Text first = client.responseText();
    EXPECT_EQ(first, "图片识别 ok");
    EXPECT_EQ(client.responseText(), first);
    EXPECT_EQ(client.responseRawText(), std::string(reinterpret_cast<const char*>(u8"图片识别 ok")));

    RawSocketServer gbk(RawSocketServer::replyOnceAndClose("HTTP/1.1 200 OK\r\nContent-Length: 3\r\n\r\n\xFF\xFEx"));
    ASSERT_TRUE(client.open("GET", gbk.url("/")));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.responseText(), "??x") << "bytes that are not UTF-8";
}

TEST(HttpClientBodyTest, SendReturnsAtTheHeadersAndTheBodyIsTakenWhenAskedFor) {
    std::atomic<bool> bodyWanted{false};
    RawSocketServer server([&bodyWanted](RawConnection& c) {
        std::string request;
        if (!c.readRequest(request)) return;
        c.write("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\n");
        for (int i = 0; i < 1000 && !bodyWanted; ++i) c.stall(10);
        if (bodyWanted) c.write("body");
    });
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/")));
    const test::Stopwatch watch;
    ASSERT_TRUE(client.send());
    EXPECT_LT(watch.elapsedMs(), 5000) << "send waited for the body";
    EXPECT_EQ(client.statusCode(), 200);
    EXPECT_EQ(client.contentLength, 4);
    EXPECT_EQ(client.receivedLength, 0);
    bodyWanted = true;
    EXPECT_EQ(client.responseText(), "body");
}

TEST(HttpClientBodyTest, TwoHundredMegabyteBody) {
    constexpr std::size_t kSize = 200u * 1024 * 1024;
    LocalHttpServer server;
    HttpClient client;
    ASSERT_TRUE(client.open("GET", server.url("/bytes/" + std::to_string(kSize))));
    ASSERT_TRUE(client.send());
    EXPECT_EQ(client.contentLength, static_cast<int>(kSize));
    const ByteArray body = client.responseBytes();
    ASSERT_EQ(body.size(), kSize);
    EXPECT_EQ(client.responseBuffer.size(), kSize);
    for (std::size_t i : {std::size_t{0}, std::size_t{1048575}, std::size_t{1048576}, kSize / 2 + 7, kSize - 1}) {
        EXPECT_EQ(static_cast<char>(body[i]), bytePattern(i)) << "byte " << i;
    }
}

TEST(HttpClientBodyTest, StalledServerFailsWithinTheTimeout) {
    struct Case {
        const char* name;
        std::string before;  // sent before the stall
        bool sendSucceeds;
        std::string body;
    };
    const Case cases[] = {
        {"stalls before the headers", "", false, ""},
        {"stalls inside the headers", "HTTP/1.1 200 OK\r\nContent-", false, ""},
        {"stalls mid-body", "HTTP/1.1 200 OK\r\nContent-Length: 50\r\n\r\nfirst", true, "first"},
    };
    for (const Case& c : cases) {
        RawSocketServer server([&c](RawConnection& conn) {
            std::string request;
            if (!conn.readRequest(request)) return;
            conn.write(c.before);
            conn.stall(60000);
        });
        HttpClient client;
        ASSERT_TRUE(client.setTimeouts(1000, 1000, 1000, 400)) << c.name;
        ASSERT_TRUE(client.open("GET", server.url("/"))) << c.name;
        const test::Stopwatch watch;
        EXPECT_EQ(client.send(), c.sendSucceeds) << c.name;
        EXPECT_EQ(client.responseText(), c.body) << c.name;
        const long long ms = watch.elapsedMs();
        EXPECT_GE(ms, 350) << c.name;
        EXPECT_LT(ms, 10000) << c.name << ": the exchange should end near the 400 ms receive timeout";
    }
}

}  // namespace
}  // namespace vd
