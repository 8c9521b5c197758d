#include "platform/text/CodePageText.h"

#include <string>

#include "platform/text/CodePage.h"

namespace vd::platform {
namespace {

std::string_view upToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

Text gbkToUtf8(std::string_view text) { return gbkToUtf8Bytes(upToZero(text)); }

ByteArray textToWide(std::string_view text, int codePage) {
    text = upToZero(text);
    // A code page the converter lacks leaves the array sized for the text in GBK all zero bytes.
    if (!isSupportedCodePage(codePage)) {
        return ByteArray((decodeToWide(text, kCodePageGbk).size() + 1) * 2, 0);
    }
    // Sized for the code page converted with, so the units always fit.
    const std::u16string wide = decodeToWide(text, codePage);
    ByteArray out((wide.size() + 1) * 2, 0);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        out[2 * i] = static_cast<std::uint8_t>(wide[i] & 0xFF);
        out[2 * i + 1] = static_cast<std::uint8_t>(wide[i] >> 8);
    }
    return out;
}

Text wideToText(const ByteArray& utf16le, int codePage) {
    std::size_t units = 0;
    while (2 * units + 1 < utf16le.size() && (utf16le[2 * units] | utf16le[2 * units + 1]) != 0) ++units;
    std::u16string wide(units, u'\0');
    for (std::size_t i = 0; i < units; ++i) {
        wide[i] = static_cast<char16_t>(utf16le[2 * i] | utf16le[2 * i + 1] << 8);
    }
    // A code page the converter lacks gives twice the bytes the text needs in GBK, as spaces.
    if (!isSupportedCodePage(codePage)) {
        return Text((encodeFromWide(wide, kCodePageGbk).size() + 1) * 2, ' ');
    }
    const std::string bytes = encodeFromWide(wide, codePage);
    return Text(upToZero(bytes));
}

}  // namespace vd::platform
