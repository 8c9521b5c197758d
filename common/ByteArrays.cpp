#include <cstring>

#include "common/ByteArrays.h"

namespace vd {

ByteArray textToBytes(std::string_view text) { return ByteArray(text.begin(), text.end()); }

Text bytesToText(const ByteArray& bytes) {
    if (bytes.empty()) return {};
    const void* zero = std::memchr(bytes.data(), 0, bytes.size());
    const std::size_t n = zero ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes.data())
                               : bytes.size();
    return Text(reinterpret_cast<const char*>(bytes.data()), n);
}

ByteArray blankBytes(int count) {
    if (count < 1) return {};
    return ByteArray(static_cast<std::size_t>(count), 0);
}

int bytesLength(const ByteArray& bytes) { return static_cast<int>(bytes.size()); }

}  // namespace vd
