#include "platform/gui/LabelWidget.h"

#include <QPainter>
#include <QTextOption>

#include "platform/gui/Fonts.h"
#include "platform/gui/QtText.h"

namespace vd::platform {

Qt::Alignment toQtAlignment(HorizontalAlignment alignment) {
    switch (alignment) {
        case HorizontalAlignment::Centre: return Qt::AlignHCenter;
        case HorizontalAlignment::Right: return Qt::AlignRight;
        case HorizontalAlignment::Left: break;
    }
    return Qt::AlignLeft;
}

QColor toQColor(Rgb colour) { return QColor(colour.red, colour.green, colour.blue); }

LabelWidget::LabelWidget(const ControlDescription& desc, QWidget* parent)
    : QWidget(parent), colour_(toQColor(desc.textColour)), alignment_(toQtAlignment(desc.alignment)), wrap_(desc.wrap) {
    if (!desc.font.face.empty() || desc.font.pixelSize > 0) setFont(fontFor(desc.font));
    text_ = desc.text;
    shown_ = toQString(text_);
}

void LabelWidget::setText(const Text& text) {
    text_ = text;
    shown_ = toQString(text);
    repaint();
}

void LabelWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(colour_);
    if (wrap_) {
        QTextOption option(alignment_ | Qt::AlignVCenter);
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        painter.drawText(QRectF(rect()), shown_, option);
    } else {
        painter.drawText(rect(), static_cast<int>(alignment_ | Qt::AlignVCenter) | Qt::TextSingleLine, shown_);
    }
}

}  // namespace vd::platform
