#pragma once

#include "app/App.h"

namespace vd {

// Connects the buttons that start the workflows (对比人脸, 开始文字识别) to their handlers.
void bindWorkflowHandlers(App& app);

}  // namespace vd
