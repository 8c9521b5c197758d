#include "app/WorkflowHandlers.h"

#include "app/FaceComparison.h"
#include "app/Recognition.h"

namespace vd {

void bindWorkflowHandlers(App& app) {
    app.window.button("对比人脸").onClicked([&app] { startFaceComparison(app); });
    app.window.button("开始文字识别").onClicked([&app] { startRecognition(app); });
}

}  // namespace vd
