#include "vision/CodePageText.h"

#include <string>

#include "platform/text/CodePage.h"

namespace vd {
namespace {

std::string_view upToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

Text gbkToUtf8(std::string_view text) { return platform::gbkToUtf8Bytes(upToZero(text)); }

ByteArray textToWide(std::string_view text, int codePage) {
    // Sized for the code page converted with, so the units always fit.
    const std::u16string wide = platform::decodeToWide(upToZero(text), codePage);
    ByteArray out((wide.size() + 1) * 2, 0);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        out[2 * i] = static_cast<std::uint8_t>(wide[i] & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(wide[i] >> 8);
    }
    return out;
}

Text wideToText(const ByteArray& utf16le, int codePage) {
    std::u16string wide;
    wide.reserve(utf16le.size() / 2);
    for (std::size_t i = 0; i + 1 < utf16le.size(); i += 2) {
        const auto unit = static_cast<char16_t>(utf16le[i] | utf16le[i + 1] << 8);
        if (unit == u'\0') break;
        wide.push_back(unit);
    }
    const std::string bytes = platform::encodeFromWide(wide, codePage);
    return Text(upToZero(bytes));
}

}  // namespace vd
