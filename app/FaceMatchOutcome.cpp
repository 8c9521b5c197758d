#include "app/FaceMatchOutcome.h"

#include "app/FaceComparison.h"
#include "common/Numbers.h"

namespace vd {

FaceMatchOutcome readFaceMatchOutcome(AppState& state, const Text& reply) {
    readFaceMatchReply(state, reply);
    FaceMatchOutcome outcome;
    if (!state.lastReplyOk) {
        outcome.errorCode = state.lastErrorCode;
        outcome.errorDescription = state.lastErrorDescription;
        outcome.errorMessage = state.lastErrorMessage;
        return outcome;
    }
    outcome.ok = true;
    JsonDocument& doc = *state.jsonDoc;
    doc.parse(reply);
    const int score = textToInteger(doc.getDocument("result.score").toText());
    if (score >= 80) outcome.verdict = kSamePersonVerdict;
    if (score < 80) outcome.verdict = kNotSamePersonVerdict;
    outcome.score = doc.getDocument("result.score").toText();
    outcome.firstToken = doc.getText("result['face_list'][0]['face_token']");
    outcome.secondToken = doc.getText("result['face_list'][1]['face_token']");
    return outcome;
}

}  // namespace vd
