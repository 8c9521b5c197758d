#include "json/NumberText.h"

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

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int hexDigit(char c) {
    if (isDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// StrDecimalLiteral: [+-] (Infinity | digits [. digits] | . digits) [e [+-] digits]
bool isDecimalLiteral(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (text.substr(i) == "Infinity") return true;
    std::size_t intDigits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++intDigits;
    std::size_t fracDigits = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++fracDigits;
    }
    if (intDigits == 0 && fracDigits == 0) return false;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t expDigits = 0;
        while (i < text.size() && isDigit(text[i])) ++i, ++expDigits;
        if (expDigits == 0) return false;
    }
    return i == text.size();
}

}  // namespace

double ecmaStringToNumber(std::string_view utf8) {
    const std::string_view text = trimScriptSpace(utf8);
    if (text.empty()) return 0;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        double value = 0;
        for (char c : text.substr(2)) {
            const int digit = hexDigit(c);
            if (digit < 0) return std::numeric_limits<double>::quiet_NaN();
            value = value * 16 + digit;
        }
        return value;
    }
    if (!isDecimalLiteral(text)) return std::numeric_limits<double>::quiet_NaN();
    const bool negative = text[0] == '-';
    const std::string_view unsignedText = text.substr(text[0] == '+' || text[0] == '-' ? 1 : 0);
    if (unsignedText == "Infinity") {
        return negative ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    double value = 0;
    const auto result = std::from_chars(unsignedText.data(), unsignedText.data() + unsignedText.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        const bool tiny = unsignedText.find("e-") != std::string_view::npos ||
                          unsignedText.find("E-") != std::string_view::npos;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -value : value;
}

}  // namespace vd
