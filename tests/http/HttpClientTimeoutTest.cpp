#include "http/HttpClient.h"

#include <gtest/gtest.h>

#include "tests/support/Stopwatch.h"
#include "tests/support/UnansweredListener.h"

namespace vd {
namespace {

TEST(HttpClientTimeoutTest, ConnectTimeBoundsTheConnectionAttemptAlone) {
    const test::UnansweredListener listener;
    ASSERT_TRUE(listener.ready());
    HttpClient client;
    // The resolve time keeps its 10000 ms; an address literal needs no resolving.
    ASSERT_TRUE(client.setTimeouts(std::nullopt, 1000));
    ASSERT_TRUE(client.open("GET", listener.url("/")));
    const test::Stopwatch watch;
    EXPECT_FALSE(client.send());
    EXPECT_EQ(client.statusCode(), 0);
    EXPECT_EQ(client.responseText(), "");
    EXPECT_LT(watch.elapsedMs(), 8000) << "the connection attempt should end near the 1000 ms connect time";
}

}  // namespace
}  // namespace vd
