#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Text.h"

// The shared operations on texts and byte arrays. Positions are 1-based and count bytes.
//
// Searching, replacing and splitting step over a double-byte GBK character (a byte of 0x80 or more
// and the byte after it) as one unit, so a match never starts on a character's second byte (a
// trail byte 0x5C is no backslash). Characters are counted from the start position of the search
// (from the text's beginning for the reverse search); after a match, counting restarts behind it.
// A match has to start on a character, not to end on one. A character GBK lacks, held in its
// four-byte GB18030 form (lead, digit, lead, digit), is one unit too, so no match starts on its
// second half. Cutting counts plain bytes.
// Ignoring case folds only single-byte ASCII letters A-Z / a-z; trail bytes compare exactly.
namespace vd {

int textLength(std::string_view text);

// Position of the first occurrence at or after `start`, or -1. A start below 1 counts as 1, a
// start beyond the last byte gives -1; an empty `sought` gives 1 unless the text from the start
// on is empty (-1).
int findText(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);

// Position of the last occurrence that ends before `start` (in the whole text when `start` is
// omitted or lies beyond the text), or -1. A start of 1 or less, an empty text or an empty
// `sought` give -1. Overlapping occurrences count: the last one wins.
int findTextReverse(std::string_view text, std::string_view sought, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

// The first (last) min(count, length) bytes; empty when count <= 0.
Text leftOfText(std::string_view text, int count);
Text rightOfText(std::string_view text, int count);
// min(count, length - start + 1) bytes from `start`; empty when start < 1, start > length or count <= 0.
Text middleOfText(std::string_view text, int start, int count);
// `count` bytes at `start` replaced by `replacement`. A start below 1 counts as 1, beyond the end
// as the end; count <= 0 removes nothing, a count beyond the end removes up to the end.
Text replaceTextAt(std::string_view text, int start, int count, std::string_view replacement = {});

// Occurrences of `sought` from `start` on replaced left to right, without overlaps, at most
// `count` times (all when omitted). The text comes back unchanged when it or `sought` is empty,
// when start > length, or when count <= 0. A start below 1 counts as 1.
Text replaceSubtext(std::string_view text, std::string_view sought, std::string_view replacement = {},
                    int start = 1, std::optional<int> count = std::nullopt, bool caseSensitive = true);

// Pieces between separators: adjacent separators give empty pieces, a separator at the very end
// gives no empty last piece; at most `maxPieces` pieces (negative counts as 0), the rest dropped.
// The empty text or maxPieces 0 give no piece; an empty separator gives the whole text.
std::vector<Text> splitText(std::string_view text, std::string_view separator = ",",
                            std::optional<int> maxPieces = std::nullopt);

// Without leading (trimStart) or leading and trailing (trimBoth) spaces: the ASCII space and the
// full-width space A1 A1 when it is a whole character. Tabs and line breaks stay.
Text trimStart(std::string_view text);
Text trimBoth(std::string_view text);
// Single-byte ASCII letters changed; every other byte, trail bytes of characters included, kept.
Text toUpperCase(std::string_view text);
Text toLowerCase(std::string_view text);

// Full-width GBK forms (A3 A1..A3 FE, A1 A1) first turned into ASCII (0x21..0x7E, space); then
// leading white space, an optional sign and decimal digits up to the first other character
// ("96.5" gives 96, no digits give 0). Values beyond the int range are clamped to it.
int textToInteger(std::string_view text);
// Cut toward zero; NaN gives 0, values beyond the int range are clamped to it.
int textToInteger(double number);

// Integers as "%d", doubles as "%.13g".
Text numberToText(double number);
Text numberToText(int number);
Text numberToText(long long number);

// Upper-case hexadecimal digits without leading zeros; a negative value as the low 32 bits of its
// two's complement (-1 gives "FFFFFFFF").
Text hexText(long long number);

// The text's bytes (a zero byte inside included).
ByteArray textToBytes(std::string_view text);
// The bytes up to the first zero byte.
Text bytesToText(const ByteArray& bytes);
// `count` spaces or zero bytes; empty when count < 1.
Text blankText(int count);
ByteArray blankBytes(int count);
int bytesLength(const ByteArray& bytes);
// The one-byte text of the low 8 bits of `code` (-128..-1 name the bytes 0x80..0xFF); a zero
// byte ends a text, so code 0 gives the empty text.
Text charFromCode(int code);
// The byte at `position` as a signed value (-128..127); 0 outside the text.
int charCode(std::string_view text, int position = 1);

// The largest integer not above `number`; a positive number whose fractional part exceeds
// 0.999999999999 counts as the next integer first. NaN gives 0; values beyond the long long
// range are clamped to it.
long long floorToInteger(double number);

// Elapsed time between two readings of the 32-bit millisecond tick counter: the difference in
// unsigned 32-bit wrap-around arithmetic (never negative), divided by 1000.0, as "%.13g"
// followed by "秒".
Text elapsedTimeText(std::int32_t startTickMs, std::int32_t endTickMs);

}  // namespace vd
