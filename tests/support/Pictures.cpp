#include "tests/support/Pictures.h"

namespace vd::test {

ByteArray pictureOf(std::size_t size, unsigned seed) {
    ByteArray bytes(size);
    unsigned state = seed;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

}  // namespace vd::test
