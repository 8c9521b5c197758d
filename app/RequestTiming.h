#pragma once

#include "app/AppState.h"
#include "common/Text.h"

namespace vd {

// Notes the tick counter in startTickMs at the start of a request.
void noteRequestStart(AppState& state);

// The time since startTickMs, as shown in the elapsed-time labels.
Text elapsedSinceRequestStart(const AppState& state);

}  // namespace vd
