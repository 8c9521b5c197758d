#include "json/TextExtract.h"

#include "common/TextBetween.h"
#include "common/TextSearch.h"

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
    return textBetween(text, replaceSubtext(opening, kQuoteMarker, "\""), replaceSubtext(closing, kQuoteMarker, "\""),
                       {.startPosition = start, .ignoreCase = ignoreCase});
}

}  // namespace vd
