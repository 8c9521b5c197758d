#include "platform/gui/LabelWidget.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFontMetricsF>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>
#include <cmath>

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

// QLabel lays its text out anew after a change of font or style, with its own wrap mode.
void LabelWidget::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    const QEvent::Type type = event->type();
    if (type == QEvent::FontChange || type == QEvent::ApplicationFontChange || type == QEvent::StyleChange) showText(text_);
}

void LabelWidget::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    keepLinePlace();
}

// Selectable text is laid out in a document whose line includes the font's leading and whose
// place QLabel rounds down, so the text would sit a pixel or two higher than in the other labels.
// A top or bottom margin moves it back to the baseline a drawn line has.
void LabelWidget::keepLinePlace() {
    if (wordWrap() || !textInteractionFlags().testFlag(Qt::TextSelectableByMouse) || height() <= 0) return;
    (void)sizeHint();
    const auto* document = findChild<QTextDocument*>();
    if (document == nullptr) return;
    const double laidHeight = document->documentLayout()->documentSize().height();
    const QFontMetricsF metrics(font());
    const long drawnBaseline = std::lround((height() - metrics.height()) / 2 + metrics.ascent());
    const auto laidBaseline = [&](int top, int bottom) {
        const double lineTop = top + std::max((height() - top - bottom - laidHeight) / 2, 0.0);
        return static_cast<long>(std::floor(lineTop)) + std::lround(metrics.ascent());
    };
    QMargins margins;
    for (int margin = 0; margin <= height(); ++margin) {
        if (laidBaseline(margin, 0) == drawnBaseline) {
            margins.setTop(margin);
            break;
        }
        if (laidBaseline(0, margin) == drawnBaseline) {
            margins.setBottom(margin);
            break;
        }
    }
    // Setting margins sends a resize event: only when they change.
    if (margins != contentsMargins()) setContentsMargins(margins);
}

void LabelWidget::showText(const Text& text) {
    QLabel::setText(shownFor(text, wordWrap()));
    keepLinePlace();
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
