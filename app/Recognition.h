#pragma once

#include "app/App.h"
#include "app/RecognitionOutcome.h"

namespace vd {

// Click of 开始文字识别 ("识别"): sends the picture of 图片框5 to the endpoint that the radio buttons
// choose and, when the reply is in, shows the recognised text or plate, the status word and the
// elapsed time.
void startRecognition(App& app);

// Writes an outcome into the page "文字识别": the three-line error text and "失败", or what the
// result routines below show. The elapsed time is not part of it.
void showRecognitionOutcome(App& app, const RecognitionOutcome& outcome);

// General text: the lines, in the reply's order, each followed by CR LF, after what 编辑框1 holds;
// the status; the inner page "文字识别". No line: "未识别到任何信息" and "失败".
void showTextResult(App& app, const TextLines& result);

// Licence plate: colour, number and region code; the inner page "车牌识别".
void showPlateResult(App& app, const PlateReading& plate);

}  // namespace vd
