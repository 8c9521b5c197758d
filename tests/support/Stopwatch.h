#pragma once

#include "platform/system/MonotonicClock.h"

namespace vd::test {

// Milliseconds since construction, on the monotonic clock.
class Stopwatch {
public:
    Stopwatch() : start_(nowMs()) {}
    long long elapsedMs() const { return nowMs() - start_; }

private:
    static long long nowMs() { return platform::monotonicMilliseconds(); }
    long long start_;
};

}  // namespace vd::test
