#pragma once

#include <optional>
#include <vector>

#include "common/Text.h"
#include "app/PlateOutline.h"
#include "json/JsonDocument.h"

namespace vd {

// At most this many empty lines are added when a reply counts more lines than it carries.
inline constexpr int kMaxMissingTextLines = 1000;

// General text: words_result_num as an integer (0 when it is not a number: nothing found) and the
// reply's lines in its order.
struct TextLines {
    int count = 0;
    std::vector<Text> lines;
};

// Licence plate: the colour as shown (蓝牌, 绿牌(新能源), 黄牌 or the word itself), the number and
// its first three bytes, the region code.
struct PlateReading {
    Text colour;
    Text number;
    Text region;
    std::optional<PlateOutline> outline;  // the plate's corners on the picture, when usable
};

// Which result routines run: the radio buttons checked after the reply.
struct RecognitionKinds {
    bool text = false;
    bool plate = false;
};

// What a recognition reply says, apart from how the window shows it.
struct RecognitionOutcome {
    bool error = false;  // the reply carries a non-empty error_code
    Text errorCode;
    Text errorMessage;
    std::optional<TextLines> text;      // when kinds.text
    std::optional<PlateReading> plate;  // when kinds.plate
};

// Loads the reply into `doc` and reads it; `doc` holds the reply afterwards.
RecognitionOutcome readRecognitionOutcome(JsonDocument& doc, const Text& reply, RecognitionKinds kinds);

}  // namespace vd
