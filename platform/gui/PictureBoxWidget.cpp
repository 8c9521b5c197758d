#include "platform/gui/PictureBoxWidget.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gui/DecodedImage.h"
#include "platform/gui/LabelWidget.h"

namespace vd::platform {

namespace {

QImage toQImage(const DecodedImage& decoded) {
    if (decoded.empty()) return {};
    const QImage view(decoded.rgba.data(), decoded.width, decoded.height, static_cast<qsizetype>(decoded.width) * 4,
                      QImage::Format_RGBA8888);
    return view.copy();
}

}  // namespace

PictureBoxWidget::PictureBoxWidget(const ControlDescription& desc, QWidget* parent)
    : QWidget(parent), background_(toQColor(desc.background)) {}

void PictureBoxWidget::setPicture(ByteArray bytes) {
    bytes_ = std::move(bytes);
    image_ = toQImage(decodePicture(bytes_));
    fit();
    update();
}

void PictureBoxWidget::resizeEvent(QResizeEvent*) { fit(); }

void PictureBoxWidget::fit() {
    scaled_ = QImage();
    drawn_ = QRect();
    if (image_.isNull() || width() <= 0 || height() <= 0) return;
    QSize size = image_.size();
    if (size.width() > width() || size.height() > height()) {
        const double scale = std::min(static_cast<double>(width()) / size.width(), static_cast<double>(height()) / size.height());
        size = QSize(std::clamp(static_cast<int>(std::lround(size.width() * scale)), 1, width()),
                     std::clamp(static_cast<int>(std::lround(size.height() * scale)), 1, height()));
        scaled_ = image_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    } else {
        scaled_ = image_;
    }
    drawn_ = QRect(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
}

void PictureBoxWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), background_);
    if (!scaled_.isNull()) painter.drawImage(drawn_.topLeft(), scaled_);
}

}  // namespace vd::platform
