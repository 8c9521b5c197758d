#pragma once

#include <QColor>
#include <QWidget>
#include <cstdint>
#include <utility>
#include <vector>

#include "platform/gui/Layout.h"

namespace vd::platform {

// 外形框: a circle centred in the box, outlined, filled with the fill colour. Assistive
// technologies read what the current colour means (from the layout) as its description.
class ShapeBoxWidget : public QWidget {
public:
    ShapeBoxWidget(const ControlDescription& desc, QWidget* parent);

    void setFillColour(std::uint32_t rgbValue);
    std::uint32_t fillColour() const { return rgbValue_; }
    QColor fill() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void describe();

    std::uint32_t rgbValue_;
    std::vector<std::pair<std::uint32_t, Text>> meanings_;
};

}  // namespace vd::platform
