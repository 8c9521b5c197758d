#pragma once

#include <cstdint>
#include <functional>

namespace vd::platform {

// Milliseconds since the system started, wrapping at 32 bits.
std::uint32_t tickCount();

// Tests set the counter here; an empty function gives back the real one.
void setTickCountSource(std::function<std::uint32_t()> source);

}  // namespace vd::platform
