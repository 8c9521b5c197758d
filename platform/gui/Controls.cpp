#include "platform/gui/Controls.h"

#include <QFileDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <utility>

#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/FileDrop.h"
#include "platform/gui/PathText.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/NativePath.h"
#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/QtText.h"
#include "platform/gui/ShapeBoxWidget.h"
#include "platform/gui/TabControlWidget.h"
#include "platform/gui/TestHooks.h"

namespace vd::platform {

void Label::setText(const Text& text) const {
    if (widget_ != nullptr) widget_->setText(text);
}

Text Label::text() const { return widget_ != nullptr ? widget_->text() : Text{}; }

Text Button::text() const { return widget_ != nullptr ? fromQString(widget_->text()) : Text{}; }

void Button::onClicked(std::function<void()> handler) const {
    if (widget_ == nullptr || !handler) return;
    QObject::connect(widget_, &QPushButton::clicked, widget_, [handler = std::move(handler)] { handler(); });
}

void PictureBox::setPicture(const ByteArray& bytes) const {
    if (widget_ != nullptr) widget_->setPicture(bytes);
}

ByteArray PictureBox::picture() const { return widget_ != nullptr ? widget_->picture() : ByteArray{}; }

void PictureBox::setOutline(const std::vector<PicturePoint>& points) const {
    if (widget_ != nullptr) widget_->setOutline(points);
}

void PictureBox::clearOutline() const {
    if (widget_ != nullptr) widget_->setOutline({});
}

void PictureBox::onFileDropped(std::function<void(const std::filesystem::path&)> handler) const {
    if (widget_ != nullptr) widget_->setFileHandler(std::move(handler));
}

void PictureBox::onPicturePasted(std::function<void(const ByteArray&)> handler) const {
    if (widget_ != nullptr) widget_->setPastedPictureHandler(std::move(handler));
}

void Button::onFileDropped(std::function<void(const std::filesystem::path&)> handler) const {
    if (widget_ == nullptr || !handler) return;
    widget_->setAcceptDrops(true);
    widget_->installEventFilter(new FileDropFilter(std::move(handler), widget_));
}

bool RadioButton::checked() const { return widget_ != nullptr && widget_->isChecked(); }

void RadioButton::setChecked(bool checked) const {
    if (widget_ != nullptr) widget_->setChecked(checked);
}

void EditBox::setText(const Text& text) const {
    if (widget_ != nullptr) widget_->setText(text);
}

Text EditBox::text() const { return widget_ != nullptr ? widget_->text() : Text{}; }

void ShapeBox::setFillColour(std::uint32_t rgbValue) const {
    if (widget_ != nullptr) widget_->setFillColour(rgbValue);
}

std::uint32_t ShapeBox::fillColour() const { return widget_ != nullptr ? widget_->fillColour() : 0U; }

void GroupBox::setVisible(bool visible) const {
    if (widget_ != nullptr) widget_->setVisible(visible);
}

bool GroupBox::visible() const { return widget_ != nullptr && !widget_->isHidden(); }

Text GroupBox::caption() const { return widget_ != nullptr ? fromQString(widget_->title()) : Text{}; }

int TabControl::pageCount() const { return widget_ != nullptr ? widget_->pageCount() : 0; }

Text TabControl::pageCaption(int page) const { return widget_ != nullptr ? fromQString(widget_->pageCaption(page)) : Text{}; }

int TabControl::currentPage() const { return widget_ != nullptr ? widget_->currentPage() : -1; }

void TabControl::setCurrentPage(int page) const {
    if (widget_ != nullptr) widget_->setCurrentPage(page);
}

bool FileDialog::open() const {
    if (state_ == nullptr) return false;
    std::optional<std::filesystem::path> chosen;
    if (guiHooks().openFile) {
        chosen = guiHooks().openFile(FileDialogRequest{state_->initialFolder, state_->chosenFile});
    } else {
        // Given a file, the dialog opens in its folder with the file selected.
        const std::filesystem::path& start = state_->chosenFile.empty() ? state_->initialFolder : state_->chosenFile;
        const QString file = QFileDialog::getOpenFileName(nullptr, QString(), fromNativePath(start));
        if (!file.isEmpty()) chosen = toNativePath(file);
    }
    if (!chosen || chosen->empty()) return false;
    state_->chosenFile = *chosen;
    return true;
}

std::filesystem::path FileDialog::chosenFile() const { return state_ != nullptr ? state_->chosenFile : std::filesystem::path{}; }

Text FileDialog::chosenFileText() const { return state_ != nullptr ? pathText(state_->chosenFile) : Text{}; }

void FileDialog::setChosenFile(const std::filesystem::path& file) const {
    if (state_ != nullptr) state_->chosenFile = file;
}

void FileDialog::setInitialFolder(const std::filesystem::path& folder) const {
    if (state_ != nullptr) state_->initialFolder = folder;
}

std::filesystem::path FileDialog::initialFolder() const {
    return state_ != nullptr ? state_->initialFolder : std::filesystem::path{};
}

}  // namespace vd::platform
