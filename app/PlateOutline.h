#pragma once

#include <array>
#include <optional>

#include "json/JsonDocument.h"
#include "platform/gui/Controls.h"

namespace vd {

using PlateOutline = std::array<platform::PicturePoint, 4>;

// The plate's four corners from a loaded plate reply ("words_result.vertexes_location", points in
// the picture's pixels); nothing when there are fewer than four or a coordinate is not a number.
std::optional<PlateOutline> readPlateOutline(const JsonDocument& reply);

// Draws the outline on the picture box, or removes it when there is none.
void showPlateOutline(const platform::PictureBox& box, const std::optional<PlateOutline>& outline);

}  // namespace vd
