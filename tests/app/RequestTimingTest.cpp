#include "app/RequestTiming.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace vd {
namespace {

TEST(RequestTimingTest, ElapsedTimeWrapsAroundThe32BitCounter) {
    const struct {
        const char* name;
        std::int32_t start;
        std::int32_t end;
        const char* expected;
    } cases[] = {
        {"plain", 1000, 3500, "2.5秒"},
        {"zero", 7, 7, "0秒"},
        {"one millisecond", 0, 1, "0.001秒"},
        {"across the signed wrap", INT32_MAX - 499, INT32_MIN + 500, "1秒"},
        {"across the unsigned wrap", -250, 250, "0.5秒"},
        {"longest span", 0, -1, "4294967.295秒"},
    };
    for (const auto& c : cases) EXPECT_EQ(elapsedTimeText(c.start, c.end), c.expected) << "case " << c.name;
}

}  // namespace
}  // namespace vd
