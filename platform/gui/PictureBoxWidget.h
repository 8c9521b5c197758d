#pragma once

#include <QColor>
#include <QImage>
#include <QPolygonF>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <vector>

#include "platform/gui/Controls.h"
#include "platform/gui/Layout.h"

namespace vd::platform {

// 图片框: keeps the bytes as set; draws the decoded picture centred, scaled down smoothly with
// its proportions kept when it is larger than the box, at its own size otherwise. Takes focus
// (click, Tab) and shows it with a frame; takes dropped files and pastes (Ctrl+V) when handlers
// are set, framed while a file hovers. Told to assistive technologies as an image whose
// description says what it holds.
class PictureBoxWidget : public QWidget {
public:
    PictureBoxWidget(const ControlDescription& desc, QWidget* parent);

    // Also removes the outline.
    void setPicture(ByteArray bytes);
    const ByteArray& picture() const { return bytes_; }
    // Where the picture is drawn, in the box's coordinates; empty when nothing is drawn.
    QRect drawnRect() const { return drawn_; }
    QColor background() const { return background_; }

    // Points in the picture's pixels; fewer than 3 clear the outline.
    void setOutline(const std::vector<PicturePoint>& points);
    // The outline in the box's coordinates as it is drawn; empty when none is drawn.
    QPolygonF outlinePolygon() const;

    void setFileHandler(std::function<void(const std::filesystem::path&)> handler);
    void setPastedPictureHandler(std::function<void(const ByteArray&)> handler);
    bool dropHover() const { return dropHover_; }
    // Takes what the clipboard holds, as Ctrl+V does.
    void paste();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void fit();
    void describe();
    void setDropHover(bool hover);

    ByteArray bytes_;
    QImage image_;
    QImage scaled_;
    QRect drawn_;
    QColor background_;
    std::vector<PicturePoint> outline_;
    std::function<void(const std::filesystem::path&)> fileHandler_;
    std::function<void(const ByteArray&)> pictureHandler_;
    bool dropHover_ = false;
};

}  // namespace vd::platform
