#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <cstdlib>

#include "app/MainWindowLayout.h"
#include "platform/gui/TabControlWidget.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd {
namespace {

int distance(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// Counts the pixels inside an area that are nearer to the colour than to the area's background
// (its top-left pixel): antialiased text shows mostly as blends.
int pixelsNear(const QImage& image, QRect area, QColor colour) {
    const QColor background = image.pixelColor(area.topLeft());
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (distance(c, colour) < distance(c, background)) ++count;
        }
    return count;
}

ByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return ByteArray(bytes.begin(), bytes.end());
}

// A drawn face on a soft background, for the comparison page.
QImage facePicture(QColor background, QColor skin) {
    QImage image(320, 400, QImage::Format_RGB32);
    image.fill(background);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(60, 45, 40));
    painter.drawEllipse(QRectF(70, 50, 180, 200));
    painter.setBrush(skin);
    painter.drawEllipse(QRectF(85, 85, 150, 190));
    painter.drawRect(QRectF(135, 260, 50, 40));
    painter.setBrush(QColor(70, 110, 170));
    painter.drawEllipse(QRectF(40, 290, 240, 200));
    painter.setBrush(QColor(40, 40, 40));
    painter.drawEllipse(QRectF(123, 160, 16, 10));
    painter.drawEllipse(QRectF(181, 160, 16, 10));
    painter.setPen(QPen(QColor(150, 60, 60), 4, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(135, 200, 50, 35), 200 * 16, 140 * 16);
    return image;
}

// A car's rear with its plate where the stand-in's plate reply puts the corners.
QImage platePicture() {
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(QColor(185, 190, 195));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(150, 30, 35));
    painter.drawRoundedRect(QRectF(60, 120, 520, 250), 40, 40);
    painter.setBrush(QColor(40, 40, 45));
    painter.drawRect(QRectF(60, 330, 520, 40));
    painter.setBrush(QColor(20, 70, 170));
    painter.drawPolygon(QPolygonF({QPointF(195, 267), QPointF(383, 270), QPointF(382, 316), QPointF(195, 313)}));
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setPixelSize(30);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(QRectF(195, 267, 188, 48), Qt::AlignCenter, QString::fromUtf16(u"苏HS7766"));
    return image;
}

QRect areaOf(const platform::Window& window, const char* name) {
    QWidget* widget = window.controlWidget(name);
    return QRect(widget->mapTo(window.widget(), QPoint(0, 0)), widget->size());
}

