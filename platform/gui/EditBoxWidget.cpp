#include "platform/gui/EditBoxWidget.h"

#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <limits>

#include "platform/gui/Fonts.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/QtText.h"

namespace vd::platform {

namespace {

class PlainEdit : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    using QPlainTextEdit::setViewportMargins;
};

}  // namespace

EditBoxWidget::EditBoxWidget(const ControlDescription& desc, QWidget* parent) : QWidget(parent), multiLine_(desc.multiLine) {
    QWidget* editor = nullptr;
    if (multiLine_) {
        lines_ = new PlainEdit(this);
        lines_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        lines_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        lines_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        // Tab moves on to the next control instead of trapping the keyboard in the box.
        lines_->setTabChangesFocus(true);
        editor = lines_;
    } else {
        line_ = new QLineEdit(this);
        line_->setMaxLength(std::numeric_limits<int>::max());
        editor = line_;
    }
    if (!desc.font.face.empty() || desc.font.pixelSize > 0) setFont(fontFor(desc.font));
    QPalette palette = editor->palette();
    palette.setColor(QPalette::Text, toQColor(desc.textColour));
    palette.setColor(QPalette::Base, toQColor(desc.background));
    editor->setPalette(palette);
    setText(desc.text);
}

QWidget* EditBoxWidget::editor() const {
    if (multiLine_) return lines_;
    return line_;
}

void EditBoxWidget::resizeEvent(QResizeEvent*) { editor()->setGeometry(rect()); }

void EditBoxWidget::reserveTop(int pixels) {
    if (!multiLine_) return;
    static_cast<PlainEdit*>(lines_)->setViewportMargins(0, pixels, 0, 0);
    // The reserved strip looks like the rest of the box.
    QPalette palette = lines_->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    lines_->setPalette(palette);
    lines_->setAutoFillBackground(true);
}

void EditBoxWidget::setText(const Text& text) {
    text_ = text;
    QString shown = toQString(text);
    if (multiLine_) {
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        lines_->setPlainText(shown);
        shown_ = lines_->toPlainText();
    } else {
        line_->setText(shown);
        shown_ = line_->text();
    }
}

QString EditBoxWidget::shownText() const { return multiLine_ ? lines_->toPlainText() : line_->text(); }

Text EditBoxWidget::text() const {
    QString current = shownText();
    if (current == shown_) return text_;
    if (multiLine_) current.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return fromQString(current);
}

}  // namespace vd::platform
