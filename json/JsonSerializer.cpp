#include "json/JsonSerializer.h"

#include <cmath>

#include "json/NumberText.h"
#include "json/Utf8.h"

namespace vd {
namespace {

// The characters the stringify script writes as \u escapes, besides the short escapes.
bool needsUnicodeEscape(char32_t c) {
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xAD || (c >= 0x600 && c <= 0x604) || c == 0x70F ||
           c == 0x17B4 || c == 0x17B5 || (c >= 0x200C && c <= 0x200F) || (c >= 0x2028 && c <= 0x202F) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0xFEFF || (c >= 0xFFF0 && c <= 0xFFFF);
}

void appendNumber(std::string& out, double number) {
    if (std::isfinite(number)) {
        out += ecmaNumberToString(number);
    } else {
        out += "null";
    }
}

// Recursion is bounded by kJsonMaxDepth.
void appendJson(std::string& out, const JsonValue& value) {
    switch (value.kind()) {
    case JsonValue::Kind::Undefined:
    case JsonValue::Kind::Hole:
    case JsonValue::Kind::Null: out += "null"; break;
    case JsonValue::Kind::Boolean: out += value.booleanValue() ? "true" : "false"; break;
    case JsonValue::Kind::Number: appendNumber(out, value.numberValue()); break;
    case JsonValue::Kind::String: appendQuotedJsonString(out, value.stringValue()); break;
    case JsonValue::Kind::Array: {
        out += '[';
        bool first = true;
        value.arrayValue().forEachSlot([&](const JsonValue* element) {
            if (!first) out += ',';
            first = false;
            if (element == nullptr) {
                out += "null";
            } else {
                appendJson(out, *element);
            }
        });
        out += ']';
        break;
    }
    case JsonValue::Kind::Object: {
        out += '{';
        bool first = true;
        for (const JsonMember& member : value.objectValue().members()) {
            if (member.value.isUndefined()) continue;
            if (!first) out += ',';
            first = false;
            appendQuotedJsonString(out, member.name);
            out += ':';
            appendJson(out, member.value);
        }
        out += '}';
        break;
    }
    }
}

void appendDisplayText(std::string& out, const JsonValue& value) {
    switch (value.kind()) {
    case JsonValue::Kind::Undefined:
    case JsonValue::Kind::Hole:
    case JsonValue::Kind::Null: break;
    case JsonValue::Kind::Boolean: out += value.booleanValue() ? "true" : "false"; break;
    case JsonValue::Kind::Number: out += ecmaNumberToString(value.numberValue()); break;
    case JsonValue::Kind::String: out += value.stringValue(); break;
    case JsonValue::Kind::Array: {
        bool first = true;
        value.arrayValue().forEachSlot([&](const JsonValue* element) {
            if (!first) out += ',';
            first = false;
            if (element != nullptr) appendDisplayText(out, *element);
        });
        break;
    }
    case JsonValue::Kind::Object: out += "[object Object]"; break;
    }
}

}  // namespace

void appendQuotedJsonString(std::string& out, std::string_view utf8) {
    static constexpr char kHex[] = "0123456789abcdef";
    out += '"';
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        const std::size_t start = pos;
        char32_t c = 0;
        if (!readCodePoint(utf8, pos, c)) {
            out += utf8[start];
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; continue;
        case '\\': out += "\\\\"; continue;
        case '\b': out += "\\b"; continue;
        case '\t': out += "\\t"; continue;
        case '\n': out += "\\n"; continue;
        case '\f': out += "\\f"; continue;
        case '\r': out += "\\r"; continue;
        default: break;
        }
        if (needsUnicodeEscape(c)) {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(c >> shift) & 0xF];
        } else {
            out.append(utf8.substr(start, pos - start));
        }
    }
    out += '"';
}

std::optional<std::string> stringifyJson(const JsonValue& value) {
    if (value.isUndefined()) return std::nullopt;
    std::string out;
    appendJson(out, value);
    return out;
}

std::string scriptDisplayText(const JsonValue& value) {
    std::string out;
    appendDisplayText(out, value);
    return out;
}

}  // namespace vd
