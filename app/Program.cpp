#include "app/Program.h"

#include "app/MainWindowLayout.h"
#include "app/PictureSelection.h"
#include "app/ServiceObjects.h"
#include "app/WorkflowHandlers.h"
#include "platform/gui/Environment.h"
#include "platform/gui/GuiRuntime.h"

namespace vd {
namespace {

#ifdef VD_CHECK_CONTROL_NAMES
constexpr bool kControlNamesChecked = true;
#else
constexpr bool kControlNamesChecked = false;
#endif

}  // namespace

int runProgram(AppState& state, const VisionClientFactory& makeVisionClient) {
    platform::GuiRuntime gui("vision-desk");
    if (!gui.initialise()) return 1;
    createGlobalObjects(state, makeVisionClient);
    gui.registerExitRoutine([&state] { exitCleanup(state); });

    platform::Window window(mainWindowLayout());
    window.setUnknownControlsFatal(kControlNamesChecked);
    App app{state, window};
    bindPictureHandlers(app);
    bindWorkflowHandlers(app);
    window.open([&app] { onMainWindowCreated(app); });
    return gui.runMessageLoop(window);
}

void onMainWindowCreated(App& app) {
    connectToService(app, [&app] { app.window.fileDialog(control::kFileDialog).setInitialFolder(platform::desktopFolder()); });
}

void exitCleanup(AppState& state) {
    destroyVisionClient(state);
    state.lastErrorCode.clear();
    state.lastErrorCode.shrink_to_fit();
    state.lastErrorDescription.clear();
    state.lastErrorDescription.shrink_to_fit();
    state.lastErrorMessage.clear();
    state.lastErrorMessage.shrink_to_fit();
    destroyJsonDocument(state);
}

}  // namespace vd
