#include <gtest/gtest.h>

#include "app/PlateOutline.h"
#include "json/JsonDocument.h"

namespace vd {
namespace {

TEST(PlateOutline, ReadsFourNumericCornersOrNothing) {
    struct Case {
        const char* name;
        const char* reply;
        bool found;
    } cases[] = {
        {"four points", R"({"words_result":{"vertexes_location":[{"x":195,"y":267},{"x":383.5,"y":270},{"x":382,"y":316},{"x":195,"y":-3}]}})", true},
        {"five points: the first four", R"({"words_result":{"vertexes_location":[{"x":195,"y":267},{"x":383.5,"y":270},{"x":382,"y":316},{"x":195,"y":-3},{"x":1,"y":1}]}})", true},
        {"three points", R"({"words_result":{"vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},{"x":382,"y":316}]}})", false},
        {"a text", R"({"words_result":{"vertexes_location":[{"x":"195","y":267},{"x":383,"y":270},{"x":382,"y":316},{"x":195,"y":313}]}})", false},
        {"null", R"({"words_result":{"vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},{"x":382,"y":null},{"x":195,"y":313}]}})", false},
        {"a hole", R"({"words_result":{"vertexes_location":[{"x":195,"y":267},{"x":383,"y":270},null,{"x":195,"y":313}]}})", false},
        {"an object", R"({"words_result":{"vertexes_location":{"0":{"x":1,"y":1},"1":{"x":1,"y":1},"2":{"x":1,"y":1},"3":{"x":1,"y":1}}}})", false},
        {"none", R"({"words_result":{"color":"blue"}})", false},
        {"not JSON", "vertexes_location", false},
        {"empty", "", false},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        JsonDocument reply;
        reply.parse(row.reply);
        const std::optional<PlateOutline> outline = readPlateOutline(reply);
        ASSERT_EQ(outline.has_value(), row.found);
        if (!outline) continue;
        const double expected[4][2] = {{195, 267}, {383.5, 270}, {382, 316}, {195, -3}};
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ((*outline)[k].x, expected[k][0]) << k;
            EXPECT_EQ((*outline)[k].y, expected[k][1]) << k;
        }
    }
}

}  // namespace
}  // namespace vd
