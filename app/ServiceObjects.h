#pragma once

#include "app/App.h"

// The vision service's part of start-up and shutdown.
namespace vd {

// Start sequence, before the main window exists: makes the service objects.
void createGlobalObjects(AppState& state);
// First step of the "created" event: fetches the access token, appends the caption suffix.
void connectToService(App& app);
// Steps 1 and 3 of exitCleanup.
void destroyVisionClient(AppState& state);
void destroyJsonDocument(AppState& state);

}  // namespace vd
