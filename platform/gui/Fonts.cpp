#include "platform/gui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "platform/gui/QtText.h"

namespace vd::platform {

namespace {

const QStringList& heiFamilies() {
    static const QStringList families{QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                                      QStringLiteral("Source Han Sans SC"), QStringLiteral("Droid Sans Fallback")};
    return families;
}

const QStringList& songFamilies() {
    static const QStringList families{QStringLiteral("AR PL UMing CN"), QStringLiteral("AR PL SungtiL GB"), QStringLiteral("Noto Serif CJK SC"),
                                      QStringLiteral("Source Han Serif SC"), QStringLiteral("WenQuanYi Zen Hei")};
    return families;
}

// Installed families first, in the order given; the rest stay as fallbacks for another machine.
QStringList installedFirst(const QStringList& wanted) {
    const QStringList installed = QFontDatabase::families();
    QStringList present;
    QStringList absent;
    for (const QString& family : wanted) (installed.contains(family, Qt::CaseInsensitive) ? present : absent).append(family);
    return present + absent;
}

QStringList familiesForFace(const Text& face) {
    if (face.empty() || face == "宋体") return songFamilies();
    if (face == "黑体") return heiFamilies();
    return QStringList{toQString(face)} + heiFamilies();
}

}  // namespace

QFont fontFor(const FontDescription& desc) {
    QFont font;
    font.setFamilies(installedFirst(familiesForFace(desc.face)));
    font.setPixelSize(desc.pixelSize > 0 ? desc.pixelSize : kDefaultFontPixelSize);
    font.setWeight(QFont::Normal);
    return font;
}

QFont defaultGuiFont() { return fontFor(FontDescription{}); }

}  // namespace vd::platform
