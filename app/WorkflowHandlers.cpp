#include "app/WorkflowHandlers.h"

#include "app/FaceComparison.h"
#include "app/MainWindowLayout.h"
#include "app/Recognition.h"

namespace vd {

void bindWorkflowHandlers(App& app) {
    app.window.button(control::kCompare).onClicked([&app] { startFaceComparison(app); });
    app.window.button(control::kRecognize).onClicked([&app] { startRecognition(app); });
    app.window.setWorkControls({control::kCompare, control::kRecognize, control::kOpenPictureOne, control::kOpenPictureTwo,
                                control::kOpenRecognitionPicture});
}

}  // namespace vd
