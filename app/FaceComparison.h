#pragma once

#include "app/App.h"

namespace vd {

struct FaceMatchOutcome;

// Click of 对比人脸 ("开始对比"): sends the pictures of 图片框1 and 图片框2 to the face-match
// endpoint and, when the reply is in, shows the verdict, score, face tokens and elapsed time, or
// the error panel.
void startFaceComparison(App& app);

// Loads the reply into jsonDoc (made by createGlobalObjects); sets lastReplyOk and, on failure,
// the three error texts.
void readFaceMatchReply(AppState& state, const Text& reply);

// Writes an outcome into the page "人脸对比": the error panel and a red indicator, or the
// results and a green indicator. The elapsed time is not part of it.
void showFaceMatchOutcome(const platform::Window& window, const FaceMatchOutcome& outcome);

}  // namespace vd
