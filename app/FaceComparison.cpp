#include "app/FaceComparison.h"

#include "app/FaceMatchOutcome.h"
#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "app/RequestTiming.h"
#include "app/ServiceExchange.h"

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

void showFaceMatchOutcome(const platform::Window& window, const FaceMatchOutcome& outcome) {
    if (!outcome.ok) {
        window.editBox(control::kErrorCode).setText(outcome.errorCode);
        window.editBox(control::kErrorDescription).setText(outcome.errorDescription);
        window.editBox(control::kErrorMessage).setText(outcome.errorMessage);
        window.groupBox(control::kErrorPanel).setVisible(true);
        window.shapeBox(control::kIndicator).setFillColour(kRed);
        return;
    }
    window.groupBox(control::kErrorPanel).setVisible(false);
    window.shapeBox(control::kIndicator).setFillColour(kGreen);
    window.label(control::kVerdict).setText(outcome.verdict);
    window.label(control::kScore).setText(outcome.score + " %");
    window.label(control::kFirstToken).setText(outcome.firstToken);
    window.label(control::kSecondToken).setText(outcome.secondToken);
}

void startFaceComparison(App& app) {
    AppState& state = app.state;
    platform::Window& window = app.window;
    noteRequestStart(state);
    if (window.pictureBox(control::kPictureOne).picture().empty()) {
        showMessage("图片1无图片！");
        return;
    }
    if (window.pictureBox(control::kPictureTwo).picture().empty()) {
        showMessage("图片2无图片！");
        return;
    }
    if (!state.visionClient || !state.jsonDoc) return;

    window.label(control::kVerdict).setText("识别中,请稍等...");
    window.label(control::kScore).setText("-");
    window.groupBox(control::kErrorPanel).setVisible(false);

    exchangeWithService(
        app,
        [first = window.pictureBox(control::kPictureOne).picture(), second = window.pictureBox(control::kPictureTwo).picture()](
            VisionApiClient& client) { return client.matchFaces(first, second); },
        [&app](const Text& reply) {
            const FaceMatchOutcome outcome = readFaceMatchOutcome(app.state, reply);
            showFaceMatchOutcome(app.window, outcome);
            if (!outcome.ok) return;
            app.state.jsonDoc->clear();
            app.window.label(control::kComparisonTime).setText(elapsedSinceRequestStart(app.state));
        });
}

}  // namespace vd
