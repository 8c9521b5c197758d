#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QTest>
#include <algorithm>

#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::encodeImage;
using vd::test::qs;
using vd::test::solidImage;

ControlDescription place(ControlKind kind, const char* name, const char* text, QRect where) {
    ControlDescription control;
    control.kind = kind;
    control.name = name;
    control.text = text;
    control.x = where.x();
    control.y = where.y();
    control.width = where.width();
    control.height = where.height();
    return control;
}

WindowLayout accessibleLayout() {
    WindowLayout layout;
    layout.caption = "读屏";
    layout.clientWidth = 400;
    layout.clientHeight = 240;
    layout.controls.push_back(place(ControlKind::Label, "标题", "图片文件名：", {10, 10, 90, 24}));
    ControlDescription result = place(ControlKind::Label, "结果", "-", {110, 10, 200, 24});
    result.selectable = true;
    layout.controls.push_back(result);
    layout.controls.push_back(place(ControlKind::PictureBox, "图片框", "", {10, 40, 120, 90}));
    ControlDescription indicator = place(ControlKind::ShapeBox, "外形框", "", {150, 40, 24, 16});
    indicator.fillMeanings = {{0xFFFFFFU, "未对比"}, {65280U, "对比成功"}, {255U, "对比失败"}};
    layout.controls.push_back(indicator);
    return layout;
}

class AccessibilityTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }
    void SetUp() override {
        window.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    }
    QAccessibleInterface* accessible(const char* name) const {
        return QAccessible::queryAccessibleInterface(window.controlWidget(name));
    }
    QString text(const char* name, QAccessible::Text kind) const {
        QAccessibleInterface* iface = accessible(name);
        return iface != nullptr ? iface->text(kind) : QStringLiteral("(none)");
    }
    Window window{accessibleLayout()};
};

TEST_F(AccessibilityTest, LabelsAreNamedByTheirCurrentText) {
    for (const char* name : {"标题", "结果"}) {
        SCOPED_TRACE(name);
        ASSERT_NE(accessible(name), nullptr);
        EXPECT_EQ(accessible(name)->role(), QAccessible::StaticText);
    }
    EXPECT_EQ(text("标题", QAccessible::Name), qs(u8"图片文件名："));
    EXPECT_EQ(text("结果", QAccessible::Name), QStringLiteral("-"));
    window.label("结果").setText("两张图片一定是同一个人！");
    EXPECT_EQ(text("结果", QAccessible::Name), qs(u8"两张图片一定是同一个人！"));
}

TEST_F(AccessibilityTest, ResultLabelsCanBeSelectedAndCopied) {
    auto* result = static_cast<QLabel*>(window.controlWidget("结果"));
    auto* caption = static_cast<QLabel*>(window.controlWidget("标题"));
    EXPECT_TRUE(result->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    EXPECT_FALSE(caption->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));

    window.label("结果").setText("6c1a7f0e3d2b4a59");
    window.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
    QApplication::clipboard()->setText(QStringLiteral("before"));
    // Dragging across the text selects it; Ctrl+C copies the selection.
    const int middle = result->height() / 2;
    QTest::mousePress(result, Qt::LeftButton, {}, QPoint(0, middle));
    QTest::mouseMove(result, QPoint(result->width() - 1, middle));
    QTest::mouseRelease(result, Qt::LeftButton, {}, QPoint(result->width() - 1, middle));
    EXPECT_EQ(result->selectedText(), QStringLiteral("6c1a7f0e3d2b4a59"));
    QTest::keyClick(result, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("6c1a7f0e3d2b4a59"));
}

TEST_F(AccessibilityTest, PictureBoxIsAnImageDescribedByWhatItHolds) {
    ASSERT_NE(accessible("图片框"), nullptr);
    EXPECT_EQ(accessible("图片框")->role(), QAccessible::Graphic);
    EXPECT_EQ(text("图片框", QAccessible::Name), qs(u8"图片框"));
    struct Case {
        const char* name;
        ByteArray bytes;
        const char8_t* description;
    } cases[] = {
        {"empty", {}, u8"无图片"},
        {"a picture", encodeImage(solidImage(640, 480, Qt::red), "PNG"), u8"图片 640×480 像素"},
        {"bytes that are no picture", ByteArray{'G', 'I', 'F', '8', '9', 'a'}, u8"无法显示的图片数据"},
        {"a small JPEG", encodeImage(solidImage(3, 2, Qt::blue), "JPEG"), u8"图片 3×2 像素"},
        {"empty again", {}, u8"无图片"},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        window.pictureBox("图片框").setPicture(row.bytes);
        EXPECT_EQ(text("图片框", QAccessible::Description), qs(row.description));
    }
}

