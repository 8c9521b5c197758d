#include "platform/gui/LabelWidget.h"

#include <QTextDocument>
#include <QTextOption>

#include "platform/gui/Fonts.h"
#include "platform/gui/QtText.h"

namespace vd::platform {

namespace {

// One-line labels show line breaks as spaces, as a single drawn line would.
QString shownFor(const Text& text, bool wrap) {
    QString shown = toQString(text);
    if (!wrap) {
        shown.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        shown.replace(QLatin1Char('\r'), QLatin1Char(' '));
        shown.replace(QLatin1Char('\n'), QLatin1Char(' '));
    }
    return shown;
}

}  // namespace

Qt::Alignment toQtAlignment(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::Centre: return Qt::AlignHCenter;
        case HorizontalAlignment::Right: return Qt::AlignRight;
        case HorizontalAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

LabelWidget::LabelWidget(const ControlDescription& desc, QWidget* parent) : QLabel(parent), colour_(toQColor(desc.textColour)) {
    if (!desc.font.face.empty() || desc.font.pixelSize > 0) setFont(fontFor(desc.font));
    setTextFormat(Qt::PlainText);
    setAlignment(toQtAlignment(desc.alignment) | Qt::AlignVCenter);
    setWordWrap(desc.wrap);
    setMargin(0);
    setIndent(0);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, colour_);
    colours.setColor(QPalette::Text, colour_);
    setPalette(colours);
    setAutoFillBackground(false);
    if (desc.selectable) setTextInteractionFlags(Qt::TextSelectableByMouse);
    text_ = desc.text;
    showText(text_);
}

void LabelWidget::setText(const Text& text) {
    text_ = text;
    showText(text);
    repaint();
}

void LabelWidget::showText(const Text& text) {
    QLabel::setText(shownFor(text, wordWrap()));
    if (!wordWrap()) return;
    // QLabel wraps only at word boundaries and lets a long word (a face token) run out of the
    // label. Its selectable text lives in a document whose wrap mode it sets when it lays the new
    // text out; lay it out now, then let long words break anywhere.
    (void)sizeHint();
    for (auto* document : findChildren<QTextDocument*>()) {
        QTextOption option = document->defaultTextOption();
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        document->setDefaultTextOption(option);
    }
}

}  // namespace vd::platform
