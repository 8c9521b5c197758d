#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "common/Text.h"

// Searching in texts. Positions are 1-based and count bytes.
//
// Searching, replacing and splitting step over a double-byte GBK character (a byte of 0x80 or more
// and the byte after it) as one unit, so a match never starts on a character's second byte (a
// trail byte 0x5C is no backslash). Characters are counted from the start position of the search
// (from the text's beginning for the reverse search); after a match, counting restarts behind it.
// A match has to start on a character, not to end on one. A character GBK lacks, held in its
// four-byte GB18030 form (lead, digit, lead, digit), is one unit too, so no match starts on its
// second half.
// Ignoring case folds only single-byte ASCII letters A-Z / a-z; trail bytes compare exactly.
namespace vd {

// Position of the first occurrence at or after `start`, or -1. A start below 1 counts as 1, a
// start beyond the last byte gives -1; an empty `sought` gives 1 unless the text from the start
// on is empty (-1).
int findText(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);

// Position of the last occurrence that ends before `start` (in the whole text when `start` is
// omitted or lies beyond the text), or -1. A start of 1 or less, an empty text or an empty
// `sought` give -1. Overlapping occurrences count: the last one wins.
int findTextReverse(std::string_view text, std::string_view sought, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

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

}  // namespace vd
