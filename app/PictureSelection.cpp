#include "app/PictureSelection.h"

#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "common/TextOps.h"
#include "platform/gui/Files.h"

namespace vd {

void selectPicture(App& app, const PictureTarget& target) {
    const platform::FileDialog dialog = app.window.fileDialog(control::kFileDialog);
    if (!dialog.open()) return;
    const std::filesystem::path file = dialog.chosenFile();
    const Text path = dialog.chosenFileText();

    // The whole 64-bit size takes the test: a file of 4 GiB or more is refused, not wrapped.
    const std::int64_t size = platform::fileSize(file);
    if (static_cast<double>(size) / 1024.0 - 5000.0 >= -0.0000001) {
        showMessage("图片需小于5M，请重新选择");
        return;
    }
    app.window.label(target.sizeLabel).setText(numberToText(floorToInteger(static_cast<double>(size) / 1024.0)) + "KB");
    // No more than the bytes that passed the test, should the file have grown since.
    app.window.pictureBox(target.pictureBox).setPicture(platform::readFile(file, size));

    if (target.fileNameLabel != nullptr && *target.fileNameLabel != '\0') {
        const int separator = findTextReverse(path, "/");
        app.window.label(target.fileNameLabel).setText(separator == -1 ? path : rightOfText(path, textLength(path) - separator));
    }
}

void openPictureOne(App& app) { selectPicture(app, {"图片框1", "透明标签8", "透明标签7"}); }

void openPictureTwo(App& app) { selectPicture(app, {"图片框2", "透明标签11", "透明标签10"}); }

void openRecognitionPicture(App& app) { selectPicture(app, {"图片框5", "透明标签65", nullptr}); }

void bindPictureHandlers(App& app) {
    app.window.button("打开对比图1").onClicked([&app] { openPictureOne(app); });
    app.window.button("打开对比图2").onClicked([&app] { openPictureTwo(app); });
    app.window.button("按钮2").onClicked([&app] { openRecognitionPicture(app); });
}

}  // namespace vd
