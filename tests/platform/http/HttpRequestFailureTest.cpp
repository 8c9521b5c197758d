#include "platform/http/HttpRequest.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/http/HttpConnection.h"
#include "platform/http/HttpSession.h"
#include "tests/support/RawSocketServer.h"

namespace vd::platform {
namespace {

using test::RawConnection;
using test::RawSocketServer;

const std::string kOk = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nok";

// A port on 127.0.0.1 where nothing listens: a server's, after it has stopped.
int closedPort() {
    auto server = std::make_unique<RawSocketServer>(RawSocketServer::replyToEach(kOk));
    const int port = server->port();
    server.reset();
    return port;
}

void stallAfterRequest(RawConnection& c) {
    std::string request;
    if (c.readRequest(request)) c.stall(60000);
}

void closeAfterRequest(RawConnection& c) {
    std::string request;
    if (c.readRequest(request)) c.close();
}

// Plain HTTP bytes as soon as the connection is made, whatever the peer sends.
void answerAtOnce(RawConnection& c) {
    c.write(kOk);
    c.stall(60000);
}

void closeMidBody(RawConnection& c) {
    std::string request;
    if (c.readRequest(request)) {
        c.write("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nonly part");
        c.close();
    }
}

TEST(HttpRequestFailureTest, CauseOfEachFailure) {
    struct Case {
        const char* name;
        RawSocketServer::Handler handler;  // none: a closed port
        bool secure;
        int receiveTimeoutMs;
        bool abandon;
        bool readBody;
        ExchangeFailure expected;
    };
    const Case cases[] = {
        {"an answered request", RawSocketServer::replyToEach(kOk), false, 5000, false, true, ExchangeFailure::None},
        {"a closed port", nullptr, false, 5000, false, false, ExchangeFailure::Connect},
        {"TLS to a plain server", answerAtOnce, true, 5000, false, false, ExchangeFailure::Tls},
        {"no answer within the timeout", stallAfterRequest, false, 50, false, false, ExchangeFailure::Timeout},
        {"the connection closed without an answer", closeAfterRequest, false, 5000, false, false,
         ExchangeFailure::Dropped},
        {"the connection closed in the body", closeMidBody, false, 5000, false, true, ExchangeFailure::Dropped},
        {"transfers abandoned", stallAfterRequest, false, 5000, true, false, ExchangeFailure::Aborted},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::unique_ptr<RawSocketServer> server;
        int port = 0;
        if (c.handler) {
            server = std::make_unique<RawSocketServer>(c.handler);
            port = server->port();
        } else {
            port = closedPort();
        }
        HttpSession session = HttpSession::open("agent");
        ASSERT_TRUE(session.setTimeouts(0, 5000, 5000, c.receiveTimeoutMs));
        HttpConnection connection = HttpConnection::connect(session, "127.0.0.1", port);
        HttpRequest request = HttpRequest::open(connection, "GET", "/", c.secure);
        ASSERT_TRUE(request);
        EXPECT_EQ(request.failure(), ExchangeFailure::None);
        if (c.abandon) session.abandonTransfers();
        const bool answered = request.send(nullptr, 0) && request.receiveResponse();
        if (c.readBody) {
            ASSERT_TRUE(answered);
            char buffer[256];
            std::size_t available = 0;
            std::size_t read = 0;
            while (request.queryDataAvailable(available) && available > 0 && request.readData(buffer, sizeof buffer, read) &&
                   read > 0) {
            }
        } else {
            EXPECT_FALSE(answered);
        }
        EXPECT_EQ(request.failure(), c.expected);
    }
}

}  // namespace
}  // namespace vd::platform