TEST_F(AccessibilityTest, ShapeBoxTellsWhatItsColourMeans) {
    ASSERT_NE(accessible("外形框"), nullptr);
    EXPECT_EQ(accessible("外形框")->role(), QAccessible::Indicator);
    struct Case {
        std::uint32_t colour;
        const char8_t* description;
    } cases[] = {{65280U, u8"对比成功"}, {255U, u8"对比失败"}, {0x123456U, u8""}, {0xFFFFFFU, u8"未对比"}};
    EXPECT_EQ(text("外形框", QAccessible::Description), qs(u8"未对比")) << "at start";
    for (const Case& row : cases) {
        window.shapeBox("外形框").setFillColour(row.colour);
        EXPECT_EQ(text("外形框", QAccessible::Description), qs(row.description)) << row.colour;
    }
}

// The rows from the first to the last that hold red ink.
std::pair<int, int> inkRows(const QImage& image) {
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 200 && c.green() < 160 && c.blue() < 160) {
                if (first < 0) first = y;
                last = y;
                break;
            }
        }
    return {first, last};
}

// Selectable labels lay their text out differently from the others; it must land on the same pixels.
TEST(SelectableLabel, ShowsItsTextWhereAPlainLabelDoes) {
    vd::test::ensureGui();
    struct Case {
        const char* name;
        FontDescription font;
        int height;
    } cases[] = {
        {"default font", {}, 32},    {"黑体 19", {"黑体", 19}, 32}, {"黑体 20", {"黑体", 20}, 32}, {"黑体 24", {"黑体", 24}, 32},
        {"黑体 16", {"黑体", 16}, 32}, {"宋体 16", {"宋体", 16}, 32}, {"宋体 12", {"宋体", 12}, 32}, {"a low box", {}, 16},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        WindowLayout layout;
        layout.caption = "labels";
        layout.clientWidth = 300;
        layout.clientHeight = 2 * row.height;
        ControlDescription plain = place(ControlKind::Label, "plain", "两张图片 93.71207428 %", {0, 0, 300, row.height});
        plain.font = row.font;
        plain.textColour = {255, 0, 0};
        ControlDescription selectable = plain;
        selectable.name = "selectable";
        selectable.selectable = true;
        selectable.y = row.height;
        layout.controls = {plain, selectable};
        Window window(layout);
        window.open();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
        for (const char* text : {"两张图片 93.71207428 %", "-"}) {
            SCOPED_TRACE(text);
            window.label("selectable").setText(text);
            window.label("plain").setText(text);
            const QImage shown = window.widget()->grab().toImage();
            const QImage top = shown.copy(0, 0, 300, row.height);
            const QImage bottom = shown.copy(0, row.height, 300, row.height);
            EXPECT_EQ(inkRows(top), inkRows(bottom)) << "first and last row of the text";
            EXPECT_EQ(top, bottom) << "the same pixels";
        }
    }
}

// A wrapping label breaks a long word (a face token) instead of letting it run out of the label,
// also after its font changed.
TEST(SelectableLabel, WrappingLabelBreaksLongWords) {
    vd::test::ensureGui();
    WindowLayout layout;
    layout.caption = "wrap";
    layout.clientWidth = 200;
    layout.clientHeight = 40;
    ControlDescription token = place(ControlKind::Label, "标识", "", {0, 8, 149, 24});
    token.textColour = {255, 0, 0};
    token.wrap = true;
    token.selectable = true;
    layout.controls.push_back(token);
    Window window(layout);
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    auto* label = static_cast<QLabel*>(window.controlWidget("标识"));
    const auto lines = [&] {
        const QImage shown = label->grab().toImage();
        const auto [first, last] = inkRows(shown);
        int rightmost = -1;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (shown.pixelColor(x, y).red() > 200 && shown.pixelColor(x, y).green() < 160) rightmost = std::max(rightmost, x);
        return std::pair{last - first, rightmost};
    };
    window.label("标识").setText("6c1a7f0e3d2b4a59887766554433aa21");
    const auto [height, right] = lines();
    EXPECT_GT(height, label->fontMetrics().height()) << "two lines";
    EXPECT_LT(right, label->width() - 1) << "nothing runs out of the label";
    QFont smaller = label->font();
    smaller.setPixelSize(11);
    label->setFont(smaller);
    const auto [heightAfter, rightAfter] = lines();
    EXPECT_GT(heightAfter, QFontMetrics(smaller).height()) << "still two lines";
    EXPECT_LT(rightAfter, label->width() - 1);
}

}  // namespace
}  // namespace vd::platform
