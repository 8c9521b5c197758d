#pragma once

#include <string_view>

// The vision service's host and keys, fixed when the program is built (CMake cache variables
// VISION_API_HOST, VISION_API_KEY, VISION_SECRET_KEY).
namespace vd {

std::string_view visionApiHost();
std::string_view visionApiKey();
std::string_view visionSecretKey();

}  // namespace vd
