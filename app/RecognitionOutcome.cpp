#include "app/RecognitionOutcome.h"

#include <algorithm>
#include <string>

#include "common/Numbers.h"
#include "common/TextCut.h"

namespace vd {
namespace {

TextLines readTextLines(const JsonDocument& doc) {
    TextLines result;
    const int count = textToInteger(doc.getText("words_result_num"));
    result.count = count;
    if (count == 0) return result;
    // A count beyond the array reads missing lines as empty ones, bounded so that the work stays
    // proportional to the reply.
    const long long carried = doc.memberCount("words_result");
    const long long lines = std::min<long long>(count, carried + kMaxMissingTextLines);
    for (long long k = 0; k < lines; ++k) result.lines.push_back(doc.getText("words_result[" + std::to_string(k) + "]['words']"));
    return result;
}

PlateReading readPlate(const JsonDocument& doc) {
    PlateReading plate;
    Text colour = doc.getText("words_result['color']");
    plate.number = doc.getText("words_result['number']");
    plate.region = leftOfText(doc.getText("words_result['number']"), 3);
    if (colour == "blue") colour = "蓝牌";
    if (colour == "green") colour = "绿牌(新能源)";
    if (colour == "yellow") colour = "黄牌";
    plate.colour = colour;
    plate.outline = readPlateOutline(doc);
    return plate;
}

}  // namespace

RecognitionOutcome readRecognitionOutcome(JsonDocument& doc, const Text& reply, RecognitionKinds kinds) {
    RecognitionOutcome outcome;
    doc.parse(reply);
    if (!doc.getText("error_code").empty()) {
        outcome.error = true;
        outcome.errorCode = doc.getText("error_code");
        outcome.errorMessage = doc.getText("error_msg");
        return outcome;
    }
    if (kinds.text) outcome.text = readTextLines(doc);
    if (kinds.plate) outcome.plate = readPlate(doc);
    return outcome;
}

}  // namespace vd
