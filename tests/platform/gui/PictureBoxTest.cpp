#include <gtest/gtest.h>

#include <QImage>
#include <QTest>
#include <cmath>
#include <random>

#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::encodeImage;
using vd::test::solidImage;

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
    static void SetUpTestSuite() { vd::test::ensureGui(); }
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

// The outline of a plate reply on a 960 x 480 picture, drawn at a quarter of its size.
TEST_F(PictureBoxTest, OutlineIsPlacedAndScaledWithThePicture) {
    const PictureBox box = window.pictureBox("图片框");
    box.setPicture(encodeImage(solidImage(960, 480, QColor(40, 90, 160)), "PNG"));
    ASSERT_EQ(widget()->drawnRect(), QRect(0, 28, 240, 120));
    const std::vector<PicturePoint> corners{{195, 267}, {383, 270}, {382, 316}, {195, 313}};
    box.setOutline(corners);
    const QPolygonF drawn = widget()->outlinePolygon();
    ASSERT_EQ(drawn.size(), 4);
    for (int k = 0; k < 4; ++k) {
        const QPointF expected(corners[k].x / 4.0, 28 + corners[k].y / 4.0);
        EXPECT_LE(std::abs(drawn[k].x() - expected.x()), 1.0) << "corner " << k;
        EXPECT_LE(std::abs(drawn[k].y() - expected.y()), 1.0) << "corner " << k;
    }
    // The line is drawn there: bright in the middle of each edge, the picture inside.
    const QImage shown = widget()->grab().toImage();
    for (int k = 0; k < 4; ++k) {
        const QPointF middle = (QPointF(corners[k].x, corners[k].y) + QPointF(corners[(k + 1) % 4].x, corners[(k + 1) % 4].y)) / 8.0 +
                               QPointF(0, 28);
        // Within a pixel of the edge's middle, the bright inner line and the dark outer line.
        bool bright = false;
        bool dark = false;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx) {
                const QColor pixel = shown.pixelColor(middle.toPoint() + QPoint(dx, dy));
                if (std::abs(dx) <= 1 && std::abs(dy) <= 1 && pixel.red() > 200 && pixel.green() > 180 && pixel.blue() < 100) bright = true;
                if (pixel.red() < 25 && pixel.green() < 55 && pixel.blue() < 100) dark = true;  // darker than the picture
            }
        EXPECT_TRUE(bright) << "edge " << k;
        EXPECT_TRUE(dark) << "edge " << k;
    }
    EXPECT_EQ(shown.pixelColor(QPoint(72, 101)), QColor(40, 90, 160)) << "inside the outline";

    box.setPicture(encodeImage(solidImage(960, 480, Qt::white), "PNG"));
    EXPECT_TRUE(widget()->outlinePolygon().isEmpty()) << "a new picture removes the outline";
}

TEST_F(PictureBoxTest, OutlinesThatCannotBeDrawn) {
    const PictureBox box = window.pictureBox("图片框");
    const ByteArray picture = encodeImage(solidImage(200, 100, Qt::white), "PNG");
    box.setPicture(picture);
    box.setOutline({{10, 10}, {20, 10}});
    EXPECT_TRUE(widget()->outlinePolygon().isEmpty()) << "two points";
    box.setOutline({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    EXPECT_EQ(widget()->outlinePolygon().size(), 4);
    box.clearOutline();
    EXPECT_TRUE(widget()->outlinePolygon().isEmpty()) << "cleared";
    box.setPicture(ByteArray{1, 2, 3});
    box.setOutline({{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    EXPECT_TRUE(widget()->outlinePolygon().isEmpty()) << "no picture is drawn";
    // Corners far outside the picture: the line is cut at the box's edges.
    box.setPicture(picture);
    box.setOutline({{-5000, -5000}, {5000, -5000}, {5000, 5000}, {-5000, 5000}});
    const QImage shown = widget()->grab().toImage();
    EXPECT_EQ(shown.size(), QSize(240, 176));
    EXPECT_EQ(shown.pixelColor(QPoint(120, 88)), QColor(Qt::white)) << "the picture stays uncovered";
}

TEST_F(PictureBoxTest, TakesFocusAndShowsAFrameForIt) {
    EXPECT_EQ(widget()->focusPolicy(), Qt::StrongFocus) << "a click and Tab focus the box";
    const QColor highlight = widget()->palette().color(QPalette::Highlight);
    auto framed = [&] {
        const QImage shown = widget()->grab().toImage();
        int count = 0;
        for (int x = 0; x < shown.width(); ++x) count += shown.pixelColor(x, 0) == highlight ? 1 : 0;
        return count;
    };
    window.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
    widget()->clearFocus();
    EXPECT_EQ(framed(), 0) << "no frame without focus";
    QTest::mouseClick(widget(), Qt::LeftButton);
    ASSERT_TRUE(widget()->hasFocus());
    EXPECT_GT(framed(), widget()->width() / 4) << "a dotted frame along the top";
}

}  // namespace
}  // namespace vd::platform
