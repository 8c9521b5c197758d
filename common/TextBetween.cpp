#include "common/TextBetween.h"

#include "common/TextCut.h"
#include "common/TextSearch.h"

namespace vd {

Text textBetween(std::string_view text, std::string_view left, std::string_view right,
                 const TextBetweenOptions& options) {
    const auto missing = [&]() { return options.wholeTextIfMissing ? Text(text) : Text(); };

    const int leftPos = findText(text, left, options.startPosition.value_or(1), options.ignoreCase);
    if (leftPos < 1) return missing();
    const int leftLength = textLength(left);
    const int rightPos = findText(text, right, leftPos + leftLength, options.ignoreCase);
    if (rightPos < 1 || rightPos <= leftPos) return missing();

    if (options.includeMarkers) return middleOfText(text, leftPos, rightPos + textLength(right) - leftPos);
    return middleOfText(text, leftPos + leftLength, rightPos - (leftPos + leftLength));
}

}  // namespace vd
