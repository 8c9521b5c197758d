#include "json/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

#include "json/Utf8.h"

namespace vd {

std::string ecmaNumberToString(double value) {
    if (std::isnan(value)) return "NaN";
    if (value == 0) return "0";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    std::string sign;
    if (value < 0) {
        sign = "-";
        value = -value;
    }

    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view scientific(buffer, static_cast<std::size_t>(result.ptr - buffer));
    const std::size_t e = scientific.find('e');
    std::string digits;
    for (char c : scientific.substr(0, e)) {
        if (c != '.') digits += c;
    }
    int exponent = 0;
    std::from_chars(scientific.data() + e + 1 + (scientific[e + 1] == '+' ? 1 : 0),
                    scientific.data() + scientific.size(), exponent);

    // value = 0.d1d2...dk * 10^n
    const int k = static_cast<int>(digits.size());
    const int n = exponent + 1;
    std::string out = sign;
    if (k <= n && n <= 21) {
        out += digits;
        out.append(static_cast<std::size_t>(n - k), '0');
    } else if (0 < n && n <= 21) {
        out += digits.substr(0, static_cast<std::size_t>(n));
        out += '.';
        out += digits.substr(static_cast<std::size_t>(n));
    } else if (-6 < n && n <= 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-n), '0');
        out += digits;
    } else {
        out += digits[0];
        if (k > 1) {
            out += '.';
            out += digits.substr(1);
        }
        out += 'e';
        out += n - 1 >= 0 ? '+' : '-';
        out += std::to_string(std::abs(n - 1));
    }
    return out;
}

std::string formatNumber13g(double value) {
    // As printf("%.13g") in the C locale, whatever the process locale is.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    return std::string(buffer, result.ptr);
}

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'z') return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
    return 99;
}

std::size_t countDigits(std::string_view text, std::size_t i) {
    const std::size_t from = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    return i - from;
}

// StrUnsignedDecimalLiteral: Infinity | digits [. [digits]] [exponent] | . digits [exponent]
bool isUnsignedDecimalLiteral(std::string_view text) {
    if (text == "Infinity") return true;
    std::size_t i = 0;
    const std::size_t intDigits = countDigits(text, i);
    i += intDigits;
    std::size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        fracDigits = countDigits(text, ++i);
        i += fracDigits;
    }
    if (intDigits == 0 && fracDigits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        const std::size_t expDigits = countDigits(text, i);
        if (expDigits == 0) return false;
        i += expDigits;
    }
    return i == text.size();
}

// A valid unsigned decimal literal that from_chars found out of range: it overflowed when its
// first significant digit stands at a positive power of ten, otherwise it underflowed.
double outOfRange(std::string_view text) {
    const std::size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return 0;
    // Position of the first significant digit relative to the point, saturated with the exponent.
    long long magnitude = first < point ? static_cast<long long>(point - first)
                                        : -static_cast<long long>(first - point - 1);
    if (e != std::string_view::npos) {
        std::string_view exponent = text.substr(e + 1);
        const bool negative = !exponent.empty() && exponent[0] == '-';
        if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) exponent.remove_prefix(1);
        long long value = 0;
        for (char c : exponent) value = std::min<long long>(value * 10 + (c - '0'), 1LL << 40);
        magnitude += negative ? -value : value;
    }
    return magnitude > 0 ? kInfinity : 0;
}

double decimalValue(std::string_view text) {
    if (text == "Infinity") return kInfinity;
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) return outOfRange(text);
    return result.ec == std::errc() && result.ptr == text.data() + text.size() ? value : kNaN;
}

// Digits of base 2, 8 or 16 after their prefix, rounded once to the nearest double.
double nonDecimalValue(std::string_view digits, int base) {
    if (digits.empty()) return kNaN;
    std::string hex;
    if (base == 16) {
        hex = std::string(digits);
    } else {
        const int bitsPerDigit = base == 2 ? 1 : 3;
        std::string bits;
        for (char c : digits) {
            for (int b = bitsPerDigit - 1; b >= 0; --b) bits += static_cast<char>('0' + ((digitValue(c) >> b) & 1));
        }
        bits.insert(0, (4 - bits.size() % 4) % 4, '0');
        static constexpr char kHexDigits[] = "0123456789abcdef";
        for (std::size_t i = 0; i < bits.size(); i += 4) {
            hex += kHexDigits[(bits[i] - '0') * 8 + (bits[i + 1] - '0') * 4 + (bits[i + 2] - '0') * 2 + (bits[i + 3] - '0')];
        }
    }
    for (char c : digits) {
        if (digitValue(c) >= base) return kNaN;
    }
    double value = 0;
    const auto result = std::from_chars(hex.data(), hex.data() + hex.size(), value, std::chars_format::hex);
    if (result.ec == std::errc::result_out_of_range) return kInfinity;
    return result.ec == std::errc() && result.ptr == hex.data() + hex.size() ? value : kNaN;
}

}  // namespace

double ecmaStringToNumber(std::string_view utf8) {
    const std::string_view text = trimScriptSpace(utf8);
    if (text.empty()) return 0;
    // NonDecimalIntegerLiteral: 0b, 0o or 0x and digits, without a sign.
    if (text.size() >= 2 && text[0] == '0') {
        switch (text[1]) {
        case 'b': case 'B': return nonDecimalValue(text.substr(2), 2);
        case 'o': case 'O': return nonDecimalValue(text.substr(2), 8);
        case 'x': case 'X': return nonDecimalValue(text.substr(2), 16);
        default: break;
        }
    }
    const bool negative = text[0] == '-';
    const std::string_view unsignedText = text.substr(text[0] == '+' || text[0] == '-' ? 1 : 0);
    if (!isUnsignedDecimalLiteral(unsignedText)) return kNaN;
    const double value = decimalValue(unsignedText);
    return negative ? -value : value;
}

}  // namespace vd
