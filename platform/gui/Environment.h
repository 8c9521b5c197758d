#pragma once

#include <cstdint>
#include <filesystem>

// What the GUI run time tells about the machine and the user.
namespace vd::platform {

// Milliseconds since the system started, wrapping at 32 bits.
std::uint32_t tickCount();

// The user's desktop folder with a trailing '/'; empty when the platform cannot supply it.
std::filesystem::path desktopFolder();

}  // namespace vd::platform
