#include "app/RequestTiming.h"

#include "common/Numbers.h"
#include "platform/system/TickCount.h"

namespace vd {
namespace {

std::int32_t tickNow() { return static_cast<std::int32_t>(platform::tickCount()); }

}  // namespace

Text elapsedTimeText(std::int32_t startTickMs, std::int32_t endTickMs) {
    const std::uint32_t elapsed = static_cast<std::uint32_t>(endTickMs) - static_cast<std::uint32_t>(startTickMs);
    return numberToText(elapsed / 1000.0) + "秒";
}

void noteRequestStart(AppState& state) { state.startTickMs = tickNow(); }

Text elapsedSinceRequestStart(const AppState& state) { return elapsedTimeText(state.startTickMs, tickNow()); }

}  // namespace vd
