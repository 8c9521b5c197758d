#include "vision/ServiceConfig.h"

namespace vd {

std::string_view visionApiHost() { return VD_VISION_API_HOST; }
std::string_view visionApiKey() { return VD_VISION_API_KEY; }
std::string_view visionSecretKey() { return VD_VISION_SECRET_KEY; }

}  // namespace vd
