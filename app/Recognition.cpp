#include "app/Recognition.h"

#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "app/PlateOutline.h"
#include "app/RequestTiming.h"
#include "app/ServiceExchange.h"

namespace vd {

void showTextResult(App& app, const TextLines& result) {
    platform::Window& window = app.window;
    if (result.count == 0) {
        window.editBox(control::kRecognizedText).setText("未识别到任何信息");
        window.label(control::kStatus).setText("失败");
        return;
    }
    window.label(control::kStatus).setText("成功");
    window.tabControl(control::kResultTabs).setCurrentPage(0);
    Text text = window.editBox(control::kRecognizedText).text();
    for (const Text& line : result.lines) {
        text += line;
        text += "\r\n";
    }
    window.editBox(control::kRecognizedText).setText(text);
}

void showPlateResult(App& app, const PlateReading& plate) {
    platform::Window& window = app.window;
    window.tabControl(control::kResultTabs).setCurrentPage(1);
    window.label(control::kPlateNumber).setText(plate.number);
    window.label(control::kPlateRegion).setText(plate.region);
    window.label(control::kPlateColour).setText(plate.colour);
    showPlateOutline(window.pictureBox(control::kRecognitionPicture), plate.outline);
}

void showRecognitionOutcome(App& app, const RecognitionOutcome& outcome) {
    if (outcome.error) {
        app.window.editBox(control::kRecognizedText)
            .setText("错误！\r\n错误码：" + outcome.errorCode + "\r\n错误信息：" + outcome.errorMessage);
        app.window.label(control::kStatus).setText("失败");
        return;
    }
    if (outcome.text) showTextResult(app, *outcome.text);
    if (outcome.plate) showPlateResult(app, *outcome.plate);
}

void startRecognition(App& app) {
    AppState& state = app.state;
    platform::Window& window = app.window;
    noteRequestStart(state);
    if (window.pictureBox(control::kRecognitionPicture).picture().empty()) {
        showMessage("请打开图片后再识别");
        return;
    }
    if (!state.visionClient || !state.jsonDoc) return;

    Text url;
    if (window.radioButton(control::kTextChoice).checked()) url = state.visionClient->endpointUrl(kGeneralTextPath);
    if (window.radioButton(control::kPlateChoice).checked()) url = state.visionClient->endpointUrl(kLicensePlatePath);

    window.label(control::kStatus).setText("-");
    window.pictureBox(control::kRecognitionPicture).clearOutline();
    window.editBox(control::kRecognizedText).setText("");
    window.label(control::kPlateColour).setText("-");
    window.label(control::kPlateNumber).setText("-");
    window.label(control::kPlateRegion).setText("-");

    exchangeWithService(
        app,
        [picture = window.pictureBox(control::kRecognitionPicture).picture(), url](VisionApiClient& client) {
            return client.recognize(picture, url);
        },
        [&app](const Text& reply) {
            const RecognitionKinds kinds{app.window.radioButton(control::kTextChoice).checked(),
                                         app.window.radioButton(control::kPlateChoice).checked()};
            const RecognitionOutcome outcome = readRecognitionOutcome(*app.state.jsonDoc, reply, kinds);
            showRecognitionOutcome(app, outcome);
            if (outcome.error) return;
            app.state.jsonDoc->clear();
            app.window.label(control::kRecognitionTime).setText(elapsedSinceRequestStart(app.state));
        });
}

}  // namespace vd
