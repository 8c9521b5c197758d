#pragma once

#include <QString>
#include <QWidget>

#include "platform/gui/Layout.h"

class QLineEdit;
class QPlainTextEdit;

namespace vd::platform {

// 编辑框: one line (QLineEdit) or several lines (QPlainTextEdit, wrapping at the right edge),
// editable, no scroll bars, no length limit.
class EditBoxWidget : public QWidget {
public:
    EditBoxWidget(const ControlDescription& desc, QWidget* parent);

    // A multi-line box shows each CR LF as a line break.
    void setText(const Text& text);
    // The text exactly as set, until the user changes it; then the user's text, line breaks as CR LF.
    Text text() const;
    QString shownText() const;
    bool multiLine() const { return multiLine_; }
    // The editing widget inside the box.
    QWidget* editor() const;
    // Keeps the first line clear of a strip of this height at the top (a tab bar lying over it).
    void reserveTop(int pixels);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool multiLine_;
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* lines_ = nullptr;
    Text text_;
    QString shown_;
};

}  // namespace vd::platform
