#include "platform/http/HttpRequest.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/http/HttpConnection.h"
#include "platform/http/HttpConstants.h"
#include "platform/http/HttpSession.h"
#include "tests/support/LocalHttpServer.h"
#include "tests/support/RawSocketServer.h"

namespace vd::platform {
namespace {

using test::LocalHttpServer;

// One GET through redirects that the stack follows; the body of the final response.
std::string followed(int port, const Text& path, const std::vector<std::string>& headerLines, int serverAuthScheme = 0) {
    HttpSession session = HttpSession::open("agent");
    HttpConnection connection = HttpConnection::connect(session, "127.0.0.1", port);
    HttpRequest request = HttpRequest::open(connection, "GET", path, false);
    for (const std::string& line : headerLines) {
        if (!request.addHeaders(line, kAddHeaderAdd)) return "header refused";
    }
    if (serverAuthScheme != 0 && !request.setCredentials(kAuthTargetServer, serverAuthScheme, "user", "pass")) {
        return "credentials refused";
    }
    if (!request.send(nullptr, 0) || !request.receiveResponse()) return "failed";
    std::string body(4096, '\0');
    std::size_t total = 0;
    std::size_t read = 0;
    while (request.readData(body.data() + total, body.size() - total, read) && read > 0) total += read;
    body.resize(total);
    return body;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(HttpRequestRedirectTest, CredentialsAndTheirHeadersStayWithTheRequestsOrigin) {
    LocalHttpServer first;
    LocalHttpServer second;
    const std::vector<std::string> headers = {"Authorization: Bearer secret", "Cookie: sid=1", "X-Kept: yes"};

    const std::string same = followed(first.port(), "/location?to=/headers", headers);
    EXPECT_TRUE(has(same, "Authorization: Bearer secret")) << same;
    EXPECT_TRUE(has(same, "Cookie: sid=1")) << same;
    EXPECT_TRUE(has(same, "X-Kept: yes")) << same;

    const std::string other = followed(first.port(), "/location?to=" + second.url("/headers"), headers);
    EXPECT_FALSE(has(other, "Authorization")) << other;
    EXPECT_FALSE(has(other, "Cookie")) << other;
    EXPECT_TRUE(has(other, "X-Kept: yes")) << other;

    // The inner query's "?" and "=" escaped, so that it stays one value of the outer one.
    const std::string back = followed(
        first.port(), "/location?to=" + second.url("/location%3Fto%3D" + first.url("/headers")), headers);
    EXPECT_TRUE(has(back, "Authorization: Bearer secret")) << "back at the origin: " << back;

    const std::string basic = followed(first.port(), "/location?to=" + second.url("/headers"), {}, kAuthSchemeBasic);
    EXPECT_FALSE(has(basic, "Authorization")) << basic;
    const std::string basicSame = followed(first.port(), "/location?to=/headers", {}, kAuthSchemeBasic);
    EXPECT_TRUE(has(basicSame, "Authorization: Basic")) << basicSame;
}

TEST(HttpRequestRedirectTest, LocationsAreReadAgainstTheHopThatGaveThem) {
    LocalHttpServer server;
    struct Case {
        const char* name;
        std::string path;
        std::string body;
    };
    const Case cases[] = {
        {"relative to the path", "/location?to=hello", "hello"},
        {"absolute path", "/location?to=/hello", "hello"},
        {"absolute URL", "/location?to=" + server.url("/hello"), "hello"},
        {"another scheme is the final response", "/location?to=ftp://127.0.0.1/x", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(followed(server.port(), c.path, {}), c.body) << c.name;
    const std::string chain = followed(server.port(), "/redirect/3", {});
    for (const char* cookie : {"hop1=1", "hop2=1", "hop3=1"}) EXPECT_TRUE(has(chain, cookie)) << chain;
}

TEST(HttpRequestRedirectTest, AnEndlessRedirectBodyDoesNotHoldTheExchange) {
    test::RawSocketServer server([](test::RawConnection& conn) {
        std::string request;
        while (conn.readRequest(request)) {
            if (request.rfind("GET /next ", 0) == 0) {
                conn.write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok");
                continue;
            }
            conn.write("HTTP/1.1 302 Found\r\nLocation: /next\r\nContent-Length: 1000000000\r\n\r\n");
            const std::string piece(65536, 'x');
            for (int i = 0; i < 64; ++i) {
                if (!conn.write(piece)) return;
            }
            conn.stall(60000);
            return;
        }
    });
    HttpSession session = HttpSession::open("agent");
    ASSERT_TRUE(session.setTimeouts(0, 5000, 5000, 3000));
    HttpConnection connection = HttpConnection::connect(session, "127.0.0.1", server.port());
    HttpRequest request = HttpRequest::open(connection, "GET", "/", false);
    ASSERT_TRUE(request.send(nullptr, 0));
    ASSERT_TRUE(request.receiveResponse());
    EXPECT_EQ(request.statusCode().value_or(""), "200");
    char body[8] = {};
    std::size_t read = 0;
    ASSERT_TRUE(request.readData(body, sizeof body, read));
    EXPECT_EQ(std::string(body, read), "ok");
}

}  // namespace
}  // namespace vd::platform
