#pragma once

#include <cstddef>

#include "common/Text.h"

namespace vd::test {

// `size` bytes that stand for a picture file: the same bytes for the same seed, no pattern that
// an encoder could take a short cut on.
ByteArray pictureOf(std::size_t size, unsigned seed = 7);

}  // namespace vd::test
