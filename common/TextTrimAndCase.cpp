#include "common/TextTrimAndCase.h"

namespace vd {
namespace {

bool isLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// Bytes of the character at i: a lead byte and the byte after it, else one (a lone lead byte at
// the end included).
std::size_t characterSize(std::string_view text, std::size_t i) {
    return isLeadByte(text[i]) && i + 1 < text.size() ? 2 : 1;
}

bool isSpaceCharacter(std::string_view text, std::size_t i, std::size_t size) {
    if (size == 1) return text[i] == ' ';
    return text[i] == '\xA1' && text[i + 1] == '\xA1';
}

std::size_t leadingSpaces(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t size = characterSize(text, i);
        if (!isSpaceCharacter(text, i, size)) break;
        i += size;
    }
    return i;
}

template <char From, char To>
Text changeLetters(std::string_view text) {
    Text out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const char c = out[i];
        if (isLeadByte(c)) {
            ++i;  // the trail byte belongs to the character
        } else if (c >= From && c <= To) {
            out[i] = static_cast<char>(c ^ 0x20);
        }
    }
    return out;
}

}  // namespace

Text trimStart(std::string_view text) { return Text(text.substr(leadingSpaces(text))); }

Text trimBoth(std::string_view text) {
    const std::size_t begin = leadingSpaces(text);
    // Characters are only known walking forward: a trailing 0x20 or A1 A1 may be a trail byte.
    std::size_t end = begin;
    for (std::size_t i = begin; i < text.size();) {
        const std::size_t size = characterSize(text, i);
        if (!isSpaceCharacter(text, i, size)) end = i + size;
        i += size;
    }
    return Text(text.substr(begin, end - begin));
}

Text toUpperCase(std::string_view text) { return changeLetters<'a', 'z'>(text); }

Text toLowerCase(std::string_view text) { return changeLetters<'A', 'Z'>(text); }

}  // namespace vd
