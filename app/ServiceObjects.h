#pragma once

#include <functional>
#include <memory>

#include "app/App.h"

// The vision service's part of start-up and shutdown.
namespace vd {

// Makes the client through which every request of the program goes.
using VisionClientFactory = std::function<std::unique_ptr<VisionApiClient>()>;

// Start sequence, before the main window exists: makes the service objects. Without a factory
// the client is the built-in one (the service's host, keys and the system's trust store); tests
// pass one that makes a client of their own local service.
void createGlobalObjects(AppState& state, const VisionClientFactory& makeVisionClient = {});
// First step of the "created" event: fetches the access token off the GUI thread (the window
// takes no input meanwhile), then appends the caption suffix, shows the message box on failure
// and runs `then`.
void connectToService(App& app, std::function<void()> then = {});
// The caption suffix for the result of fetchAccessToken, and the message box unless it is "1".
void showConnectionResult(App& app, const Text& result);
// Steps 1 and 3 of exitCleanup.
void destroyVisionClient(AppState& state);
void destroyJsonDocument(AppState& state);

}  // namespace vd
