#pragma once

#include <cstdint>

#include "common/Text.h"

namespace vd {

// The program's global state: one of each for the whole run. Service objects join it here.
struct AppState {
    std::int32_t startTickMs = 0;  // tick counter at the start of the latest request
    bool lastReplyOk = false;      // the latest face-match reply
    Text lastErrorCode;
    Text lastErrorDescription;
    Text lastErrorMessage;
};

}  // namespace vd
