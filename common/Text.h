#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vd {

// A text: GBK (code page 936) bytes. Lengths and positions count bytes; positions are 1-based.
using Text = std::string;

// A counted sequence of bytes: picture files, request and response bodies.
using ByteArray = std::vector<std::uint8_t>;

}  // namespace vd
