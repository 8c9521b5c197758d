#include "platform/gui/ShapeBoxWidget.h"

#include <QPainter>
#include <algorithm>

#include "platform/gui/QtText.h"

namespace vd::platform {

ShapeBoxWidget::ShapeBoxWidget(const ControlDescription& desc, QWidget* parent)
    : QWidget(parent),
      rgbValue_(static_cast<std::uint32_t>(desc.background.red) | static_cast<std::uint32_t>(desc.background.green) << 8 |
                static_cast<std::uint32_t>(desc.background.blue) << 16),
      meanings_(desc.fillMeanings) {
    setAccessibleName(toQString(desc.name));
    describe();
}

void ShapeBoxWidget::setFillColour(std::uint32_t rgbValue) {
    rgbValue_ = rgbValue & 0xFFFFFFU;
    describe();
    repaint();
}

void ShapeBoxWidget::describe() {
    Text meaning;
    for (const auto& [colour, words] : meanings_)
        if (colour == rgbValue_) meaning = words;
    setAccessibleDescription(toQString(meaning));
}

QColor ShapeBoxWidget::fill() const {
    return QColor(static_cast<int>(rgbValue_ & 0xFFU), static_cast<int>(rgbValue_ >> 8 & 0xFFU),
                  static_cast<int>(rgbValue_ >> 16 & 0xFFU));
}

void ShapeBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill());
    const int diameter = std::min(width(), height()) - 1;
    painter.drawEllipse(QRectF((width() - diameter) / 2.0, (height() - diameter) / 2.0, diameter, diameter));
}

}  // namespace vd::platform
