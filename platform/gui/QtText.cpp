#include "platform/gui/QtText.h"

#include "platform/text/CodePage.h"

namespace vd::platform {

QString toQString(const Text& text) {
    const std::u16string wide = decodeToWide(text, kCodePageGbk);
    return QString::fromUtf16(wide.data(), static_cast<qsizetype>(wide.size()));
}

Text fromQString(const QString& text) {
    const std::u16string_view wide(reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size()));
    return encodeFromWide(wide, kCodePageGbk);
}

}  // namespace vd::platform
