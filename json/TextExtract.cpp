#include "json/TextExtract.h"

#include "common/TextOps.h"

namespace vd {
namespace {

// "#引号" as GBK bytes, whatever the compiler's execution character set.
constexpr std::string_view kQuoteMarker = "#\xD2\xFD\xBA\xC5";

}  // namespace

Text extractBefore(std::string_view text, std::string_view delimiter, bool includeDelimiter, bool wholeIfMissing,
                   bool ignoreCase) {
    if (delimiter.empty()) return Text(text);
    const int position = findText(text, delimiter, 1, ignoreCase);
    if (position <= 1) return wholeIfMissing ? Text(text) : Text();
    const std::size_t length = static_cast<std::size_t>(position - 1) + (includeDelimiter ? delimiter.size() : 0);
    return Text(text.substr(0, length));
}

Text extractBetween(std::string_view text, std::string_view opening, std::string_view closing, int start,
                    bool ignoreCase) {
    const Text open = replaceSubtext(opening, kQuoteMarker, "\"");
    const Text close = replaceSubtext(closing, kQuoteMarker, "\"");
    const int openAt = findText(text, open, start < 1 ? 1 : start, ignoreCase);
    if (openAt < 1) return {};
    const int contentAt = openAt + static_cast<int>(open.size());
    const int closeAt = findText(text, close, contentAt, ignoreCase);
    if (closeAt < contentAt) return {};
    return Text(text.substr(static_cast<std::size_t>(contentAt - 1), static_cast<std::size_t>(closeAt - contentAt)));
}

}  // namespace vd
