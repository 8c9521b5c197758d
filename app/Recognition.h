#pragma once

#include "app/App.h"

namespace vd {

// At most this many empty lines are added when a reply counts more lines than it carries.
inline constexpr int kMaxMissingTextLines = 1000;

// Click of 开始文字识别 ("识别"): sends the picture of 图片框5 to the endpoint that the radio buttons
// choose and shows the recognised text or plate, the status word and the elapsed time.
void startRecognition(App& app);

// Both result routines read the reply loaded in jsonDoc (made by createGlobalObjects).

// General text: the lines of the reply, in the reply's order, each followed by CR LF,
// into 编辑框1; the status; the inner page "文字识别".
void showTextResult(App& app);

// Licence plate: colour, number and region code of the reply; the inner page "车牌识别".
void showPlateResult(App& app);

}  // namespace vd
