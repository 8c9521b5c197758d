#pragma once

#include <QString>
#include <filesystem>

// Paths between Qt and the file system: the file system's own bytes, whatever their encoding.
namespace vd::platform {

QString fromNativePath(const std::filesystem::path& path);
std::filesystem::path toNativePath(const QString& path);

}  // namespace vd::platform
