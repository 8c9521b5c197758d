#pragma once

#include <filesystem>

#include "common/Text.h"

namespace vd::platform {

// The path as text, for showing it; characters outside GBK read as '?'.
Text pathText(const std::filesystem::path& path);

}  // namespace vd::platform
