#include "platform/text/UnicodeProperties.h"

#include <unicode/uchar.h>

namespace vd::platform {
namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kZeroWidthNonJoiner = 0x200C;
constexpr char32_t kZeroWidthJoiner = 0x200D;

bool hasProperty(char32_t c, UProperty property) {
    return c <= kMaxCodePoint && u_hasBinaryProperty(static_cast<UChar32>(c), property) != 0;
}

}  // namespace

bool isIdentifierStart(char32_t c) { return c == '$' || c == '_' || hasProperty(c, UCHAR_ID_START); }

bool isIdentifierPart(char32_t c) {
    return c == '$' || c == kZeroWidthNonJoiner || c == kZeroWidthJoiner || hasProperty(c, UCHAR_ID_CONTINUE);
}

}  // namespace vd::platform
