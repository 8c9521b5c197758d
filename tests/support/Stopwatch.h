#pragma once

#include <ctime>

namespace vd::test {

// Milliseconds since construction, on the monotonic clock.
class Stopwatch {
public:
    Stopwatch() : start_(nowMs()) {}
    long long elapsedMs() const { return nowMs() - start_; }

private:
    static long long nowMs() {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return static_cast<long long>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    }
    long long start_;
};

}  // namespace vd::test
