#pragma once

#include <QColor>
#include <QLabel>

#include "platform/gui/Layout.h"

namespace vd::platform {

// 透明标签: text on a transparent background, centred vertically. A QLabel, so assistive
// technologies read its current text as its name; a selectable one can be copied by the user.
class LabelWidget : public QLabel {
public:
    LabelWidget(const ControlDescription& desc, QWidget* parent);

    // Redraws at once: the label shows its new text also while a handler keeps the loop busy.
    void setText(const Text& text);
    const Text& text() const { return text_; }
    QString shownText() const { return QLabel::text(); }
    Qt::Alignment alignment() const { return QLabel::alignment() & Qt::AlignHorizontal_Mask; }
    bool wraps() const { return wordWrap(); }
    QColor textColour() const { return colour_; }

protected:
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void showText(const Text& text);
    void keepLinePlace();

    Text text_;
    QColor colour_;
};

Qt::Alignment toQtAlignment(HorizontalAlignment alignment);
QColor toQColor(Rgb colour);

}  // namespace vd::platform
