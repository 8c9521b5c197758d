#include "app/FaceComparison.h"

#include "app/Messages.h"
#include "app/RequestTiming.h"
#include "common/TextOps.h"

namespace vd {
namespace {

struct ErrorDescription {
    const char* code;
    const char* description;
};

constexpr ErrorDescription kErrorDescriptions[] = {
    {"222001", "必要参数未传入"},
    {"223105", "该人脸已存在"},
    {"223106", "该人脸已存在"},
    {"223114", "脸部不清晰"},
    {"222202", "未检测到人脸"},
};

constexpr std::uint32_t kGreen = 65280;
constexpr std::uint32_t kRed = 255;

}  // namespace

void readFaceMatchReply(AppState& state, const Text& reply) {
    JsonDocument& doc = *state.jsonDoc;
    doc.parse(reply);
    if (doc.getDocument("error_code").toText() == "0") {
        state.lastReplyOk = true;
        return;
    }
    state.lastReplyOk = false;
    state.lastErrorCode = doc.getDocument("error_code").toText();
    state.lastErrorMessage = doc.getText("error_msg");
    state.lastErrorDescription.clear();
    for (const ErrorDescription& row : kErrorDescriptions) {
        if (state.lastErrorCode == row.code) state.lastErrorDescription = row.description;
    }
}

void startFaceComparison(App& app) {
    AppState& state = app.state;
    platform::Window& window = app.window;
    noteRequestStart(state);
    if (window.pictureBox("图片框1").picture().empty()) {
        showMessage("图片1无图片！");
        return;
    }
    if (window.pictureBox("图片框2").picture().empty()) {
        showMessage("图片2无图片！");
        return;
    }
    if (!state.visionClient || !state.jsonDoc) return;

    window.label("透明标签14").setText("识别中,请稍等...");
    window.label("透明标签17").setText("-");
    window.groupBox("错误框2").setVisible(false);

    const Text reply =
        state.visionClient->matchFaces(window.pictureBox("图片框1").picture(), window.pictureBox("图片框2").picture());
    readFaceMatchReply(state, reply);
    if (!state.lastReplyOk) {
        window.editBox("错误代码框2").setText(state.lastErrorCode);
        window.editBox("错误描述框2").setText(state.lastErrorDescription);
        window.editBox("错误信息框2").setText(state.lastErrorMessage);
        window.groupBox("错误框2").setVisible(true);
        window.shapeBox("外形框2").setFillColour(kRed);
        return;
    }
    window.groupBox("错误框2").setVisible(false);
    window.shapeBox("外形框2").setFillColour(kGreen);

    JsonDocument& doc = *state.jsonDoc;
    doc.parse(reply);
    const int score = textToInteger(doc.getDocument("result.score").toText());
    if (score >= 80) window.label("透明标签14").setText("两张图片一定是同一个人！");
    if (score < 80) window.label("透明标签14").setText("两张图片可能不是同一个人");
    window.label("透明标签17").setText(doc.getDocument("result.score").toText() + " %");
    window.label("透明标签9").setText(doc.getText("result['face_list'][0]['face_token']"));
    window.label("透明标签12").setText(doc.getText("result['face_list'][1]['face_token']"));
    doc.clear();

    window.label("透明标签77").setText(elapsedSinceRequestStart(state));
}

}  // namespace vd
