#pragma once

#include <QColor>
#include <QWidget>

#include "platform/gui/Layout.h"

namespace vd::platform {

// 透明标签: text on a transparent background, centred vertically.
class LabelWidget : public QWidget {
public:
    LabelWidget(const ControlDescription& desc, QWidget* parent);

    // Redraws at once: the label shows its new text also while a handler keeps the loop busy.
    void setText(const Text& text);
    const Text& text() const { return text_; }
    const QString& shownText() const { return shown_; }
    Qt::Alignment alignment() const { return alignment_; }
    bool wraps() const { return wrap_; }
    QColor textColour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Text text_;
    QString shown_;
    QColor colour_;
    Qt::Alignment alignment_;
    bool wrap_;
};

Qt::Alignment toQtAlignment(HorizontalAlignment alignment);
QColor toQColor(Rgb colour);

}  // namespace vd::platform