// Renders the pages. With VISION_DESK_SCREENSHOT=<file>.png set, writes the first page at start
// there and the others next to it (<file>-recognition.png, -plate, -results, -error, -lines,
// -compared, -outline).
TEST(Screenshot, RendersTheWindowToPng) {
    vd::test::ensureGui();
    platform::Window window(mainWindowLayout());
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    vd::test::ScratchFolder folder;

    const QImage face = window.widget()->grab().toImage();
    window.tabControl("高级选择夹1").setCurrentPage(1);
    const QImage recognition = window.widget()->grab().toImage();
    window.tabControl("高级选择夹2").setCurrentPage(1);
    const QImage plate = window.widget()->grab().toImage();

    for (const QImage* image : {&face, &recognition, &plate}) {
        ASSERT_EQ(image->size(), QSize(632, 528));
        const QString file = QString::fromStdString((folder.path() / "shot.png").string());
        ASSERT_TRUE(image->save(file, "PNG"));
        EXPECT_EQ(QImage(file).size(), QSize(632, 528));
    }
    // Text was drawn in its colour where the layout puts it; white boxes are white.
    window.tabControl("高级选择夹1").setCurrentPage(0);
    EXPECT_GT(pixelsNear(face, areaOf(window, "透明标签7"), QColor(0, 0, 255)), 20) << "blue file-name label";
    EXPECT_GT(pixelsNear(face, areaOf(window, "透明标签13"), QColor(96, 96, 96)), 40) << "grey result caption";
    EXPECT_GT(pixelsNear(face, areaOf(window, "透明标签1"), QColor(0, 0, 0)), 20) << "black caption";
    QImage white(240, 176, QImage::Format_RGB32);
    white.fill(Qt::white);
    EXPECT_EQ(face.copy(areaOf(window, "图片框1")).convertToFormat(QImage::Format_RGB32), white) << "empty picture box";
    window.tabControl("高级选择夹1").setCurrentPage(1);
    EXPECT_GT(pixelsNear(plate, areaOf(window, "透明标签68"), QColor(96, 96, 96)), 60) << "grey plate caption";
    EXPECT_GT(pixelsNear(recognition, areaOf(window, "透明标签63"), QColor(96, 96, 96)), 60) << "grey result heading";

    // With results written by the workflows: texts, the wrapped token, the error panel over the results.
    window.tabControl("高级选择夹1").setCurrentPage(0);
    window.label("透明标签7").setText("face-1.jpg");
    window.label("透明标签8").setText("137KB");
    window.label("透明标签9").setText("6c1a7f0e3d2b4a59887766554433aa21");
    window.label("透明标签12").setText("0f9e8d7c6b5a49382716aabbccddeeff");
    window.label("透明标签14").setText("两张图片一定是同一个人！");
    window.label("透明标签17").setText("93.71207428 %");
    window.label("透明标签77").setText("1.234秒");
    window.shapeBox("外形框2").setFillColour(65280);
    const QImage results = window.widget()->grab().toImage();
    window.editBox("错误代码框2").setText("222202");
    window.editBox("错误描述框2").setText("未检测到人脸");
    window.editBox("错误信息框2").setText("pic not has face");
    window.groupBox("错误框2").setVisible(true);
    window.shapeBox("外形框2").setFillColour(255);
    const QImage failure = window.widget()->grab().toImage();
    // Part of the verdict's line inside the panel, clear of its edit boxes.
    const QRect underPanel(310, 376, 140, 26);
    EXPECT_GT(pixelsNear(results, underPanel, QColor(255, 0, 0)), 100) << "red verdict";
    EXPECT_EQ(pixelsNear(failure, underPanel, QColor(255, 0, 0)), 0) << "the error panel covers the verdict";
    window.tabControl("高级选择夹1").setCurrentPage(1);
    window.tabControl("高级选择夹2").setCurrentPage(0);
    window.editBox("编辑框1").setText("第二行 B\r\n第一行 A\r\n");
    window.label("透明标签67").setText("成功");
    const QImage lines = window.widget()->grab().toImage();
    const QRect box = areaOf(window, "编辑框1");
    const int barBottom = areaOf(window, "高级选择夹2").top() +
                          static_cast<platform::TabControlWidget*>(window.controlWidget("高级选择夹2"))->barHeight();
    EXPECT_GT(pixelsNear(lines, QRect(box.left() + 2, barBottom, 100, 16), QColor(0, 0, 0)), 20) << "first line below the tabs";

    // Two pictures picked and compared; a plate recognised and outlined on its picture.
    window.tabControl("高级选择夹1").setCurrentPage(0);
    window.groupBox("错误框2").setVisible(false);
    window.shapeBox("外形框2").setFillColour(65280);
    window.pictureBox("图片框1").setPicture(pngBytes(facePicture(QColor(225, 235, 240), QColor(236, 200, 170))));
    window.pictureBox("图片框2").setPicture(pngBytes(facePicture(QColor(240, 230, 215), QColor(230, 190, 160))));
    window.label("透明标签10").setText("face-2.jpg");
    window.label("透明标签11").setText("152KB");
    const QImage compared = window.widget()->grab().toImage();
    EXPECT_NE(compared.copy(areaOf(window, "图片框1")).convertToFormat(QImage::Format_RGB32), white) << "a picture is drawn";
    window.tabControl("高级选择夹1").setCurrentPage(1);
    window.tabControl("高级选择夹2").setCurrentPage(1);
    window.radioButton("单选框2").setChecked(true);
    window.pictureBox("图片框5").setPicture(pngBytes(platePicture()));
    window.pictureBox("图片框5").setOutline({{195, 267}, {383, 270}, {382, 316}, {195, 313}});
    window.label("透明标签65").setText("96KB");
    window.label("透明标签67").setText("-");
    window.label("透明标签81").setText("0.812秒");
    window.label("透明标签71").setText("蓝牌");
    window.label("透明标签72").setText("苏HS7766");
    window.label("透明标签73").setText("苏H");
    const QImage outlined = window.widget()->grab().toImage();

    if (const char* target = std::getenv("VISION_DESK_SCREENSHOT"); target != nullptr && *target != '\0') {
        QString path = QString::fromLocal8Bit(target);
        ASSERT_TRUE(face.save(path, "PNG"));
        path.chop(4);
        ASSERT_TRUE(recognition.save(path + QStringLiteral("-recognition.png"), "PNG"));
        ASSERT_TRUE(plate.save(path + QStringLiteral("-plate.png"), "PNG"));
        ASSERT_TRUE(results.save(path + QStringLiteral("-results.png"), "PNG"));
        ASSERT_TRUE(failure.save(path + QStringLiteral("-error.png"), "PNG"));
        ASSERT_TRUE(lines.save(path + QStringLiteral("-lines.png"), "PNG"));
        ASSERT_TRUE(compared.save(path + QStringLiteral("-compared.png"), "PNG"));
        ASSERT_TRUE(outlined.save(path + QStringLiteral("-outline.png"), "PNG"));
    }
}

}  // namespace
}  // namespace vd
