#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include "platform/gui/Layout.h"

namespace vd::platform {

// 图片框: keeps the bytes as set; draws the decoded picture centred, scaled down smoothly with
// its proportions kept when it is larger than the box, at its own size otherwise.
class PictureBoxWidget : public QWidget {
public:
    PictureBoxWidget(const ControlDescription& desc, QWidget* parent);

    void setPicture(ByteArray bytes);
    const ByteArray& picture() const { return bytes_; }
    // Where the picture is drawn, in the box's coordinates; empty when nothing is drawn.
    QRect drawnRect() const { return drawn_; }
    QColor background() const { return background_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fit();

    ByteArray bytes_;
    QImage image_;
    QImage scaled_;
    QRect drawn_;
    QColor background_;
};

}  // namespace vd::platform
