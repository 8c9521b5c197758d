#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QPushButton>
#include <QUrl>
#include <functional>
#include <random>
#include <QTest>
#include <deque>

#include "app/App.h"
#include "app/MainWindowLayout.h"
#include "app/PictureSelection.h"
#include "app/Program.h"
#include "app/ServiceObjects.h"
#include "platform/gui/Environment.h"
#include "platform/gui/PathText.h"
#include "platform/system/Files.h"
#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/TestHooks.h"
#include "tests/support/gui/GuiTestSupport.h"
#include "tests/support/TestCertificates.h"
#include "tests/support/VisionStandIn.h"
#include "vision/ServiceConfig.h"

namespace vd {
namespace {

using vd::test::encodeImage;
using vd::test::gbk;
using vd::test::ScratchFolder;
using vd::test::solidImage;

struct Handler {
    const char* name;
    const char* button;
    int page;
    const char* pictureBox;
    const char* sizeLabel;
    const char* fileNameLabel;  // nullptr: none
};

const Handler kHandlers[] = {
    {"openPictureOne", "打开对比图1", 0, "图片框1", "透明标签8", "透明标签7"},
    {"openPictureTwo", "打开对比图2", 0, "图片框2", "透明标签11", "透明标签10"},
    {"openRecognitionPicture", "按钮2", 1, "图片框5", "透明标签65", nullptr},
};

class PictureSelectionTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }

    void SetUp() override {
        platform::installGuiHooks(platform::GuiHooks{
            .openFile =
                [this](const platform::FileDialogRequest& request) {
                    requests.push_back(request);
                    std::optional<std::filesystem::path> answer;
                    if (!answers.empty()) {
                        answer = answers.front();
                        answers.pop_front();
                    }
                    return answer;
                },
            .messageBox = [this](const Text& text, const Text& caption) { messages.push_back(caption + "|" + text); },
            .tickCount = {}});
        createGlobalObjects(state, [this] { return std::make_unique<VisionApiClient>(service.host(), test::caCertificate()); });
        bindPictureHandlers(app);
        window.open([this] { onMainWindowCreated(app); });
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
        ASSERT_TRUE(vd::test::waitForBackgroundWork()) << "the token reply";
    }
    void TearDown() override { platform::removeGuiHooks(); }

    // Clicks the handler's button on its page; the dialog answers with `file` (nothing: cancel).
    void pick(const Handler& handler, std::optional<std::filesystem::path> file) {
        answers.push_back(std::move(file));
        window.tabControl("高级选择夹1").setCurrentPage(handler.page);
        QTest::mouseClick(static_cast<QPushButton*>(window.controlWidget(handler.button)), Qt::LeftButton);
        ASSERT_TRUE(answers.empty()) << "the button opened the dialog";
    }

    Text fileName(const Handler& handler) const {
        return handler.fileNameLabel != nullptr ? window.label(handler.fileNameLabel).text() : Text{"(none)"};
    }

    std::filesystem::path sized(const char8_t* name, std::int64_t size) const {
        const auto file = folder.write(name, {});
        if (size > 0) {
            EXPECT_EQ(::truncate(file.c_str(), size), 0);
        }
        return file;
    }

    test::VisionStandIn service{Text(visionApiKey()), Text(visionSecretKey())};
    ScratchFolder folder;
    AppState state;
    platform::Window window{mainWindowLayout()};
    App app{state, window};
    std::deque<std::optional<std::filesystem::path>> answers;
    std::vector<platform::FileDialogRequest> requests;
    std::vector<Text> messages;
};

TEST_F(PictureSelectionTest, AcceptedFilesShowTheirSizeNameAndBytes) {
    const ByteArray pictureBytes = encodeImage(solidImage(100, 100, Qt::red), "PNG");
    const Text pictureKb = std::to_string(pictureBytes.size() / 1024) + "KB";
    ByteArray nearLimit(5119999);
    for (std::size_t i = 0; i < nearLimit.size(); ++i) nearLimit[i] = static_cast<std::uint8_t>(i % 253);
    struct Case {
        const char* name;
        std::u8string fileName;
        ByteArray bytes;
        Text sizeText;
        Text shownName;
    } cases[] = {
        {"largest accepted: 5 119 999 bytes", u8"big.bin", nearLimit, "4999KB", "big.bin"},
        {"a picture", u8"face.png", pictureBytes, pictureKb, "face.png"},
        {"0 bytes", u8"empty.jpg", {}, "0KB", "empty.jpg"},
        {"1023 bytes", u8"a1023", ByteArray(1023, 7), "0KB", "a1023"},
        {"1536 bytes", u8"a1536", ByteArray(1536, 7), "1KB", "a1536"},
        {"trail byte equal to a backslash", u8"乗俓.png", ByteArray(10, 1), "0KB", gbk(u8"乗俓.png")},
        {"name outside GBK, kept whole", u8"사진 1.png", pictureBytes, pictureKb, "\x83\x31\xE8\x37\x83\x33\xD5\x35 1.png"},
    };
    for (const Handler& handler : kHandlers) {
        for (const Case& row : cases) {
            SCOPED_TRACE(std::string(handler.name) + ": " + row.name);
            pick(handler, folder.write(row.fileName, row.bytes));
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(window.label(handler.sizeLabel).text(), row.sizeText);
            EXPECT_EQ(window.pictureBox(handler.pictureBox).picture(), row.bytes);
            EXPECT_EQ(fileName(handler), handler.fileNameLabel != nullptr ? row.shownName : Text{"(none)"});
        }
    }
}

