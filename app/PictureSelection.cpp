#include "app/PictureSelection.h"

#include "app/MainWindowLayout.h"
#include "app/Messages.h"
#include "common/Numbers.h"
#include "common/TextCut.h"
#include "common/TextSearch.h"
#include "platform/gui/PathText.h"
#include "platform/system/Files.h"

namespace vd {

namespace {

const PictureTarget kPictureOne{control::kPictureOne, control::kOpenPictureOne, control::kPictureOneSize,
                                control::kPictureOneName};
const PictureTarget kPictureTwo{control::kPictureTwo, control::kOpenPictureTwo, control::kPictureTwoSize,
                                control::kPictureTwoName};
const PictureTarget kRecognitionPicture{control::kRecognitionPicture, control::kOpenRecognitionPicture,
                                        control::kRecognitionPictureSize, nullptr};

// The size test: false (after the message) when a picture of this many bytes is refused.
bool passesSizeTest(std::int64_t size) {
    // The whole 64-bit size takes the test: a file of 4 GiB or more is refused, not wrapped.
    if (static_cast<double>(size) / 1024.0 - 5000.0 >= -0.0000001) {
        showMessage("图片需小于5M，请重新选择");
        return false;
    }
    return true;
}

void show(App& app, const PictureTarget& target, std::int64_t size, const ByteArray& bytes, const Text& name) {
    app.window.label(target.sizeLabel).setText(numberToText(floorToInteger(static_cast<double>(size) / 1024.0)) + "KB");
    app.window.pictureBox(target.pictureBox).setPicture(bytes);
    if (target.fileNameLabel != nullptr && *target.fileNameLabel != '\0') app.window.label(target.fileNameLabel).setText(name);
}

}  // namespace

void selectPicture(App& app, const PictureTarget& target) {
    const platform::FileDialog dialog = app.window.fileDialog(control::kFileDialog);
    if (!dialog.open()) return;
    takePictureFile(app, target, dialog.chosenFile());
}

void takePictureFile(App& app, const PictureTarget& target, const std::filesystem::path& file) {
    app.window.fileDialog(control::kFileDialog).setChosenFile(file);
    const std::int64_t size = platform::fileSize(file);
    if (!passesSizeTest(size)) return;
    const Text path = platform::pathText(file);
    const int separator = findTextReverse(path, "/");
    // No more than the bytes that passed the test, should the file have grown since.
    show(app, target, size, platform::readFile(file, size), separator == -1 ? path : rightOfText(path, textLength(path) - separator));
}

void takePictureBytes(App& app, const PictureTarget& target, const ByteArray& bytes) {
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (!passesSizeTest(size)) return;
    show(app, target, size, bytes, kClipboardPictureName);
}

void openPictureOne(App& app) { selectPicture(app, kPictureOne); }

void openPictureTwo(App& app) { selectPicture(app, kPictureTwo); }

void openRecognitionPicture(App& app) { selectPicture(app, kRecognitionPicture); }

void bindPictureHandlers(App& app) {
    app.window.button(kPictureOne.button).onClicked([&app] { openPictureOne(app); });
    app.window.button(kPictureTwo.button).onClicked([&app] { openPictureTwo(app); });
    app.window.button(kRecognitionPicture.button).onClicked([&app] { openRecognitionPicture(app); });
    for (const PictureTarget* target : {&kPictureOne, &kPictureTwo, &kRecognitionPicture}) {
        auto takeFile = [&app, target](const std::filesystem::path& file) { takePictureFile(app, *target, file); };
        app.window.pictureBox(target->pictureBox).onFileDropped(takeFile);
        app.window.button(target->button).onFileDropped(takeFile);
        app.window.pictureBox(target->pictureBox).onPicturePasted([&app, target](const ByteArray& bytes) { takePictureBytes(app, *target, bytes); });
    }
}

}  // namespace vd
