#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// UTF-8 helpers for the document's strings and paths.
namespace vd {

// Reads the code point at `pos` and moves past it. An invalid or truncated sequence yields
// false and moves one byte on.
bool readCodePoint(std::string_view utf8, std::size_t& pos, char32_t& codePoint);
void appendCodePoint(std::string& utf8, char32_t codePoint);

// Line terminators and white space of the script language.
bool isScriptLineTerminator(char32_t c);
bool isScriptSpace(char32_t c);
std::string_view trimScriptSpace(std::string_view utf8);

// Length in UTF-16 code units, as the script counts a string's length.
std::size_t utf16Length(std::string_view utf8);

}  // namespace vd
