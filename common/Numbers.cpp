#include <algorithm>
#include <cmath>
#include <charconv>
#include <limits>

#include "common/Numbers.h"

namespace vd {
namespace {

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

// Reads a text as half-width characters: A3 A1..A3 FE become 0x21..0x7E and A1 A1 a space.
class HalfWidthReader {
public:
    explicit HalfWidthReader(std::string_view text) : text_(text) {}

    // The next character as a byte; a double-byte character without a half-width form gives 0x80.
    // 0 at the end.
    unsigned char peek() const {
        if (pos_ >= text_.size()) return 0;
        const auto lead = static_cast<unsigned char>(text_[pos_]);
        if (lead < 0x80) return lead;
        if (pos_ + 1 >= text_.size()) return 0x80;
        const auto trail = static_cast<unsigned char>(text_[pos_ + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<unsigned char>(trail - 0x80);
        if (lead == 0xA1 && trail == 0xA1) return ' ';
        return 0x80;
    }

    void advance() { pos_ += static_cast<unsigned char>(text_[pos_]) >= 0x80 ? 2 : 1; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
};

bool isWhiteSpace(unsigned char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Formatting as printf's "%d" and "%.13g" would in the C locale, whatever locale the GUI run time set.
template <typename... Format>
Text formatted(auto value, Format... format) {
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, format...);
    return result.ec == std::errc() ? Text(buffer, result.ptr) : Text();
}

}  // namespace

int textToInteger(std::string_view text) {
    HalfWidthReader reader(text);
    while (isWhiteSpace(reader.peek())) reader.advance();
    bool negative = false;
    if (reader.peek() == '+' || reader.peek() == '-') {
        negative = reader.peek() == '-';
        reader.advance();
    }
    // Accumulated as a magnitude up to one past the int range, then clamped.
    constexpr long long kLimit = static_cast<long long>(kIntMax) + 1;
    long long magnitude = 0;
    for (unsigned char c = reader.peek(); c >= '0' && c <= '9'; c = reader.peek()) {
        magnitude = std::min(kLimit, magnitude * 10 + (c - '0'));
        reader.advance();
    }
    const long long value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<long long>(value, kIntMin, kIntMax));
}

int textToInteger(double number) {
    if (std::isnan(number)) return 0;
    if (number >= static_cast<double>(kIntMax)) return kIntMax;
    if (number <= static_cast<double>(kIntMin)) return kIntMin;
    return static_cast<int>(number);
}

Text numberToText(double number) { return formatted(number, std::chars_format::general, 13); }

Text numberToText(int number) { return formatted(number); }

Text numberToText(long long number) { return formatted(number); }

Text hexText(long long number) {
    const unsigned long long bits = number < 0 ? static_cast<unsigned long long>(number) & 0xFFFFFFFFULL
                                               : static_cast<unsigned long long>(number);
    Text digits = formatted(bits, 16);
    for (char& c : digits) {
        if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
    }
    return digits;
}

long long floorToInteger(double number) {
    if (std::isnan(number)) return 0;
    // 2^63 is exact as a double; every double below it converts.
    constexpr double kBound = 9223372036854775808.0;
    if (number >= kBound) return std::numeric_limits<long long>::max();
    if (number < -kBound) return std::numeric_limits<long long>::min();
    double whole = std::floor(number);
    if (number > 0 && number - whole > 0.999999999999) whole += 1;
    if (whole >= kBound) return std::numeric_limits<long long>::max();
    return static_cast<long long>(whole);
}

}  // namespace vd
