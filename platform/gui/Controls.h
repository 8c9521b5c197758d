#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <vector>

#include "common/Text.h"

class QPushButton;
class QRadioButton;
class QGroupBox;

// Handles to the controls of a window, found by their layout names (Window.h). A handle is
// cheap to copy and valid while its window lives. A null handle (unknown name or other kind)
// does nothing and reads as empty, false or 0.
namespace vd::platform {

class LabelWidget;
class PictureBoxWidget;
class ShapeBoxWidget;
class EditBoxWidget;
class TabControlWidget;

// 透明标签: setting the text redraws the label at once.
class Label {
public:
    Label() = default;
    explicit Label(LabelWidget* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    void setText(const Text& text) const;
    Text text() const;

private:
    LabelWidget* widget_ = nullptr;
};

// 按钮
class Button {
public:
    Button() = default;
    explicit Button(QPushButton* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    Text text() const;
    // Adds a handler of the "clicked" event.
    void onClicked(std::function<void()> handler) const;
    // The button takes a dropped local file (the first of several; not a folder) and hands its
    // path to the handler.
    void onFileDropped(std::function<void(const std::filesystem::path&)> handler) const;

private:
    QPushButton* widget_ = nullptr;
};

// A point in a picture's own pixels.
struct PicturePoint {
    double x = 0;
    double y = 0;
};

// 图片框: holds the bytes of a picture file unchanged and draws them when they decode. It takes
// keyboard focus; a local file dropped on it or pasted into it (Ctrl+V) goes to the file
// handler, copied picture data to the pasted-picture handler as PNG bytes.
class PictureBox {
public:
    PictureBox() = default;
    explicit PictureBox(PictureBoxWidget* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    // Setting a picture also removes the outline.
    void setPicture(const ByteArray& bytes) const;
    ByteArray picture() const;
    // A closed line through the points, placed and scaled with the picture; fewer than 3 points
    // draw nothing.
    void setOutline(const std::vector<PicturePoint>& points) const;
    void clearOutline() const;
    void onFileDropped(std::function<void(const std::filesystem::path&)> handler) const;
    void onPicturePasted(std::function<void(const ByteArray&)> handler) const;

private:
    PictureBoxWidget* widget_ = nullptr;
};

// 单选框
class RadioButton {
public:
    RadioButton() = default;
    explicit RadioButton(QRadioButton* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    bool checked() const;
    void setChecked(bool checked) const;

private:
    QRadioButton* widget_ = nullptr;
};

// 编辑框: the text reads back exactly as it was set (CR LF included) until the user edits it.
class EditBox {
public:
    EditBox() = default;
    explicit EditBox(EditBoxWidget* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    void setText(const Text& text) const;
    Text text() const;

private:
    EditBoxWidget* widget_ = nullptr;
};

// 外形框: the fill colour as an RGB value, red in the low byte (0x00BBGGRR: 255 is red, 65280 green).
class ShapeBox {
public:
    ShapeBox() = default;
    explicit ShapeBox(ShapeBoxWidget* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    void setFillColour(std::uint32_t rgbValue) const;
    std::uint32_t fillColour() const;

private:
    ShapeBoxWidget* widget_ = nullptr;
};

// 分组框
class GroupBox {
public:
    GroupBox() = default;
    explicit GroupBox(QGroupBox* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    void setVisible(bool visible) const;
    bool visible() const;  // its own visibility, also while the window is not shown
    Text caption() const;

private:
    QGroupBox* widget_ = nullptr;
};

// 高级选择夹: pages counted from 0.
class TabControl {
public:
    TabControl() = default;
    explicit TabControl(TabControlWidget* widget) : widget_(widget) {}
    explicit operator bool() const { return widget_ != nullptr; }
    int pageCount() const;
    Text pageCaption(int page) const;
    int currentPage() const;  // -1 for a null handle
    // An index outside the pages changes nothing.
    void setCurrentPage(int page) const;

private:
    TabControlWidget* widget_ = nullptr;
};

// What 通用对话框 keeps between openings.
struct FileDialogState {
    std::filesystem::path initialFolder;
    std::filesystem::path chosenFile;
};

// 通用对话框: a plain open-file dialog without a filter. After a choice it offers that file
// again the next time it opens.
class FileDialog {
public:
    FileDialog() = default;
    explicit FileDialog(FileDialogState* state) : state_(state) {}
    explicit operator bool() const { return state_ != nullptr; }
    // True when the user chose a file.
    bool open() const;
    // The chosen file's full path as the file system names it: open files with this.
    std::filesystem::path chosenFile() const;
    // The same path as text, for showing it.
    Text chosenFileText() const;
    // Offers this file the next time the dialog opens, as if it had been chosen.
    void setChosenFile(const std::filesystem::path& file) const;
    void setInitialFolder(const std::filesystem::path& folder) const;
    std::filesystem::path initialFolder() const;

private:
    FileDialogState* state_ = nullptr;
};

}  // namespace vd::platform
