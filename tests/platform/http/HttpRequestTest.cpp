#include "platform/http/HttpRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/http/HttpConnection.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/HttpSession.h"
#include "tests/support/HttpExchangeTexts.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd::platform {
namespace {

using test::RawConnection;
using test::RawSocketServer;

using test::kOk;

struct Exchange {
    HttpSession session = HttpSession::open("agent");
    HttpConnection connection;
    HttpRequest request;

    Exchange(int port, const Text& verb, const Text& path) {
        connection = HttpConnection::connect(session, "127.0.0.1", port);
        request = HttpRequest::open(connection, verb, path, false);
    }
    bool run(const std::string& body = {}) {
        return request.send(reinterpret_cast<const std::uint8_t*>(body.data()), body.size()) && request.receiveResponse();
    }
    std::string readAll(std::size_t room) {
        std::string out;
        std::vector<char> buffer(room);
        std::size_t available = 0;
        while (request.queryDataAvailable(available) && available > 0) {
            std::size_t read = 0;
            if (!request.readData(buffer.data(), room, read) || read == 0) break;
            out.append(buffer.data(), read);
        }
        return out;
    }
};

using test::headerLines;

TEST(HttpRequestTest, AddHeadersModifiers) {
    struct Step {
        std::string lines;
        std::uint32_t modifiers;
        bool result;
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        std::string expected;  // header lines after Host and User-Agent
    };
    const std::uint32_t addReplace = kAddHeaderAdd | kAddHeaderReplace;
    const Case cases[] = {
        {"add keeps duplicates", {{"A:1", kAddHeaderAdd, true}, {"A:2", kAddHeaderAdd, true}}, "A:1\r\nA:2\r\n"},
        {"no modifier adds", {{"A:1", 0, true}}, "A:1\r\n"},
        {"if-new refuses a present name in any case",
         {{"A:1", kAddHeaderAdd, true}, {"a:2", kAddHeaderIfNew, false}}, "A:1\r\n"},
        {"if-new takes the new lines of a block", {{"A:1", 0, true}, {"A:2\r\nB:3", kAddHeaderIfNew, false}}, "A:1\r\nB:3\r\n"},
        {"replace alone needs a present header", {{"A:1", kAddHeaderReplace, false}}, ""},
        {"replace replaces the first", {{"A:1\r\nB:2", 0, true}, {"A:9", kAddHeaderReplace, true}}, "A:9\r\nB:2\r\n"},
        {"replace with an empty value removes", {{"A:1\r\nB:2", 0, true}, {"A:", kAddHeaderReplace, true}}, "B:2\r\n"},
        {"add-or-replace with an empty value adds nothing", {{"A:", addReplace, true}}, ""},
        {"plain add of an empty value sends the name alone", {{"A:", kAddHeaderAdd, true}}, "A:\r\n"},
        {"coalesce with a comma", {{"A:1", 0, true}, {"A:2", kAddHeaderCoalesceWithComma, true}}, "A:1, 2\r\n"},
        {"coalesce with a semicolon", {{"A:1", 0, true}, {"A:2", kAddHeaderCoalesceWithSemicolon, true}}, "A:1; 2\r\n"},
        {"value kept exactly as given", {{"A:  spaced ", 0, true}}, "A:  spaced \r\n"},
        {"a line without a colon is refused", {{"nonsense", 0, false}}, ""},
        {"an empty block is refused", {{"", 0, false}}, ""},
        {"own Accept, Content-Type and Expect replace the stack's",
         {{"Accept:x/y\r\nContent-Type:a/b\r\nExpect:nothing", 0, true}}, "Accept:x/y\r\nContent-Type:a/b\r\nExpect:nothing\r\n"},
    };
    for (const Case& c : cases) {
        RawSocketServer server(RawSocketServer::replyToEach(kOk));
        Exchange e(server.port(), "GET", "/");
        for (const Step& s : c.steps) EXPECT_EQ(e.request.addHeaders(s.lines, s.modifiers), s.result) << c.name << ": " << s.lines;
        ASSERT_TRUE(e.run()) << c.name;
        const std::string prefix = "Host: 127.0.0.1:" + std::to_string(server.port()) + "\r\nUser-Agent: agent\r\n";
        ASSERT_EQ(server.requests().size(), 1u) << c.name;
        EXPECT_EQ(headerLines(server.requests()[0]), prefix + c.expected) << c.name;
    }
}

TEST(HttpRequestTest, LargeBodyGoesOutWholeWithoutHeadersOfTheStacksOwn) {
    std::string received;
    RawSocketServer server([&received](RawConnection& c) {
        std::string request;
        if (c.readRequest(request)) {
            received = request;
            c.write(kOk);
        }
    });
    const std::string body(3 * 1024 * 1024 + 7, 'b');
    Exchange e(server.port(), "POST", "/upload");
    ASSERT_TRUE(e.run(body));
    EXPECT_EQ(e.readAll(100), "ok");
    const std::string head = received.substr(0, received.find("\r\n\r\n") + 4);
    EXPECT_EQ(head, "POST /upload HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server.port()) +
                        "\r\nUser-Agent: agent\r\nContent-Length: 3145735\r\n\r\n")
        << "no Expect, Accept or Content-Type";
    EXPECT_EQ(received.substr(received.find("\r\n\r\n") + 4), body);
}

TEST(HttpRequestTest, RawHeaderBlockOfTheFinalResponse) {
    const std::string reply = "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 103 Early Hints\r\nLink: </a>\r\n\r\n"
                              "HTTP/1.1 404 Not Found Here\r\nX-A: 1\nContent-Length: 3\r\n\r\nabc";
    RawSocketServer server(RawSocketServer::replyOnceAndClose(reply));
    Exchange e(server.port(), "GET", "/");
    EXPECT_FALSE(e.request.rawHeaders().has_value()) << "before the exchange";
    ASSERT_TRUE(e.run());
    EXPECT_EQ(e.request.rawHeaders().value_or("none"), "HTTP/1.1 404 Not Found Here\r\nX-A: 1\r\nContent-Length: 3\r\n\r\n");
    EXPECT_EQ(e.request.statusCode().value_or("none"), "404");
    EXPECT_EQ(e.request.statusText().value_or("none"), "Not Found Here");
    EXPECT_EQ(e.readAll(100), "abc");
}

TEST(HttpRequestTest, BodyReadInPiecesSmallerThanTheStacksOwn) {
    test::LocalHttpServer server;
    for (std::size_t room : {std::size_t{1}, std::size_t{7}, std::size_t{4096}, std::size_t{100000}}) {
        Exchange e(server.port(), "GET", "/chunked/50000");
        ASSERT_TRUE(e.run()) << room;
        const std::string body = e.readAll(room);
        ASSERT_EQ(body.size(), 50000u) << room;
        bool same = true;
        for (std::size_t i = 0; i < body.size(); ++i) same = same && body[i] == test::bytePattern(i);
        EXPECT_TRUE(same) << room;
    }
}

TEST(HttpRequestTest, CookiesOfTheStackAndSwitchingThemOff) {
    test::LocalHttpServer server;
    HttpSession session = HttpSession::open("agent");
    HttpConnection connection = HttpConnection::connect(session, "127.0.0.1", server.port());
    auto fetch = [&](const Text& path, bool cookiesOff) {
        HttpRequest request = HttpRequest::open(connection, "GET", path, false);
        if (cookiesOff) request.setOption(kOptionDisableFeature, kDisableCookies);
        EXPECT_TRUE(request.send(nullptr, 0) && request.receiveResponse()) << path;
        std::string out(100, '\0');
        std::size_t read = 0, available = 0;
        if (request.queryDataAvailable(available) && available > 0) request.readData(out.data(), out.size(), read);
        out.resize(read);
        return out;
    };
    fetch("/set-cookie?k=v", true);
    EXPECT_EQ(fetch("/cookies", false), "") << "a response with cookies off stores none";
    fetch("/set-cookie?k=v", false);
    EXPECT_EQ(fetch("/cookies", false), "k=v");
    EXPECT_EQ(fetch("/cookies", true), "");
    HttpSession other = HttpSession::open("agent");
    HttpConnection otherConnection = HttpConnection::connect(other, "127.0.0.1", server.port());
    HttpRequest request = HttpRequest::open(otherConnection, "GET", "/cookies", false);
    ASSERT_TRUE(request.send(nullptr, 0) && request.receiveResponse());
    std::size_t available = 1;
    EXPECT_TRUE(request.queryDataAvailable(available));
    EXPECT_EQ(available, 0u) << "another session has cookies of its own";
}

TEST(HttpRequestTest, RefusedInputs) {
    HttpSession session = HttpSession::open("agent");
    EXPECT_FALSE(HttpConnection::connect(HttpSession(), "h", 80));
    EXPECT_FALSE(HttpConnection::connect(session, "", 80));
    EXPECT_FALSE(HttpConnection::connect(session, "h", 0));
    HttpConnection connection = HttpConnection::connect(session, "127.0.0.1", 9);
    ASSERT_TRUE(connection);
    EXPECT_FALSE(HttpRequest::open(connection, "G T", "/", false)) << "verb with a blank";
    EXPECT_FALSE(HttpRequest::open(connection, "", "/", false));
    EXPECT_FALSE(HttpRequest::open(connection, "GET", "no-slash", false));
    EXPECT_FALSE(HttpRequest::open(HttpConnection(), "GET", "/", false));
    HttpRequest request = HttpRequest::open(connection, "GET", "/", false);
    ASSERT_TRUE(request);
    EXPECT_FALSE(request.setOption(kOptionDisableFeature, 4));
    EXPECT_FALSE(request.setOption(12345, 1));
    EXPECT_FALSE(request.setCredentials(kAuthTargetServer, kAuthSchemePassport, "u", "p"));
    EXPECT_FALSE(request.setCredentials(7, kAuthSchemeBasic, "u", "p"));
    std::size_t n = 0;
    EXPECT_FALSE(request.queryDataAvailable(n)) << "nothing sent";
    EXPECT_FALSE(request.readData(&n, 1, n));
    EXPECT_FALSE(session.setTimeouts(-2, 0, 0, 0));
    EXPECT_FALSE(session.setOption(kOptionSecurityFlags, 0));
    EXPECT_FALSE(session.setTrustedCaFile(""));
}

}  // namespace
}  // namespace vd::platform
