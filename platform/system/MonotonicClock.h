#pragma once

#include <cstdint>

// The monotonic clock, for measuring spans. (<chrono> cannot be compiled with the GBK execution
// character set.)
namespace vd::platform {

std::int64_t monotonicNanoseconds();

inline std::int64_t monotonicMilliseconds() { return monotonicNanoseconds() / 1000000; }
inline double monotonicSeconds() { return static_cast<double>(monotonicNanoseconds()) * 1e-9; }

}  // namespace vd::platform
