#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <random>

#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/Window.h"
#include "tests/platform/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::testing::encodeImage;
using vd::testing::solidImage;

WindowLayout boxLayout() {
    WindowLayout layout;
    layout.caption = "box";
    layout.clientWidth = 300;
    layout.clientHeight = 200;
    ControlDescription box;
    box.kind = ControlKind::PictureBox;
    box.name = "图片框";
    box.x = 30;
    box.y = 10;
    box.width = 240;
    box.height = 176;
    layout.controls.push_back(box);
    return layout;
}

class PictureBoxTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::testing::ensureGui(); }
    void SetUp() override {
        window.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    }
    PictureBoxWidget* widget() const { return static_cast<PictureBoxWidget*>(window.controlWidget("图片框")); }
    Window window{boxLayout()};
};

TEST_F(PictureBoxTest, DrawsCentredAndScaledDownKeepingProportions) {
    struct Case {
        const char* name;
        QSize picture;
        const char* format;
        QRect drawn;
    } cases[] = {
        {"100 x 100 at its own size", {100, 100}, "PNG", {70, 38, 100, 100}},
        {"exactly the box", {240, 176}, "PNG", {0, 0, 240, 176}},
        {"twice as wide: width ratio", {960, 176}, "JPEG", {0, 66, 240, 44}},
        {"taller: height ratio", {200, 352}, "PNG", {70, 0, 100, 176}},
        {"large in both", {1920, 1080}, "JPEG", {0, 20, 240, 135}},
        {"tiny", {3, 3}, "PNG", {118, 86, 3, 3}},
    };
    const PictureBox box = window.pictureBox("图片框");
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        const ByteArray bytes = encodeImage(solidImage(row.picture.width(), row.picture.height(), Qt::darkGreen), row.format);
        box.setPicture(bytes);
        EXPECT_EQ(box.picture(), bytes);
        EXPECT_EQ(widget()->drawnRect(), row.drawn);
        const QImage shown = widget()->grab().toImage();
        const QPoint centre = row.drawn.center();
        EXPECT_NEAR(qGreen(shown.pixel(centre)), QColor(Qt::darkGreen).green(), 10);
        if (row.drawn.left() > 0) {
            EXPECT_EQ(shown.pixelColor(row.drawn.left() - 1, centre.y()), QColor(Qt::white));
        }
    }
}

TEST_F(PictureBoxTest, ScalesSmoothly) {
    // A one-pixel checkerboard halved: smooth scaling averages to grey, plain sampling would not.
    QImage board(480, 352, QImage::Format_RGB32);
    for (int y = 0; y < board.height(); ++y)
        for (int x = 0; x < board.width(); ++x) board.setPixel(x, y, (x + y) % 2 == 0 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    window.pictureBox("图片框").setPicture(encodeImage(board, "PNG"));
    const QImage shown = widget()->grab().toImage();
    EXPECT_NEAR(qGray(shown.pixel(120, 88)), 128, 40);
}

TEST_F(PictureBoxTest, KeepsUndecodableBytesAndDrawsNothing) {
    const PictureBox box = window.pictureBox("图片框");
    EXPECT_TRUE(box.picture().empty());
    box.setPicture(encodeImage(solidImage(50, 50, Qt::red), "PNG"));
    const ByteArray notAPicture{'%', 'P', 'D', 'F', 0, 1, 2, 0xFF};
    box.setPicture(notAPicture);
    EXPECT_EQ(box.picture(), notAPicture);
    EXPECT_TRUE(widget()->drawnRect().isNull());
    const QImage shown = widget()->grab().toImage();
    EXPECT_EQ(shown.pixelColor(120, 88), QColor(Qt::white));
    box.setPicture({});
    EXPECT_TRUE(box.picture().empty());
}

// Damaged pictures set on a real box and drawn: the bytes stay as given and nothing crashes.
TEST_F(PictureBoxTest, SurvivesDamagedPictures) {
    const ByteArray seeds[] = {encodeImage(solidImage(300, 200, Qt::blue), "PNG"), encodeImage(solidImage(300, 200, Qt::blue), "JPEG")};
    std::mt19937 random(7);
    const PictureBox box = window.pictureBox("图片框");
    for (const ByteArray& seed : seeds) {
        for (int round = 0; round < 60; ++round) {
            ByteArray bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(random() % seed.size()));
            for (int i = 0; i < 4 && bytes.size() > 4; ++i) bytes[3 + random() % (bytes.size() - 3)] ^= static_cast<std::uint8_t>(random());
            box.setPicture(bytes);
            ASSERT_EQ(box.picture(), bytes);
            widget()->grab();
        }
    }
}

}  // namespace
}  // namespace vd::platform
