#pragma once

#include <filesystem>
#include <string>

#include "common/Text.h"

namespace vd::test {

// A fresh empty folder under the system's temporary folder, removed with the object.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Writes bytes to a file of the given UTF-8 name and returns its path.
    std::filesystem::path write(const std::u8string& name, const ByteArray& bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace vd::test
