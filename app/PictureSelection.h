#pragma once

#include "app/App.h"

namespace vd {

// Which controls one picture button fills; an empty fileNameLabel means none.
struct PictureTarget {
    const char* pictureBox;
    const char* sizeLabel;
    const char* fileNameLabel;
};

// Files of this many bytes or more are refused (5000 KB).
inline constexpr std::int64_t kPictureSizeLimit = 5000LL * 1024;

// Opens the shared file dialog; a chosen file below the limit is read and shown in the target.
void selectPicture(App& app, const PictureTarget& target);

void openPictureOne(App& app);          // 打开对比图1
void openPictureTwo(App& app);          // 打开对比图2
void openRecognitionPicture(App& app);  // 按钮2

// Connects the three picture buttons to their handlers.
void bindPictureHandlers(App& app);

}  // namespace vd
