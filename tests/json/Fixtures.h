#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "json/JsonDocument.h"

// Replies of the vision service and small documents the tests read. Narrow literals are GBK.
namespace vd::test {

inline constexpr std::string_view kFaceMatchReply =
    R"({"error_code":0,"error_msg":"SUCCESS","log_id":1345050766031247171,"timestamp":1556603124,"cached":0,)"
    R"("result":{"score":96.01836395,"face_list":[{"face_token":"807547e2f5ba96826c08b74420a2dca6"},)"
    R"({"face_token":"e8eb101fd7a1a6d82282d3f6969f39ec"}]}})";

inline constexpr std::string_view kFaceErrorReply =
    R"({"error_code":222202,"error_msg":"pic not has face","log_id":2659027871,"timestamp":1527231061,)"
    R"("cached":0,"result":null})";

inline constexpr std::string_view kTextReply =
    R"({"log_id":2471272194,"words_result_num":2,"words_result":[{"words":" TSINGTAO"},{"words":"青島睥酒"}]})";

inline constexpr std::string_view kPlateReply =
    R"({"log_id":3583925545,"words_result":{"color":"blue","number":"苏HS7766",)"
    R"("probability":[1,0.99999,0.99998,0.99997,0.99999,0.99998,0.99997],)"
    R"("vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},{"x":382,"y":316},{"x":195,"y":313}]}})";

// The pretty-printed form of a token reply, with blanks and line breaks between tokens.
inline constexpr std::string_view kPrettyTokenReply = "{\n  \"expires_in\": 2592000,\n  \"scope\": \"public brain_all_scope\"\n}\n";

// Numbers whose 13-digit and shortest forms differ.
inline constexpr std::string_view kScores =
    R"({"result":{"score":97.02147674560547},"tiny":0.30000000000000004,"almost":99.99999999999999,)"
    R"("half":97.5,"big":1e21,"small":1e-7,"flag":true,"off":false,"none":null,"empty":"","zero":0,)"
    R"("list":[10,20,30],"nested":{"a":[1,[2,3]],"b":{}}})";

// A document holding `text`, which must parse.
inline JsonDocument loaded(std::string_view text) {
    JsonDocument document;
    EXPECT_TRUE(document.parse(text)) << text;
    return document;
}

}  // namespace vd::test
