#include "app/PlateOutline.h"

#include <cmath>
#include <string>

namespace vd {

std::optional<PlateOutline> readPlateOutline(const JsonDocument& reply) {
    const std::string points = "words_result['vertexes_location']";
    if (reply.typeOf(points) != JsonDocument::kTypeArray || reply.memberCount(points) < 4) return std::nullopt;
    PlateOutline outline;
    for (std::size_t k = 0; k < outline.size(); ++k) {
        const std::string point = points + "[" + std::to_string(k) + "]";
        for (auto [axis, target] : {std::pair{"['x']", &outline[k].x}, std::pair{"['y']", &outline[k].y}}) {
            if (reply.typeOf(point + axis) != JsonDocument::kTypeNumber) return std::nullopt;
            *target = reply.getNumber(point + axis);
            if (!std::isfinite(*target)) return std::nullopt;
        }
    }
    return outline;
}

void showPlateOutline(const platform::PictureBox& box, const std::optional<PlateOutline>& outline) {
    if (!outline) {
        box.clearOutline();
        return;
    }
    box.setOutline({outline->begin(), outline->end()});
}

}  // namespace vd
