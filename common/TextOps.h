#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "common/Text.h"

// The shared operations on texts and byte arrays. Searching and replacing step over a double-byte
// GBK character (a byte of 0x80 or more and the byte after it) as one unit; cutting counts bytes.
// Ignoring case folds only ASCII A-Z / a-z.
namespace vd {

int textLength(std::string_view text);

// 1-based position of the first occurrence at or after `start`, or -1.
int findText(std::string_view text, std::string_view sought, int start = 1, bool ignoreCase = false);

// Position of the last occurrence that ends before `start` (whole text when omitted), or -1.
int findTextReverse(std::string_view text, std::string_view sought, std::optional<int> start = std::nullopt,
                    bool ignoreCase = false);

Text leftOfText(std::string_view text, int count);
Text rightOfText(std::string_view text, int count);
Text middleOfText(std::string_view text, int start, int count);
Text replaceTextAt(std::string_view text, int start, int count, std::string_view replacement = {});
Text replaceSubtext(std::string_view text, std::string_view sought, std::string_view replacement = {},
                    int start = 1, std::optional<int> count = std::nullopt, bool caseSensitive = true);
std::vector<Text> splitText(std::string_view text, std::string_view separator = ",",
                            std::optional<int> maxPieces = std::nullopt);

Text trimStart(std::string_view text);
Text trimBoth(std::string_view text);
Text toUpperCase(std::string_view text);
Text toLowerCase(std::string_view text);

int textToInteger(std::string_view text);
int textToInteger(double number);
Text numberToText(double number);
Text numberToText(int number);
Text numberToText(long long number);
Text hexText(long long number);

ByteArray textToBytes(std::string_view text);
Text bytesToText(const ByteArray& bytes);
Text blankText(int count);
ByteArray blankBytes(int count);
int bytesLength(const ByteArray& bytes);
Text charFromCode(int code);
int charCode(std::string_view text, int position = 1);
long long floorToInteger(double number);

// Elapsed time between two readings of the 32-bit millisecond tick counter, wrap-around safe,
// as "%.13g" seconds followed by "秒".
Text elapsedTimeText(std::int32_t startTickMs, std::int32_t endTickMs);

}  // namespace vd
