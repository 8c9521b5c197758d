#pragma once

#include <cstdint>
#include <filesystem>

#include "common/Text.h"

// Files opened by their path exactly as the platform gives it (file-system bytes, any name).
namespace vd::platform {

// Full 64-bit size of a regular file; -1 when there is none at the path.
std::int64_t fileSize(const std::filesystem::path& path);

// The whole file; empty when the path is empty or the file cannot be read.
ByteArray readFile(const std::filesystem::path& path);

// At most maxBytes bytes from the start of the file (nothing when maxBytes <= 0).
ByteArray readFile(const std::filesystem::path& path, std::int64_t maxBytes);

}  // namespace vd::platform
