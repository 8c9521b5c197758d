#pragma once

#include <filesystem>

#include "app/App.h"

namespace vd {

// Which controls one picture button fills; an empty fileNameLabel means none.
struct PictureTarget {
    const char* pictureBox;
    const char* button;
    const char* sizeLabel;
    const char* fileNameLabel;
};

// Files of this many bytes or more are refused (5000 KB).
inline constexpr std::int64_t kPictureSizeLimit = 5000LL * 1024;

// The name a file-name label shows for picture data pasted from the clipboard.
inline constexpr const char* kClipboardPictureName = "剪贴板图片.png";

// Opens the shared file dialog; a chosen file goes to takePictureFile.
void selectPicture(App& app, const PictureTarget& target);

// A file chosen in the dialog, dropped or pasted: the dialog offers it next time; below the
// limit it is read and shown in the target with its size and name, else the size message shows.
void takePictureFile(App& app, const PictureTarget& target, const std::filesystem::path& file);

// Picture bytes pasted from the clipboard: the same size test, shown under kClipboardPictureName.
void takePictureBytes(App& app, const PictureTarget& target, const ByteArray& bytes);

void openPictureOne(App& app);          // 打开对比图1
void openPictureTwo(App& app);          // 打开对比图2
void openRecognitionPicture(App& app);  // 按钮2

// Connects the three picture buttons to their handlers, and lets each picture box and its
// button take dropped files and each box pasted files and pictures.
void bindPictureHandlers(App& app);

}  // namespace vd
