#pragma once

#include "app/App.h"

namespace vd {

// Connects the buttons that start the workflows (对比人脸, 开始文字识别) to their handlers, and
// names the buttons that start work (those two and the picture buttons): they are unavailable
// while a request runs.
void bindWorkflowHandlers(App& app);

}  // namespace vd
