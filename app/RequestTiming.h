#pragma once

#include <cstdint>

#include "app/AppState.h"
#include "common/Text.h"

namespace vd {

// Elapsed time between two readings of the 32-bit millisecond tick counter: the difference in
// unsigned 32-bit wrap-around arithmetic (never negative), divided by 1000.0, as "%.13g"
// followed by "秒".
Text elapsedTimeText(std::int32_t startTickMs, std::int32_t endTickMs);

// Notes the tick counter in startTickMs at the start of a request.
void noteRequestStart(AppState& state);

// The time since startTickMs, as shown in the elapsed-time labels.
Text elapsedSinceRequestStart(const AppState& state);

}  // namespace vd
