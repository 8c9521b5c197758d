#pragma once

#include <filesystem>

// What the GUI run time tells about the machine and the user.
namespace vd::platform {

// The user's desktop folder with a trailing '/'; empty when the platform cannot supply it.
std::filesystem::path desktopFolder();

}  // namespace vd::platform
