#pragma once

// The encoders' code paths, for tests that hold them against each other; callers use Encoding.h.

#include <string_view>
#include <vector>

#include "common/Text.h"

namespace vd {

enum class EncodingPath { plain, avx2 };

const char* encodingPathName(EncodingPath path);

// The paths this build has and this machine can run, the plain path first.
std::vector<EncodingPath> availableEncodingPaths();

// base64Encode and urlEncode through the given path; one not available gives the plain path.
Text base64EncodeWith(EncodingPath path, const ByteArray& bytes);
Text urlEncodeWith(EncodingPath path, std::string_view text, bool keepSafeCharacters, bool convertToUtf8);

}  // namespace vd
