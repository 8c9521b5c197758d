#include <algorithm>

#include "common/TextCut.h"

namespace vd {
namespace {

// A text's bytes counted as int; texts of 2 GiB and more are not held.
int sizeOf(std::string_view text) { return static_cast<int>(text.size()); }

}  // namespace

int textLength(std::string_view text) { return sizeOf(text); }

Text leftOfText(std::string_view text, int count) {
    if (count <= 0) return {};
    return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text rightOfText(std::string_view text, int count) {
    if (count <= 0) return {};
    const std::size_t n = std::min(text.size(), static_cast<std::size_t>(count));
    return Text(text.substr(text.size() - n));
}

Text middleOfText(std::string_view text, int start, int count) {
    if (start < 1 || start > sizeOf(text) || count <= 0) return {};
    return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

Text replaceTextAt(std::string_view text, int start, int count, std::string_view replacement) {
    const std::size_t at = static_cast<std::size_t>(std::clamp(start, 1, sizeOf(text) + 1)) - 1;
    const std::size_t removed = count <= 0 ? 0 : std::min(text.size() - at, static_cast<std::size_t>(count));
    Text out;
    out.reserve(text.size() - removed + replacement.size());
    out.append(text.substr(0, at));
    out.append(replacement);
    out.append(text.substr(at + removed));
    return out;
}

Text blankText(int count) {
    if (count < 1) return {};
    return Text(static_cast<std::size_t>(count), ' ');
}

Text charFromCode(int code) {
    const char byte = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
    if (byte == '\0') return {};
    return Text(1, byte);
}

int charCode(std::string_view text, int position) {
    if (position < 1 || position > sizeOf(text)) return 0;
    return static_cast<signed char>(text[static_cast<std::size_t>(position) - 1]);
}

}  // namespace vd
