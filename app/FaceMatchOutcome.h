#pragma once

#include "app/AppState.h"
#include "common/Text.h"

namespace vd {

// What a face-match reply says, apart from how the window shows it.
struct FaceMatchOutcome {
    bool ok = false;  // error_code is exactly "0"
    // On failure: lastErrorCode, lastErrorDescription and lastErrorMessage.
    Text errorCode;
    Text errorDescription;
    Text errorMessage;
    // On success.
    Text verdict;  // by the score's whole-number part: 80 or more, or below
    Text score;    // the score in its JSON form
    Text firstToken;
    Text secondToken;
};

inline constexpr const char* kSamePersonVerdict = "两张图片一定是同一个人！";
inline constexpr const char* kNotSamePersonVerdict = "两张图片可能不是同一个人";

// Reads the reply through jsonDoc with readFaceMatchReply (which sets lastReplyOk and, on failure,
// the error texts) and, on success, loads it once more to read the score and the tokens. jsonDoc
// holds the reply afterwards.
FaceMatchOutcome readFaceMatchOutcome(AppState& state, const Text& reply);

}  // namespace vd
