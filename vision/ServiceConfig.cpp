#include "vision/ServiceConfig.h"

#ifndef VD_VISION_TRUSTED_CA_FILE
#define VD_VISION_TRUSTED_CA_FILE ""
#endif

namespace vd {

std::string_view visionApiHost() { return VD_VISION_API_HOST; }
std::string_view visionApiKey() { return VD_VISION_API_KEY; }
std::string_view visionSecretKey() { return VD_VISION_SECRET_KEY; }
std::string_view visionTrustedCaFile() { return VD_VISION_TRUSTED_CA_FILE; }

}  // namespace vd
