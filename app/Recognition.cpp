#include "app/Recognition.h"

#include <algorithm>

#include "app/Messages.h"
#include "app/PlateOutline.h"
#include "app/RequestTiming.h"
#include "common/TextOps.h"

namespace vd {

void showTextResult(App& app) {
    const JsonDocument& doc = *app.state.jsonDoc;
    platform::Window& window = app.window;
    const int count = textToInteger(doc.getText("words_result_num"));
    if (count == 0) {
        window.editBox("编辑框1").setText("未识别到任何信息");
        window.label("透明标签67").setText("失败");
        return;
    }
    window.label("透明标签67").setText("成功");
    window.tabControl("高级选择夹2").setCurrentPage(0);

    // A count beyond the array reads missing lines as empty ones, bounded so that the work stays
    // proportional to the reply.
    const long long carried = doc.memberCount("words_result");
    const long long lines = std::min<long long>(count, carried + kMaxMissingTextLines);
    Text text = window.editBox("编辑框1").text();
    for (long long k = 0; k < lines; ++k) {
        text += doc.getText("words_result[" + std::to_string(k) + "]['words']");
        text += "\r\n";
    }
    window.editBox("编辑框1").setText(text);
}

void showPlateResult(App& app) {
    const JsonDocument& doc = *app.state.jsonDoc;
    platform::Window& window = app.window;
    window.tabControl("高级选择夹2").setCurrentPage(1);
    Text colour = doc.getText("words_result['color']");
    window.label("透明标签72").setText(doc.getText("words_result['number']"));
    window.label("透明标签73").setText(leftOfText(doc.getText("words_result['number']"), 3));
    if (colour == "blue") colour = "蓝牌";
    if (colour == "green") colour = "绿牌(新能源)";
    if (colour == "yellow") colour = "黄牌";
    window.label("透明标签71").setText(colour);
    showPlateOutline(window.pictureBox("图片框5"), readPlateOutline(doc));
}

void startRecognition(App& app) {
    AppState& state = app.state;
    platform::Window& window = app.window;
    noteRequestStart(state);
    if (window.pictureBox("图片框5").picture().empty()) {
        showMessage("请打开图片后再识别");
        return;
    }
    if (!state.visionClient || !state.jsonDoc) return;

    Text url;
    if (window.radioButton("单选框1").checked()) url = state.visionClient->endpointUrl(kGeneralTextPath);
    if (window.radioButton("单选框2").checked()) url = state.visionClient->endpointUrl(kLicensePlatePath);

    window.label("透明标签67").setText("-");
    window.pictureBox("图片框5").clearOutline();
    window.editBox("编辑框1").setText("");
    window.label("透明标签71").setText("-");
    window.label("透明标签72").setText("-");
    window.label("透明标签73").setText("-");

    const Text reply = state.visionClient->recognize(window.pictureBox("图片框5").picture(), url);
    JsonDocument& doc = *state.jsonDoc;
    doc.parse(reply);
    if (!doc.getText("error_code").empty()) {
        window.editBox("编辑框1").setText("错误！\r\n错误码：" + doc.getText("error_code") + "\r\n错误信息：" +
                                          doc.getText("error_msg"));
        window.label("透明标签67").setText("失败");
        return;
    }
    if (window.radioButton("单选框1").checked()) showTextResult(app);
    if (window.radioButton("单选框2").checked()) showPlateResult(app);
    doc.clear();

    window.label("透明标签81").setText(elapsedSinceRequestStart(state));
}

}  // namespace vd