TEST_F(PictureSelectionTest, RefusedCancelledAndMissingFiles) {
    const ByteArray before = encodeImage(solidImage(100, 100, Qt::red), "PNG");
    for (const Handler& handler : kHandlers) {
        SCOPED_TRACE(handler.name);
        pick(handler, folder.write(u8"before.png", before));
        const Text sizeBefore = window.label(handler.sizeLabel).text();
        const Text nameBefore = fileName(handler);

        struct Refused {
            const char* name;
            std::filesystem::path file;
        } refused[] = {
            {"5 120 000 bytes (5000 KB)", sized(u8"limit.bin", 5120000)},
            {"4 GiB + 100 bytes, whose low 32 bits are small", sized(u8"huge.bin", (std::int64_t{1} << 32) + 100)},
        };
        for (const Refused& row : refused) {
            SCOPED_TRACE(row.name);
            messages.clear();
            pick(handler, row.file);
            EXPECT_EQ(messages, std::vector<Text>{"信息：|图片需小于5M，请重新选择"});
            EXPECT_EQ(window.label(handler.sizeLabel).text(), sizeBefore);
            EXPECT_EQ(fileName(handler), nameBefore);
            EXPECT_EQ(window.pictureBox(handler.pictureBox).picture(), before);
        }

        messages.clear();
        pick(handler, std::nullopt);
        EXPECT_TRUE(messages.empty()) << "cancel";
        EXPECT_EQ(window.label(handler.sizeLabel).text(), sizeBefore) << "cancel";
        EXPECT_EQ(window.pictureBox(handler.pictureBox).picture(), before) << "cancel";

        pick(handler, folder.path() / "gone.png");
        EXPECT_TRUE(messages.empty()) << "missing";
        EXPECT_EQ(window.label(handler.sizeLabel).text(), "-1KB") << "missing";
        EXPECT_TRUE(window.pictureBox(handler.pictureBox).picture().empty()) << "missing";
        if (handler.fileNameLabel != nullptr) {
            EXPECT_EQ(fileName(handler), "gone.png") << "missing";
        }
    }
}

TEST_F(PictureSelectionTest, OneDialogForAllButtonsOpeningFirstOnTheDesktop) {
    const auto first = folder.write(u8"r.png", {1});
    const auto second = folder.write(u8"f.png", {2});
    pick(kHandlers[2], first);
    pick(kHandlers[0], second);
    pick(kHandlers[1], std::nullopt);
    pick(kHandlers[2], std::nullopt);
    ASSERT_EQ(requests.size(), 4U);
    EXPECT_EQ(requests[0].initialFolder, platform::desktopFolder());
    EXPECT_EQ(requests[0].initialFolder.string().back(), '/');
    EXPECT_EQ(requests[0].offeredFile, "") << "the first dialog opens in the desktop folder";
    EXPECT_EQ(requests[1].offeredFile, first) << "the recognition page's pick is offered on the face page";
    EXPECT_EQ(requests[2].offeredFile, second);
    EXPECT_EQ(requests[3].offeredFile, second) << "a cancel keeps the last file";
}

TEST_F(PictureSelectionTest, PicturesAreDrawnCentredAndFitted) {
    struct Case {
        const char* name;
        QSize size;
        const char* format;
        QRect drawn;
    } cases[] = {
        {"100 x 100 unscaled in the middle", {100, 100}, "PNG", {70, 38, 100, 100}},
        {"960 x 480 scaled by 1/4", {960, 480}, "JPEG", {0, 28, 240, 120}},
        {"800 x 1200 scaled by the height ratio", {800, 1200}, "PNG", {61, 0, 117, 176}},
    };
    auto* box = static_cast<platform::PictureBoxWidget*>(window.controlWidget("图片框1"));
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        pick(kHandlers[0], folder.write(u8"p.img", encodeImage(solidImage(row.size.width(), row.size.height(), Qt::green), row.format)));
        EXPECT_EQ(box->drawnRect(), row.drawn);
    }
}

