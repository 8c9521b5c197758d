#pragma once

#include <string_view>

// A literal in a header, for the literal-bytes test: headers are compiled like sources.
inline constexpr std::string_view kHeaderLiteral = "人脸对比";
