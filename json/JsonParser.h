#pragma once

#include <optional>
#include <string_view>

#include "json/JsonValue.h"

namespace vd {

// Reads one JSON text (RFC 8259, UTF-8) into a value: nothing else may surround it but JSON
// white space. A repeated member name keeps its first place and takes the last value. Texts
// that are not JSON, nest deeper than kJsonMaxDepth or hold a number beyond the double range
// give nullopt. Time is linear in the text's length.
std::optional<JsonValue> parseJson(std::string_view utf8);

}  // namespace vd
