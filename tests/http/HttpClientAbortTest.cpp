#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "http/HttpClient.h"
#include "tests/support/HttpExchangeTexts.h"
#include "tests/support/RawSocketServer.h"

// abortTransfer from another thread while an exchange waits for a server that holds its reply back.
namespace vd {
namespace {

using test::RawConnection;
using test::RawSocketServer;

using test::kOk;

TEST(HttpClientAbortTest, AnAbortedExchangeEndsEmptyAndLaterOnesFailUntilTheSessionIsReset) {
    struct Case {
        const char* name;
        std::string before;  // sent before the server holds back the rest
        std::string rest;
        Text text;  // what the client gives: what had arrived, as with a dropped connection
    } cases[] = {
        {"before the response headers", "", kOk, ""},
        {"in the middle of the body", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n01", "23456789", "01"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        // Without the abort the exchange would end with the whole reply, after the hold.
        std::atomic<bool> heldBack{false};
        RawSocketServer server([&row, &heldBack](RawConnection& connection) {
            std::string request;
            if (!connection.readRequest(request)) return;
            if (!row.before.empty()) connection.write(row.before);
            heldBack = true;
            connection.stall(60000);
            connection.write(row.rest);
        });
        HttpClient client;
        ASSERT_TRUE(client.setTimeouts(0, 0, 0, 0)) << "no time limit: only the abort ends the wait";
        std::thread aborter([&] {
            while (!heldBack) std::this_thread::yield();
            client.abortTransfer();
        });
        ASSERT_TRUE(client.open("GET", server.url("/slow")));
        client.send();
        EXPECT_EQ(client.responseText(), row.text);
        aborter.join();

        RawSocketServer answering(RawSocketServer::replyToEach(kOk));
        EXPECT_TRUE(client.open("GET", answering.url("/later")));
        EXPECT_FALSE(client.send()) << "a later exchange of the session fails before it starts";
        EXPECT_EQ(client.responseText(), "");
        client.resetSession();
        EXPECT_TRUE(client.open("GET", answering.url("/after-reset")));
        EXPECT_TRUE(client.send());
        EXPECT_EQ(client.responseText(), "ok");
    }
}

TEST(HttpClientAbortTest, WithoutASessionNothingHappens) {
    HttpClient client;
    client.closeSession();
    client.abortTransfer();
    EXPECT_FALSE(client.open("GET", "http://127.0.0.1:1/"));
}

}  // namespace
}  // namespace vd
