#pragma once

#include "app/App.h"

namespace vd {

// Click of 对比人脸 ("开始对比"): sends the pictures of 图片框1 and 图片框2 to the face-match
// endpoint and shows the verdict, score, face tokens and elapsed time, or the error panel.
void startFaceComparison(App& app);

// Loads the reply into jsonDoc (made by createGlobalObjects); sets lastReplyOk and, on failure,
// the three error texts.
void readFaceMatchReply(AppState& state, const Text& reply);

}  // namespace vd
