#include "http/ResponseHeaderValues.h"

#include <algorithm>
#include <climits>
#include <optional>

#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "common/TextTrimAndCase.h"
#include "http/HeaderBlock.h"

namespace vd {

std::int32_t leadingInteger(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::int32_t announcedContentLength(std::string_view rawHeaders) {
    const std::optional<std::string_view> value = HeaderBlock(rawHeaders).value("Content-Length");
    return value ? leadingInteger(*value) : -1;
}

Text locationHeaderValue(std::string_view rawHeaders) {
    const std::optional<std::string_view> value = HeaderBlock(rawHeaders).value("Location");
    return value ? trimBoth(*value) : Text();
}

std::vector<Text> setCookieItems(std::string_view rawHeaders) {
    std::vector<Text> items;
    for (std::string_view value : HeaderBlock(rawHeaders).values("Set-Cookie")) {
        const std::size_t semicolon = value.find(';');
        items.push_back(semicolon == std::string_view::npos ? trimStart(value) + ";"
                                                            : trimStart(value.substr(0, semicolon + 1)));
    }
    return items;
}

// Kept literal: this lookup is defined on the raw text, not on header lines.
Text literalSetCookieValue(std::string_view rawHeaders, const Text& name) {
    for (const Text& sought : {"Set-Cookie: " + name + "=", "Set-Cookie:" + name + "="}) {
        const int found = findText(rawHeaders, sought, 1, true);
        if (found == -1) continue;
        const int start = found + textLength(sought);
        const int semicolon = findText(rawHeaders, ";", start);
        if (semicolon != -1) return middleOfText(rawHeaders, start, semicolon - start);
    }
    return {};
}

}  // namespace vd
