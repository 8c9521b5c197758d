#include "platform/gui/PictureBoxWidget.h"

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/gui/DecodedImage.h"
#include "platform/gui/FileDrop.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/QtText.h"

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
    : QWidget(parent), background_(toQColor(desc.background)) {
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(toQString(desc.name));
    describe();
}

void PictureBoxWidget::setPicture(ByteArray bytes) {
    bytes_ = std::move(bytes);
    image_ = toQImage(decodePicture(bytes_));
    outline_.clear();
    fit();
    describe();
    update();
}

void PictureBoxWidget::describe() {
    if (bytes_.empty()) {
        setAccessibleDescription(QString::fromUtf16(u"无图片"));
    } else if (image_.isNull()) {
        setAccessibleDescription(QString::fromUtf16(u"无法显示的图片数据"));
    } else {
        setAccessibleDescription(QString::fromUtf16(u"图片 %1×%2 像素").arg(image_.width()).arg(image_.height()));
    }
}

void PictureBoxWidget::setOutline(const std::vector<PicturePoint>& points) {
    outline_ = points.size() >= 3 ? points : std::vector<PicturePoint>{};
    update();
}

QPolygonF PictureBoxWidget::outlinePolygon() const {
    QPolygonF polygon;
    if (outline_.empty() || image_.isNull() || drawn_.isEmpty()) return polygon;
    const double scaleX = static_cast<double>(drawn_.width()) / image_.width();
    const double scaleY = static_cast<double>(drawn_.height()) / image_.height();
    for (const PicturePoint& point : outline_) polygon << QPointF(drawn_.x() + point.x * scaleX, drawn_.y() + point.y * scaleY);
    return polygon;
}

void PictureBoxWidget::setFileHandler(std::function<void(const std::filesystem::path&)> handler) {
    fileHandler_ = std::move(handler);
    setAcceptDrops(static_cast<bool>(fileHandler_));
}

void PictureBoxWidget::setPastedPictureHandler(std::function<void(const ByteArray&)> handler) { pictureHandler_ = std::move(handler); }

void PictureBoxWidget::paste() {
    const QMimeData* copied = QApplication::clipboard()->mimeData();
    if (const auto file = firstLocalFile(copied)) {
        if (fileHandler_) fileHandler_(*file);
        return;
    }
    if (!pictureHandler_) return;
    const ByteArray png = pictureDataAsPng(copied);
    if (!png.empty()) pictureHandler_(png);
}

void PictureBoxWidget::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        paste();
        return;
    }
    QWidget::keyPressEvent(event);
}

void PictureBoxWidget::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void PictureBoxWidget::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
}

void PictureBoxWidget::setDropHover(bool hover) {
    if (dropHover_ == hover) return;
    dropHover_ = hover;
    update();
}

void PictureBoxWidget::dragEnterEvent(QDragEnterEvent* event) { dragMoveEvent(event); }

void PictureBoxWidget::dragMoveEvent(QDragMoveEvent* event) {
    const bool takes = fileHandler_ && firstLocalFile(event->mimeData()).has_value();
    if (takes) event->acceptProposedAction(); else event->ignore();
    setDropHover(takes);
}

void PictureBoxWidget::dragLeaveEvent(QDragLeaveEvent*) { setDropHover(false); }

void PictureBoxWidget::dropEvent(QDropEvent* event) {
    setDropHover(false);
    const std::optional<std::filesystem::path> file = firstLocalFile(event->mimeData());
    if (!file || !fileHandler_) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    fileHandler_(*file);
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
    if (const QPolygonF outline = outlinePolygon(); !outline.isEmpty()) {
        // Dark under bright: visible on light and dark pictures alike. Parts outside the box
        // are clipped by the widget's own bounds.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(QColor(0, 0, 0), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(outline);
        painter.setPen(QPen(QColor(255, 230, 0), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.drawPolygon(outline);
        painter.setRenderHint(QPainter::Antialiasing, false);
    }
    const QColor highlight = palette().color(QPalette::Highlight);
    if (dropHover_) {
        painter.setPen(QPen(highlight, 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5));
    } else if (hasFocus()) {
        painter.setPen(QPen(highlight, 1, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

}  // namespace vd::platform
