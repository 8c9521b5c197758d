#include "tests/support/ScratchFolder.h"

#include <fstream>
#include <random>

namespace vd::test {

ScratchFolder::ScratchFolder() {
    std::random_device seed;
    path_ = std::filesystem::temp_directory_path() / ("vd-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(path_);
}

ScratchFolder::~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::filesystem::path ScratchFolder::write(const std::u8string& name, const ByteArray& bytes) const {
    const std::filesystem::path file = path_ / std::filesystem::path(name);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return file;
}

}  // namespace vd::test
