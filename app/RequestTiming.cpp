#include "app/RequestTiming.h"

#include "common/TextOps.h"
#include "platform/gui/Environment.h"

namespace vd {
namespace {

std::int32_t tickNow() { return static_cast<std::int32_t>(platform::tickCount()); }

}  // namespace

void noteRequestStart(AppState& state) { state.startTickMs = tickNow(); }

Text elapsedSinceRequestStart(const AppState& state) { return elapsedTimeText(state.startTickMs, tickNow()); }

}  // namespace vd
