#pragma once

#include "app/App.h"
#include "app/ServiceObjects.h"

namespace vd {

// The program from start to end: GUI run time, service objects, exit routine, main window,
// message loop. Returns the exit status: 0, or 1 when no window can be shown. The program passes
// no factory and gets the built-in client (createGlobalObjects).
int runProgram(AppState& state, const VisionClientFactory& makeVisionClient = {});

// The main window's "created" event: connectToService, then, once its reply is in, the file
// dialog's initial folder.
void onMainWindowCreated(App& app);

// Registered with the GUI run time at start; it calls this once when the program ends.
void exitCleanup(AppState& state);

}  // namespace vd
