#pragma once

#include <string_view>

// The vision service's host and keys, fixed when the program is built (CMake cache variables
// VISION_API_HOST, VISION_API_KEY, VISION_SECRET_KEY). The demo variant compiles this file again
// with the host of its local stand-in and the stand-in's certificate authority.
namespace vd {

std::string_view visionApiHost();
std::string_view visionApiKey();
std::string_view visionSecretKey();
// A PEM file of certificate authorities trusted beside the system's, or empty (the program: none).
std::string_view visionTrustedCaFile();

}  // namespace vd
