#include "platform/system/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

namespace vd::platform {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

std::int64_t fileSize(const std::filesystem::path& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return -1;
    return static_cast<std::int64_t>(info.st_size);
}

ByteArray readFile(const std::filesystem::path& path) {
    return readFile(path, std::numeric_limits<std::int64_t>::max());
}

ByteArray readFile(const std::filesystem::path& path, std::int64_t maxBytes) {
    ByteArray bytes;
    if (path.empty() || maxBytes <= 0) return bytes;
    // O_NONBLOCK: opening a FIFO must not wait for a writer.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (file.get() < 0) return bytes;
    struct stat info {};
    if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) return bytes;

    const std::int64_t expected = std::min<std::int64_t>(maxBytes, info.st_size);
    bytes.reserve(static_cast<std::size_t>(std::max<std::int64_t>(expected, 0)));
    std::uint8_t chunk[65536];
    while (static_cast<std::int64_t>(bytes.size()) < maxBytes) {
        const auto wanted = static_cast<std::size_t>(
            std::min<std::int64_t>(sizeof chunk, maxBytes - static_cast<std::int64_t>(bytes.size())));
        const ssize_t got = ::read(file.get(), chunk, wanted);
        if (got < 0) {
            if (errno == EINTR) continue;
            return ByteArray{};
        }
        if (got == 0) break;
        bytes.insert(bytes.end(), chunk, chunk + got);
    }
    return bytes;
}

}  // namespace vd::platform
