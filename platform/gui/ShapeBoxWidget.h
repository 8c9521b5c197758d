#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>

#include "platform/gui/Layout.h"

namespace vd::platform {

// 外形框: a circle centred in the box, outlined, filled with the fill colour.
class ShapeBoxWidget : public QWidget {
public:
    ShapeBoxWidget(const ControlDescription& desc, QWidget* parent);

    void setFillColour(std::uint32_t rgbValue);
    std::uint32_t fillColour() const { return rgbValue_; }
    QColor fill() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t rgbValue_;
};

}  // namespace vd::platform
