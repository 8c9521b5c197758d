#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "platform/gui/MessageBox.h"
#include "platform/gui/TestHooks.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::qs;
using vd::test::ScratchFolder;

// Runs check on the modal widget once it is up (the dialog's own loop is running then).
template <typename Dialog, typename Check>
void whenModal(Check check) {
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [poll, check] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !dialog->isVisible()) {
            QTimer::singleShot(10, *poll);
            return;
        }
        check(dialog);
        *poll = nullptr;
    };
    QTimer::singleShot(0, *poll);
}

class DialogsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }
    void TearDown() override { removeGuiHooks(); }
};

TEST_F(DialogsTest, MessageBoxIsAPlainModalInformationBox) {
    bool seen = false;
    whenModal<QMessageBox>([&seen](QMessageBox* box) {
        seen = true;
        EXPECT_EQ(box->windowTitle(), qs(u8"信息："));
        EXPECT_EQ(box->text(), qs(u8"图片需小于5M，请重新选择"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(box->windowModality(), Qt::ApplicationModal);
        EXPECT_EQ(box->parentWidget(), nullptr);
        box->button(QMessageBox::Ok)->click();
    });
    messageBox("图片需小于5M，请重新选择", "信息：");
    EXPECT_TRUE(seen);
}

TEST_F(DialogsTest, HookAnswersTheMessageBox) {
    std::vector<std::pair<Text, Text>> shown;
    installGuiHooks(GuiHooks{.openFile = {}, .messageBox = [&shown](const Text& text, const Text& caption) { shown.emplace_back(text, caption); }, .tickCount = {}});
    messageBox("图片1无图片！", "信息：");
    ASSERT_EQ(shown.size(), 1U);
    EXPECT_EQ(shown[0].first, "图片1无图片！");
    EXPECT_EQ(shown[0].second, "信息：");
}

WindowLayout dialogLayout() {
    WindowLayout layout;
    layout.clientWidth = 100;
    layout.clientHeight = 100;
    ControlDescription dialog;
    dialog.kind = ControlKind::FileDialog;
    dialog.name = "对话框";
    layout.controls.push_back(dialog);
    return layout;
}

TEST_F(DialogsTest, RealFileDialogOpensInTheInitialFolderThenOffersTheLastFile) {
    ScratchFolder folder;
    const auto first = folder.write(u8"第一 😀.png", {1, 2, 3});
    folder.write(u8"other.txt", {4});
    Window window(dialogLayout());
    const FileDialog dialog = window.fileDialog("对话框");
    dialog.setInitialFolder(folder.path().string() + "/");

    whenModal<QFileDialog>([&](QFileDialog* shown) {
        EXPECT_EQ(QDir(shown->directory()).canonicalPath(), QDir(QString::fromStdString(folder.path().string())).canonicalPath());
        // No filter: Qt's single "everything" entry.
        EXPECT_EQ(shown->nameFilters().size(), 1) << shown->nameFilters().join(u'|').toStdString();
        EXPECT_TRUE(shown->nameFilters().value(0).endsWith(QStringLiteral("(*)"))) << shown->nameFilters().join(u'|').toStdString();
        EXPECT_EQ(shown->fileMode(), QFileDialog::ExistingFile);
        shown->selectFile(QFile::decodeName(QByteArray::fromStdString(first.string())));
        static_cast<QDialog*>(shown)->accept();
    });
    ASSERT_TRUE(dialog.open());
    EXPECT_EQ(dialog.chosenFile(), first);
    // The emoji GBK lacks keeps its four-byte form.
    EXPECT_EQ(dialog.chosenFileText(), folder.path().string() + "/" + vd::test::gbk(u8"第一 ") + "\x94\x39\xFC\x36.png");

    whenModal<QFileDialog>([&](QFileDialog* shown) {
        ASSERT_EQ(shown->selectedFiles().size(), 1);
        EXPECT_EQ(shown->selectedFiles().front(), QFile::decodeName(QByteArray::fromStdString(first.string())));
        shown->reject();
    });
    EXPECT_FALSE(dialog.open()) << "cancelled";
    EXPECT_EQ(dialog.chosenFile(), first) << "a cancel keeps the last choice";
}

TEST_F(DialogsTest, HookAnswersTheFileDialogWithWhatTheRealOneWouldBeGiven) {
    std::vector<FileDialogRequest> requests;
    std::optional<std::filesystem::path> answer = "/tmp/a.png";
    installGuiHooks(GuiHooks{.openFile = [&](const FileDialogRequest& request) {
                                 requests.push_back(request);
                                 return answer;
                             },
                             .messageBox = {},
                             .tickCount = {}});
    Window window(dialogLayout());
    const FileDialog dialog = window.fileDialog("对话框");
    dialog.setInitialFolder("/home/u/Desktop/");
    ASSERT_TRUE(dialog.open());
    answer = std::nullopt;
    EXPECT_FALSE(dialog.open());
    ASSERT_EQ(requests.size(), 2U);
    EXPECT_EQ(requests[0].initialFolder, "/home/u/Desktop/");
    EXPECT_EQ(requests[0].offeredFile, "");
    EXPECT_EQ(requests[1].offeredFile, "/tmp/a.png");
    EXPECT_EQ(dialog.chosenFile(), "/tmp/a.png");
}

}  // namespace
}  // namespace vd::platform
