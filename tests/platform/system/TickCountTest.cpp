#include "platform/system/TickCount.h"

#include <gtest/gtest.h>

#include <ctime>

namespace vd::platform {
namespace {

std::uint64_t bootMilliseconds() {
    timespec now{};
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
}

TEST(TickCount, TickCountIsMillisecondsSinceBootIn32Bits) {
    const std::uint64_t before = bootMilliseconds();
    const std::uint32_t tick = tickCount();
    const std::uint64_t after = bootMilliseconds();
    // Compared in wrap-around arithmetic: the counter's low 32 bits lie between the two readings.
    EXPECT_LE(static_cast<std::uint32_t>(tick - static_cast<std::uint32_t>(before)),
              static_cast<std::uint32_t>(after - before));
}

TEST(TickCount, ASetSourceStandsInUntilCleared) {
    setTickCountSource([] { return 7U; });
    EXPECT_EQ(tickCount(), 7U);
    setTickCountSource({});
    EXPECT_NE(tickCount(), 7U);
}

}  // namespace
}  // namespace vd::platform
