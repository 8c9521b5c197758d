#pragma once

#include <cstdint>
#include <memory>

#include "common/Text.h"
#include "json/JsonDocument.h"
#include "vision/VisionApiClient.h"

namespace vd {

// The program's global state: one of each for the whole run.
struct AppState {
    // Service objects: made before the main window, destroyed by exitCleanup.
    std::unique_ptr<VisionApiClient> visionClient;
    std::unique_ptr<JsonDocument> jsonDoc;

    std::int32_t startTickMs = 0;  // tick counter at the start of the latest request
    bool lastReplyOk = false;      // the latest face-match reply
    Text lastErrorCode;
    Text lastErrorDescription;
    Text lastErrorMessage;
};

}  // namespace vd
