#include "platform/system/TickCount.h"

#include <ctime>
#include <utility>

namespace vd::platform {
namespace {

std::function<std::uint32_t()>& source() {
    static std::function<std::uint32_t()> installed;
    return installed;
}

}  // namespace

std::uint32_t tickCount() {
    if (source()) return source()();
    timespec now{};
    // CLOCK_BOOTTIME keeps counting while the machine sleeps, as a tick counter since start does.
    ::clock_gettime(CLOCK_BOOTTIME, &now);
    const auto ms = static_cast<std::uint64_t>(now.tv_sec) * 1000U + static_cast<std::uint64_t>(now.tv_nsec) / 1000000U;
    return static_cast<std::uint32_t>(ms);
}

void setTickCountSource(std::function<std::uint32_t()> newSource) { source() = std::move(newSource); }

}  // namespace vd::platform
