#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "common/Text.h"

// The values HttpClient reads from a response's raw header block (status line first, every line
// ended by CR LF).
namespace vd {

// Leading blanks and tabs skipped, an optional sign, then digits up to the first other
// character; 0 without digits; held within 32 bits.
std::int32_t leadingInteger(std::string_view text);

// The Content-Length header's value read as leadingInteger; -1 when there is none.
std::int32_t announcedContentLength(std::string_view rawHeaders);

// The Location header's value without leading and trailing blanks; empty when there is none.
Text locationHeaderValue(std::string_view rawHeaders);

// The cookie item of every Set-Cookie header, in order: the value up to and including its
// first ";", leading blanks removed. A value without ";" is taken up to its line end and a ";"
// is put after it, so that every item has the same form.
std::vector<Text> setCookieItems(std::string_view rawHeaders);

// The value of the cookie `name` as the raw text reads: "Set-Cookie: name=" (then without the
// blank) found anywhere, letter case aside, up to the next ";" wherever it stands. Empty when
// neither is found with a ";" after it.
Text literalSetCookieValue(std::string_view rawHeaders, const Text& name);

}  // namespace vd
