#include "json/JsonPath.h"

#include <array>
#include <charconv>
#include <limits>
#include <system_error>

#include "json/NumberText.h"
#include "json/Utf8.h"
#include "platform/text/UnicodeProperties.h"

namespace vd {
namespace {

// The script language's reserved words, which cannot follow "." or start a path.
constexpr std::array<std::string_view, 36> kReservedWords = {
    "break",  "case",       "catch",  "class", "const",  "continue", "debugger", "default", "delete",
    "do",     "else",       "enum",   "export", "extends", "false",   "finally",  "for",     "function",
    "if",     "import",     "in",     "instanceof", "new", "null",    "return",   "super",   "switch",
    "this",   "throw",      "true",   "try",    "typeof", "var",      "void",     "while",   "with"};

bool isReservedWord(std::string_view name) {
    for (std::string_view word : kReservedWords) {
        if (word == name) return true;
    }
    return false;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class StepParser {
public:
    explicit StepParser(std::string_view text) : text_(text) {}

    std::optional<std::vector<std::string>> run() {
        std::vector<std::string> steps;
        skipSpace();
        while (pos_ < text_.size()) {
            std::optional<std::string> step;
            if (text_[pos_] == '.') {
                ++pos_;
                skipSpace();
                step = identifier();
            } else if (text_[pos_] == '[') {
                ++pos_;
                step = bracketed();
            }
            if (!step) return std::nullopt;
            steps.push_back(std::move(*step));
            skipSpace();
        }
        return steps;
    }

private:
    bool peekCodePoint(char32_t& c, std::size_t& next) const {
        next = pos_;
        return pos_ < text_.size() && readCodePoint(text_, next, c);
    }

    void skipSpace() {
        char32_t c = 0;
        std::size_t next = 0;
        while (pos_ < text_.size()) {
            const unsigned char byte = static_cast<unsigned char>(text_[pos_]);
            if (byte < 0x80 && byte != ' ' && (byte < '\t' || byte > '\r')) return;
            if (!peekCodePoint(c, next) || !isScriptSpace(c)) return;
            pos_ = next;
        }
    }

    // An IdentifierName: ID_Start, "$" or "_", then ID_Continue, "$", ZWNJ or ZWJ; any of them
    // may be written as a \uXXXX or \u{...} escape, which stands for the character itself.
    std::optional<std::string> identifier() {
        std::string name;
        bool first = true;
        while (pos_ < text_.size()) {
            char32_t c = 0;
            std::size_t next = pos_;
            const bool escaped = text_[pos_] == '\\';
            if (escaped) {
                if (!identifierEscape(next, c)) return std::nullopt;
            } else if (!readCodePoint(text_, next, c)) {
                break;
            }
            const bool accepted = first ? platform::isIdentifierStart(c) : platform::isIdentifierPart(c);
            if (!accepted) {
                if (escaped) return std::nullopt;
                break;
            }
            appendCodePoint(name, c);
            pos_ = next;
            first = false;
        }
        if (first || isReservedWord(name)) return std::nullopt;
        return name;
    }

    // At a backslash: "u" and four hexadecimal digits, or "u{", up to 10FFFF in hexadecimal, "}".
    bool identifierEscape(std::size_t& pos, char32_t& c) const {
        if (text_.substr(pos, 2) != "\\u") return false;
        pos += 2;
        if (pos < text_.size() && text_[pos] == '{') {
            c = 0;
            std::size_t digits = 0;
            for (++pos; pos < text_.size() && text_[pos] != '}'; ++pos, ++digits) {
                const int digit = hexValue(text_[pos]);
                if (digit < 0) return false;
                c = c * 16 + static_cast<char32_t>(digit);
                if (c > 0x10FFFF) return false;
            }
            if (digits == 0 || pos >= text_.size()) return false;
            ++pos;
            return true;
        }
        if (pos + 4 > text_.size()) return false;
        c = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const int digit = hexValue(text_[pos + i]);
            if (digit < 0) return false;
            c = c * 16 + static_cast<char32_t>(digit);
        }
        pos += 4;
        return true;
    }

    // After "[": a quoted name or an optionally negated decimal index, then "]".
    std::optional<std::string> bracketed() {
        skipSpace();
        if (pos_ >= text_.size()) return std::nullopt;
        std::optional<std::string> name;
        if (text_[pos_] == '\'' || text_[pos_] == '"') {
            name = quoted(text_[pos_]);
        } else {
            name = index();
        }
        skipSpace();
        if (!name || pos_ >= text_.size() || text_[pos_] != ']') return std::nullopt;
        ++pos_;
        return name;
    }

    std::optional<std::string> index() {
        bool negative = false;
        if (text_[pos_] == '-') {
            negative = true;
            ++pos_;
            skipSpace();
        }
        const std::size_t start = pos_;
        while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') ++pos_;
        const std::string_view digits = text_.substr(start, pos_ - start);
        if (digits.empty()) return std::nullopt;
        // A leading zero makes an octal literal in the script when every digit allows it.
        bool octal = digits.size() > 1 && digits[0] == '0';
        for (char d : digits) octal = octal && d <= '7';
        // Up to 15 digits without a leading zero are already the property name.
        if (!negative && digits.size() <= 15 && (digits.size() == 1 || digits[0] != '0')) return std::string(digits);
        double value = 0;
        if (octal) {
            for (char d : digits) value = value * 8 + (d - '0');
        } else {
            const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
            if (result.ec == std::errc::result_out_of_range) value = std::numeric_limits<double>::infinity();
        }
        return ecmaNumberToString(negative ? -value : value);
    }

    std::optional<std::string> quoted(char quote) {
        ++pos_;
        std::string name;
        while (pos_ < text_.size()) {
            char32_t c = 0;
            const std::size_t start = pos_;
            if (!readCodePoint(text_, pos_, c) || isScriptLineTerminator(c)) return std::nullopt;
            if (c == static_cast<unsigned char>(quote)) return name;
            if (c != '\\') {
                name.append(text_.substr(start, pos_ - start));
                continue;
            }
            if (!escape(name)) return std::nullopt;
        }
        return std::nullopt;
    }

    bool hexUnits(std::size_t count, char32_t& value) {
        if (pos_ + count > text_.size()) return false;
        value = 0;
        for (std::size_t i = 0; i < count; ++i) {
            const int digit = hexValue(text_[pos_ + i]);
            if (digit < 0) return false;
            value = value * 16 + static_cast<char32_t>(digit);
        }
        pos_ += count;
        return true;
    }

    // After a backslash inside a quoted name.
    bool escape(std::string& name) {
        char32_t c = 0;
        const std::size_t start = pos_;
        if (pos_ >= text_.size() || !readCodePoint(text_, pos_, c)) return false;
        if (isScriptLineTerminator(c)) {
            if (c == '\r' && pos_ < text_.size() && text_[pos_] == '\n') ++pos_;
            return true;
        }
        switch (c) {
        case 'b': name += '\b'; return true;
        case 't': name += '\t'; return true;
        case 'n': name += '\n'; return true;
        case 'v': name += '\v'; return true;
        case 'f': name += '\f'; return true;
        case 'r': name += '\r'; return true;
        case 'x': {
            char32_t value = 0;
            if (!hexUnits(2, value)) return false;
            appendCodePoint(name, value);
            return true;
        }
        case 'u': {
            char32_t unit = 0;
            if (!hexUnits(4, unit)) return false;
            if (unit >= 0xDC00 && unit <= 0xDFFF) return false;
            if (unit >= 0xD800 && unit <= 0xDBFF) {
                char32_t low = 0;
                if (text_.substr(pos_, 2) != "\\u") return false;
                pos_ += 2;
                if (!hexUnits(4, low) || low < 0xDC00 || low > 0xDFFF) return false;
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            }
            appendCodePoint(name, unit);
            return true;
        }
        default: break;
        }
        if (c >= '0' && c <= '7') {
            // Octal escape: up to three digits, at most \377.
            char32_t value = c - '0';
            const std::size_t maxDigits = c <= '3' ? 3 : 2;
            for (std::size_t n = 1; n < maxDigits && pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '7';
                 ++n) {
                value = value * 8 + static_cast<char32_t>(text_[pos_++] - '0');
            }
            appendCodePoint(name, value);
            return true;
        }
        name.append(text_.substr(start, pos_ - start));
        return true;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// The value in the tree that the steps name, or nullptr when there is none there.
JsonValue* findMutable(JsonValue& root, const std::vector<std::string>& steps, std::size_t count) {
    JsonValue* current = &root;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = steps[i];
        if (current->isObject()) {
            current = current->objectValue().find(name);
        } else if (current->isArray()) {
            const std::optional<std::size_t> index = arrayIndexOf(name);
            current = index ? current->arrayValue().at(*index) : nullptr;
        } else {
            current = nullptr;
        }
        if (current == nullptr) return nullptr;
    }
    return current;
}

}  // namespace

std::optional<std::vector<std::string>> parseMemberSteps(std::string_view utf8Suffix) {
    return StepParser(utf8Suffix).run();
}

JsonValue* findAtSteps(JsonValue& root, const std::vector<std::string>& steps) {
    return findMutable(root, steps, steps.size());
}

std::string indexStepName(long long index) { return std::to_string(index); }

PathTarget PathTarget::ofNumber(double number) {
    PathTarget target(Status::Value, nullptr);
    target.own_ = JsonValue::number(number);
    return target;
}

std::optional<std::size_t> arrayIndexOf(std::string_view name) {
    if (name.empty() || name.size() > 10 || (name.size() > 1 && name[0] == '0')) return std::nullopt;
    std::uint64_t value = 0;
    for (char c : name) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    if (value >= 0xFFFFFFFFull) return std::nullopt;
    return static_cast<std::size_t>(value);
}

PathTarget resolveSteps(const JsonValue& root, const std::vector<std::string>& steps) {
    const JsonValue* current = &root;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (current == nullptr || current->isNullish()) return PathTarget::failed();
        const std::string& name = steps[i];
        const JsonValue* next = nullptr;
        std::optional<double> length;
        switch (current->kind()) {
        case JsonValue::Kind::Object: next = current->objectValue().find(name); break;
        case JsonValue::Kind::Array: {
            const JsonArray& elements = current->arrayValue();
            if (name == "length") {
                length = static_cast<double>(elements.size());
            } else if (const auto index = arrayIndexOf(name)) {
                next = elements.at(*index);
            }
            break;
        }
        case JsonValue::Kind::String:
            if (name == "length") length = static_cast<double>(utf16Length(current->stringValue()));
            break;
        default: break;
        }
        if (length) {
            // A number: any further member of it is undefined, and a member of that fails.
            if (i + 1 == steps.size()) return PathTarget::ofNumber(*length);
            return i + 2 == steps.size() ? PathTarget::undefined() : PathTarget::failed();
        }
        current = next;
    }
    if (current == nullptr) return PathTarget::undefined();
    return PathTarget::of(*current);
}

bool assignAtSteps(JsonValue& root, const std::vector<std::string>& steps, JsonValue value) {
    if (steps.empty()) return false;
    const std::size_t parentSteps = steps.size() - 1;
    if (static_cast<long long>(steps.size()) + value.depth() > kJsonMaxDepth) return false;
    JsonValue* parent = findMutable(root, steps, parentSteps);
    if (parent == nullptr) return false;
    const std::string& name = steps.back();
    if (parent->isObject()) {
        parent->objectValue().set(name, std::move(value));
        return true;
    }
    if (!parent->isArray()) return false;
    const std::optional<std::size_t> index = arrayIndexOf(name);
    JsonArray& elements = parent->arrayValue();
    if (!index || (*index > elements.size() && *index - elements.size() > kJsonMaxArrayGap)) return false;
    elements.set(*index, std::move(value));
    return true;
}

}  // namespace vd