// Drop and paste, through Qt's own events and the clipboard.
QMimeData* urls(std::initializer_list<std::filesystem::path> files) {
    auto* data = new QMimeData;
    QList<QUrl> list;
    for (const auto& file : files) list << QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(file.native())));
    data->setUrls(list);
    return data;
}

class PictureDropPasteTest : public PictureSelectionTest {
protected:
    void SetUp() override {
        PictureSelectionTest::SetUp();
        first = folder.write(u8"第一张.png", encodeImage(solidImage(60, 40, Qt::blue), "PNG"));
        second = folder.write(u8"second.jpg", encodeImage(solidImage(30, 30, Qt::green), "JPEG"));
        before = encodeImage(solidImage(100, 100, Qt::red), "PNG");
        std::filesystem::create_directory(folder.path() / "pictures");
    }

    // Drags the data over the widget and drops it there; true when the widget took the drag.
    bool drop(QWidget* target, QMimeData* data, bool* hovered = nullptr) {
        const QPoint middle(target->width() / 2, target->height() / 2);
        QDragEnterEvent enter(middle, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        const bool taken = enter.isAccepted();
        if (hovered != nullptr) *hovered = pictureBoxWidget(target) != nullptr && pictureBoxWidget(target)->dropHover();
        if (taken) {
            QDropEvent dropped(QPointF(middle), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(target, &dropped);
        } else {
            QDragLeaveEvent leave;
            QApplication::sendEvent(target, &leave);
        }
        delete data;
        return taken;
    }
    static platform::PictureBoxWidget* pictureBoxWidget(QWidget* widget) { return dynamic_cast<platform::PictureBoxWidget*>(widget); }

    // Focuses the picture box with a click and pastes what the clipboard holds.
    void paste(const Handler& handler, QMimeData* data) {
        window.tabControl("高级选择夹1").setCurrentPage(handler.page);
        QWidget* box = window.controlWidget(handler.pictureBox);
        QApplication::clipboard()->setMimeData(data);
        window.widget()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
        QTest::mouseClick(box, Qt::LeftButton);
        ASSERT_TRUE(box->hasFocus()) << "a click focuses the box";
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    }

    void expectUnchanged(const Handler& handler, const Text& sizeBefore, const Text& nameBefore) {
        EXPECT_EQ(window.label(handler.sizeLabel).text(), sizeBefore);
        EXPECT_EQ(fileName(handler), nameBefore);
        EXPECT_EQ(window.pictureBox(handler.pictureBox).picture(), before);
    }

    // The file the dialog offers when it opens next (the test cancels it).
    std::filesystem::path offeredNext(const Handler& handler) {
        pick(handler, std::nullopt);
        return requests.empty() ? std::filesystem::path{} : requests.back().offeredFile;
    }

    std::filesystem::path first;
    std::filesystem::path second;
    ByteArray before;
};

TEST_F(PictureDropPasteTest, DroppedFilesGoThroughThePictureSelectionOfTheBoxOrItsButton) {
    const auto big = sized(u8"big.bin", 5120000);
    struct Case {
        const char* name;
        std::function<QMimeData*()> make;
        std::filesystem::path taken;  // empty: the drop is refused and nothing changes
        bool refusedBySize = false;
    } cases[] = {
        {"a file", [&] { return urls({first}); }, first},
        {"two files: the first", [&] { return urls({second, first}); }, second},
        {"a folder", [&] { return urls({folder.path() / "pictures"}); }, {}},
        {"a file of 5 120 000 bytes", [&] { return urls({big}); }, big, true},
        {"image data", [] {
             auto* data = new QMimeData;
             data->setImageData(solidImage(20, 20, Qt::yellow));
             return data;
         }, {}},
        {"text that is not a file", [] {
             auto* data = new QMimeData;
             data->setText(QStringLiteral("/no/such/picture.png"));
             data->setUrls({QUrl(QStringLiteral("https://example.invalid/a.png"))});
             return data;
         }, {}},
    };
    for (const Handler& handler : kHandlers) {
        for (const char* targetName : {handler.pictureBox, handler.button}) {
            for (const Case& row : cases) {
                SCOPED_TRACE(std::string(handler.name) + " onto " + (targetName == handler.pictureBox ? "the box: " : "the button: ") + row.name);
                pick(handler, folder.write(u8"before.png", before));
                const Text sizeBefore = window.label(handler.sizeLabel).text();
                const Text nameBefore = fileName(handler);
                messages.clear();
                QWidget* target = window.controlWidget(targetName);
                bool hovered = false;
                const bool taken = drop(target, row.make(), &hovered);
                EXPECT_EQ(taken, !row.taken.empty());
                if (targetName == handler.pictureBox) {
                    EXPECT_EQ(hovered, !row.taken.empty()) << "the box shows it takes the drop";
                    EXPECT_FALSE(pictureBoxWidget(target)->dropHover()) << "the frame goes with the drop";
                }
                if (row.taken.empty() || row.refusedBySize) {
                    expectUnchanged(handler, sizeBefore, nameBefore);
                    EXPECT_EQ(messages, row.refusedBySize ? std::vector<Text>{"信息：|图片需小于5M，请重新选择"} : std::vector<Text>{});
                } else {
                    const ByteArray bytes = platform::readFile(row.taken);
                    EXPECT_TRUE(messages.empty());
                    EXPECT_EQ(window.pictureBox(handler.pictureBox).picture(), bytes);
                    EXPECT_EQ(window.label(handler.sizeLabel).text(), std::to_string(bytes.size() / 1024) + "KB");
                    if (handler.fileNameLabel != nullptr) {
                        EXPECT_EQ(fileName(handler), platform::pathText(row.taken.filename()));
                    }
                }
                EXPECT_EQ(offeredNext(handler), row.taken.empty() ? folder.path() / "before.png" : row.taken)
                    << "the dialog offers the dropped file as if it had been chosen there";
            }
        }
    }
}

TEST_F(PictureDropPasteTest, PastedFilesAndPicturesGoThroughTheSizeTest) {
    // Noise does not compress: a PNG of more than 5 120 000 bytes.
    QImage noise(1400, 1400, QImage::Format_RGB32);
    std::mt19937 random(7);
    for (int y = 0; y < noise.height(); ++y) {
        auto* line = reinterpret_cast<quint32*>(noise.scanLine(y));
        for (int x = 0; x < noise.width(); ++x) line[x] = 0xFF000000U | (random() & 0xFFFFFFU);
    }
    const QImage copied = solidImage(70, 50, Qt::magenta);
    struct Case {
        const char* name;
        std::function<QMimeData*()> make;
        enum { Nothing, File, Picture, TooLarge } outcome;
    } cases[] = {
        {"a copied file", [&] { return urls({first}); }, Case::File},
        {"a copied folder", [&] { return urls({folder.path() / "pictures"}); }, Case::Nothing},
        {"image data", [&] {
             auto* data = new QMimeData;
             data->setImageData(copied);
             return data;
         }, Case::Picture},
        {"image data of more than 5000 KB as PNG", [&] {
             auto* data = new QMimeData;
             data->setImageData(noise);
             return data;
         }, Case::TooLarge},
        {"text that is not a file", [] {
             auto* data = new QMimeData;
             data->setText(vd::test::qs(u8"苏HS7766"));
             return data;
         }, Case::Nothing},
    };
    for (const Handler& handler : kHandlers) {
        for (const Case& row : cases) {
            SCOPED_TRACE(std::string(handler.name) + ": " + row.name);
            pick(handler, folder.write(u8"before.png", before));
            const Text sizeBefore = window.label(handler.sizeLabel).text();
            const Text nameBefore = fileName(handler);
            messages.clear();
            paste(handler, row.make());
            if (row.outcome == Case::Nothing || row.outcome == Case::TooLarge) {
                expectUnchanged(handler, sizeBefore, nameBefore);
                EXPECT_EQ(messages, row.outcome == Case::TooLarge ? std::vector<Text>{"信息：|图片需小于5M，请重新选择"} : std::vector<Text>{});
                continue;
            }
            EXPECT_TRUE(messages.empty());
            const ByteArray shown = window.pictureBox(handler.pictureBox).picture();
            EXPECT_EQ(window.label(handler.sizeLabel).text(), std::to_string(shown.size() / 1024) + "KB");
            if (row.outcome == Case::File) {
                EXPECT_EQ(shown, platform::readFile(first));
                if (handler.fileNameLabel != nullptr) {
                    EXPECT_EQ(fileName(handler), gbk(u8"第一张.png"));
                }
                EXPECT_EQ(offeredNext(handler), first);
            } else {
                const QImage decoded = QImage::fromData(QByteArray(reinterpret_cast<const char*>(shown.data()), static_cast<qsizetype>(shown.size())), "PNG");
                EXPECT_EQ(decoded.convertToFormat(QImage::Format_RGB32), copied.convertToFormat(QImage::Format_RGB32)) << "lossless PNG";
                if (handler.fileNameLabel != nullptr) {
                    EXPECT_EQ(fileName(handler), gbk(u8"剪贴板图片.png"));
                }
            }
        }
    }
}

}  // namespace
}  // namespace vd
