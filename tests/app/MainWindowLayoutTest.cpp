#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRawFont>
#include <QStyle>
#include <QTabBar>
#include <QTest>
#include <set>
#include <string>

#include "app/MainWindowLayout.h"
#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/PictureBoxWidget.h"
#include "platform/gui/ShapeBoxWidget.h"
#include "platform/gui/TabControlWidget.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd {
namespace {

using platform::ControlKind;
using vd::test::qs;

enum class Look { None, Black, Red, Blue, Grey };
enum Flags : unsigned { kNone = 0, kWrap = 1, kMultiLine = 2, kHidden = 4, kChecked = 8 };
enum class Face { Default, Hei, Song };

struct Expected {
    const char8_t* name;
    ControlKind kind;
    const char8_t* holder;  // u8"" for the client area
    int page;
    QRect place;
    const char8_t* text;
    Look colour;
    Qt::Alignment alignment;
    Face face;
    int pixels;
    unsigned flags;
};

using K = ControlKind;
constexpr Qt::Alignment L = Qt::AlignLeft;
constexpr Qt::Alignment R = Qt::AlignRight;
constexpr Qt::Alignment C = Qt::AlignHCenter;

// The main window as its users know it.
const Expected kControls[] = {
    {u8"高级选择夹1", K::TabControl, u8"", 0, {0, 0, 632, 528}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"图片框1", K::PictureBox, u8"高级选择夹1", 0, {30, 36, 240, 176}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"图片框2", K::PictureBox, u8"高级选择夹1", 0, {362, 35, 240, 176}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"打开对比图1", K::Button, u8"高级选择夹1", 0, {276, 64, 80, 32}, u8"打开图片一", Look::None, L, Face::Default, 12, kNone},
    {u8"外形框2", K::ShapeBox, u8"高级选择夹1", 0, {303, 117, 24, 16}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"打开对比图2", K::Button, u8"高级选择夹1", 0, {276, 156, 80, 32}, u8"打开图片二", Look::None, L, Face::Default, 12, kNone},
    {u8"透明标签1", K::Label, u8"高级选择夹1", 0, {29, 211, 72, 32}, u8"图片文件名：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签7", K::Label, u8"高级选择夹1", 0, {105, 211, 118, 32}, u8"未选择！", Look::Blue, L, Face::Default, 12, kNone},
    {u8"透明标签2", K::Label, u8"高级选择夹1", 0, {29, 235, 72, 32}, u8"图片大小：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签8", K::Label, u8"高级选择夹1", 0, {105, 235, 117, 32}, u8"未选择！", Look::Blue, L, Face::Default, 12, kNone},
    {u8"透明标签3", K::Label, u8"高级选择夹1", 0, {29, 261, 72, 32}, u8"图片标识：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签9", K::Label, u8"高级选择夹1", 0, {106, 272, 149, 24}, u8"-", Look::Red, L, Face::Default, 12, kWrap},
    {u8"透明标签4", K::Label, u8"高级选择夹1", 0, {364, 208, 72, 34}, u8"图片文件名：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签10", K::Label, u8"高级选择夹1", 0, {439, 209, 96, 32}, u8"未选择！", Look::Blue, L, Face::Default, 12, kNone},
    {u8"透明标签5", K::Label, u8"高级选择夹1", 0, {364, 235, 72, 32}, u8"图片大小：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签11", K::Label, u8"高级选择夹1", 0, {438, 235, 96, 32}, u8"未选择！", Look::Blue, L, Face::Default, 12, kNone},
    {u8"透明标签6", K::Label, u8"高级选择夹1", 0, {364, 261, 72, 32}, u8"图片标识：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签12", K::Label, u8"高级选择夹1", 0, {439, 262, 157, 32}, u8"-", Look::Red, L, Face::Default, 12, kNone},
    {u8"对比人脸", K::Button, u8"高级选择夹1", 0, {216, 303, 200, 40}, u8"开始对比", Look::None, L, Face::Default, 12, kNone},
    {u8"错误框2", K::GroupBox, u8"高级选择夹1", 0, {120, 349, 392, 160}, u8"错误信息", Look::None, L, Face::Default, 12, kHidden},
    {u8"透明标签13", K::Label, u8"高级选择夹1", 0, {50, 376, 160, 32}, u8"识别结果：", Look::Grey, R, Face::Hei, 20, kNone},
    {u8"透明标签14", K::Label, u8"高级选择夹1", 0, {213, 376, 240, 32}, u8"-", Look::Red, L, Face::Hei, 19, kNone},
    {u8"透明标签16", K::Label, u8"高级选择夹1", 0, {129, 412, 80, 32}, u8"相似度：", Look::Grey, R, Face::Hei, 20, kNone},
    {u8"透明标签17", K::Label, u8"高级选择夹1", 0, {213, 414, 152, 32}, u8"-", Look::Red, L, Face::Hei, 19, kNone},
    {u8"透明标签76", K::Label, u8"高级选择夹1", 0, {158, 445, 48, 32}, u8"耗时：", Look::Blue, R, Face::Song, 16, kNone},
    {u8"透明标签77", K::Label, u8"高级选择夹1", 0, {214, 447, 64, 32}, u8"-", Look::Red, L, Face::Song, 16, kNone},
    {u8"透明标签18", K::Label, u8"错误框2", 0, {16, 26, 56, 16}, u8"错误代码：", Look::Blue, L, Face::Default, 12, kNone},
    {u8"错误代码框2", K::EditBox, u8"错误框2", 0, {83, 25, 100, 20}, u8"", Look::Red, L, Face::Default, 12, kNone},
    {u8"透明标签19", K::Label, u8"错误框2", 0, {16, 65, 56, 16}, u8"错误描述：", Look::Blue, L, Face::Default, 12, kNone},
    {u8"错误描述框2", K::EditBox, u8"错误框2", 0, {81, 55, 303, 33}, u8"", Look::Red, L, Face::Default, 12, kMultiLine},
    {u8"透明标签33", K::Label, u8"错误框2", 0, {16, 109, 56, 16}, u8"错误信息：", Look::Blue, L, Face::Default, 12, kNone},
    {u8"错误信息框2", K::EditBox, u8"错误框2", 0, {80, 96, 304, 48}, u8"", Look::Red, L, Face::Default, 12, kMultiLine},
    {u8"图片框5", K::PictureBox, u8"高级选择夹1", 1, {8, 26, 264, 166}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"按钮2", K::Button, u8"高级选择夹1", 1, {299, 44, 104, 32}, u8"打开识别图", Look::None, L, Face::Default, 12, kNone},
    {u8"单选框1", K::RadioButton, u8"高级选择夹1", 1, {520, 47, 80, 24}, u8"文字识别", Look::None, L, Face::Default, 12, kChecked},
    {u8"单选框2", K::RadioButton, u8"高级选择夹1", 1, {520, 85, 80, 24}, u8"车牌识别", Look::None, L, Face::Default, 12, kNone},
    {u8"透明标签64", K::Label, u8"高级选择夹1", 1, {288, 86, 72, 32}, u8"图片大小：", Look::Black, R, Face::Default, 12, kNone},
    {u8"透明标签65", K::Label, u8"高级选择夹1", 1, {372, 86, 72, 32}, u8"未选择！", Look::Blue, L, Face::Default, 12, kNone},
    {u8"透明标签66", K::Label, u8"高级选择夹1", 1, {287, 108, 72, 32}, u8"识别状态：", Look::Blue, R, Face::Default, 12, kNone},
    {u8"透明标签67", K::Label, u8"高级选择夹1", 1, {374, 108, 72, 32}, u8"-", Look::Red, L, Face::Default, 12, kNone},
    {u8"开始文字识别", K::Button, u8"高级选择夹1", 1, {519, 124, 80, 60}, u8"识别", Look::None, L, Face::Default, 12, kNone},
    {u8"透明标签80", K::Label, u8"高级选择夹1", 1, {311, 129, 48, 32}, u8"耗时：", Look::Blue, R, Face::Song, 12, kNone},
    {u8"透明标签81", K::Label, u8"高级选择夹1", 1, {374, 129, 72, 32}, u8"-", Look::Red, L, Face::Default, 12, kNone},
    {u8"透明标签62", K::Label, u8"高级选择夹1", 1, {51, 187, 160, 32}, u8"原始图片", Look::Grey, C, Face::Hei, 16, kNone},
    {u8"透明标签63", K::Label, u8"高级选择夹1", 1, {3, 234, 160, 32}, u8"识别结果", Look::Grey, L, Face::Hei, 24, kNone},
    {u8"高级选择夹2", K::TabControl, u8"高级选择夹1", 1, {1, 270, 510, 254}, u8"", Look::None, L, Face::Default, 12, kNone},
    {u8"编辑框1", K::EditBox, u8"高级选择夹2", 0, {6, 7, 497, 243}, u8"", Look::Black, L, Face::Default, 12, kMultiLine},
    {u8"透明标签68", K::Label, u8"高级选择夹2", 1, {0, 32, 160, 32}, u8"车牌颜色：", Look::Grey, C, Face::Hei, 24, kNone},
    {u8"透明标签71", K::Label, u8"高级选择夹2", 1, {136, 34, 240, 32}, u8"-", Look::Red, L, Face::Hei, 24, kNone},
    {u8"透明标签69", K::Label, u8"高级选择夹2", 1, {0, 73, 160, 32}, u8"车牌号码：", Look::Grey, C, Face::Hei, 24, kNone},
    {u8"透明标签72", K::Label, u8"高级选择夹2", 1, {137, 74, 240, 32}, u8"-", Look::Red, L, Face::Hei, 24, kNone},
    {u8"透明标签70", K::Label, u8"高级选择夹2", 1, {0, 114, 160, 32}, u8"地区代码：", Look::Grey, C, Face::Hei, 24, kNone},
    {u8"透明标签73", K::Label, u8"高级选择夹2", 1, {138, 114, 240, 32}, u8"-", Look::Red, L, Face::Hei, 24, kNone},
};

QColor colourOf(Look look) {
    switch (look) {
        case Look::Red: return QColor(255, 0, 0);
        case Look::Blue: return QColor(0, 0, 255);
        case Look::Grey: return QColor(96, 96, 96);
        case Look::Black:
        case Look::None: break;
    }
    return QColor(0, 0, 0);
}

const QStringList& familiesOf(Face face) {
    static const QStringList hei{QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC")};
    static const QStringList song{QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("WenQuanYi Zen Hei")};
    return face == Face::Hei ? hei : song;
}

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

class MainWindowLayoutTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }
    QWidget* control(const char8_t* name) const { return window.controlWidget(vd::test::gbk(name)); }
    platform::Window window{mainWindowLayout()};
};

TEST_F(MainWindowLayoutTest, CaptionAndFixedClientArea) {
    window.open();
    QWidget* top = window.widget();
    EXPECT_EQ(top->windowTitle(), qs(u8"人脸对比-百度API"));
    EXPECT_EQ(top->size(), QSize(632, 528));
    EXPECT_EQ(top->minimumSize(), QSize(632, 528)) << "not resizable";
    EXPECT_EQ(top->maximumSize(), QSize(632, 528)) << "not resizable";
    EXPECT_EQ(control(u8"高级选择夹1")->geometry(), QRect(0, 0, 632, 528));
}

TEST_F(MainWindowLayoutTest, EveryControlHasItsPlaceTextAndLook) {
    for (const Expected& row : kControls) {
        SCOPED_TRACE(utf8(row.name));
        QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_EQ(widget->objectName(), qs(row.name));
        // Place relative to the holder: the tab control's own corner (its pages cover it), or the group box.
        QWidget* holder = window.widget();
        if (*row.holder != u8'\0') {
            holder = control(row.holder);
            ASSERT_NE(holder, nullptr);
            if (auto* tabs = dynamic_cast<platform::TabControlWidget*>(holder)) {
                ASSERT_LT(row.page, tabs->pageCount());
                EXPECT_EQ(widget->parentWidget(), tabs->page(row.page)) << "page";
            } else {
                EXPECT_EQ(widget->parentWidget(), holder);
            }
        }
        EXPECT_EQ(QRect(widget->mapTo(holder, QPoint(0, 0)), widget->size()), row.place);
        EXPECT_EQ(widget->isHidden(), (row.flags & kHidden) != 0);

        const QFontInfo font(widget->font());
        EXPECT_EQ(font.pixelSize(), row.pixels);
        EXPECT_TRUE(familiesOf(row.face).contains(font.family())) << font.family().toStdString();
        EXPECT_FALSE(font.bold());

        switch (row.kind) {
            case K::Label: {
                auto* label = dynamic_cast<platform::LabelWidget*>(widget);
                ASSERT_NE(label, nullptr);
                EXPECT_EQ(label->text(), vd::test::gbk(row.text));
                EXPECT_EQ(label->textColour(), colourOf(row.colour));
                EXPECT_EQ(label->alignment(), row.alignment);
                EXPECT_EQ(label->wraps(), (row.flags & kWrap) != 0);
                EXPECT_FALSE(label->autoFillBackground()) << "transparent";
                break;
            }
            case K::Button: {
                auto* button = qobject_cast<QPushButton*>(widget);
                ASSERT_NE(button, nullptr);
                EXPECT_EQ(button->text(), qs(row.text));
                break;
            }
            case K::RadioButton: {
                auto* radio = qobject_cast<QRadioButton*>(widget);
                ASSERT_NE(radio, nullptr);
                EXPECT_EQ(radio->text(), qs(row.text));
                EXPECT_EQ(radio->isChecked(), (row.flags & kChecked) != 0);
                break;
            }
            case K::GroupBox: {
                auto* group = qobject_cast<QGroupBox*>(widget);
                ASSERT_NE(group, nullptr);
                EXPECT_EQ(group->title(), qs(row.text));
                EXPECT_TRUE(group->autoFillBackground()) << "shown, it covers the result labels";
                break;
            }
            case K::EditBox: {
                auto* box = dynamic_cast<platform::EditBoxWidget*>(widget);
                ASSERT_NE(box, nullptr);
                EXPECT_EQ(box->multiLine(), (row.flags & kMultiLine) != 0);
                EXPECT_EQ(box->text(), "");
                EXPECT_EQ(box->editor()->palette().color(QPalette::Text), colourOf(row.colour));
                EXPECT_EQ(box->editor()->palette().color(QPalette::Base), QColor(Qt::white));
                break;
            }
            case K::PictureBox: {
                auto* box = dynamic_cast<platform::PictureBoxWidget*>(widget);
                ASSERT_NE(box, nullptr);
                EXPECT_TRUE(box->picture().empty());
                EXPECT_EQ(box->background(), QColor(Qt::white));
                break;
            }
            case K::ShapeBox: {
                auto* shape = dynamic_cast<platform::ShapeBoxWidget*>(widget);
                ASSERT_NE(shape, nullptr);
                EXPECT_EQ(shape->fill(), QColor(Qt::white));
                break;
            }
            case K::TabControl: {
                auto* tabs = dynamic_cast<platform::TabControlWidget*>(widget);
                ASSERT_NE(tabs, nullptr);
                ASSERT_EQ(tabs->pageCount(), 2);
                EXPECT_EQ(tabs->currentPage(), 0);
                break;
            }
            case K::FileDialog: break;
        }
    }
    EXPECT_EQ(window.tabControl("高级选择夹1").pageCaption(0), "人脸对比");
    EXPECT_EQ(window.tabControl("高级选择夹1").pageCaption(1), "文字识别");
    EXPECT_EQ(window.tabControl("高级选择夹2").pageCaption(0), "文字识别");
    EXPECT_EQ(window.tabControl("高级选择夹2").pageCaption(1), "车牌识别");
    EXPECT_TRUE(window.fileDialog("通用对话框1"));
    EXPECT_EQ(window.controlWidget("通用对话框1"), nullptr) << "the file dialog is not drawn";
}

// What a control shows: its text, with the font it is drawn in.
QString shownText(QWidget* widget) {
    if (auto* label = dynamic_cast<platform::LabelWidget*>(widget)) return label->shownText();
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(widget)) return group->title();
    return {};
}

TEST_F(MainWindowLayoutTest, EveryTextIsDrawableAndFitsItsControl) {
    for (const Expected& row : kControls) {
        SCOPED_TRACE(utf8(row.name));
        QWidget* widget = control(row.name);
        ASSERT_NE(widget, nullptr);
        const QString text = shownText(widget);
        if (text.isEmpty()) continue;
        const QRawFont raw = QRawFont::fromFont(widget->font());
        for (const QChar character : text) EXPECT_TRUE(raw.supportsCharacter(character)) << "no glyph for U+" << std::hex << static_cast<unsigned>(character.unicode());

        const QFontMetrics metrics(widget->font());
        const QRect ink = metrics.tightBoundingRect(text);
        int room = widget->width();
        if (qobject_cast<QPushButton*>(widget) != nullptr) room -= 8;
        if (qobject_cast<QRadioButton*>(widget) != nullptr)
            room -= widget->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) + widget->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
        EXPECT_LE(ink.width(), room) << "clipped at the right";
        EXPECT_LE(ink.height(), widget->height()) << "clipped at the bottom";
    }
    for (const char* name : {"高级选择夹1", "高级选择夹2"}) {
        const auto* tabs = static_cast<platform::TabControlWidget*>(window.controlWidget(name));
        EXPECT_LE(tabs->tabBar()->sizeHint().width(), tabs->width()) << name;
    }
}

// The tab rows cover no control, except 编辑框1, whose text starts below its row.
TEST_F(MainWindowLayoutTest, TabRowsLeaveTheControlsFree) {
    for (const char* name : {"高级选择夹1", "高级选择夹2"}) {
        const auto* tabs = static_cast<platform::TabControlWidget*>(window.controlWidget(name));
        const QRect bar(0, 0, tabs->width(), tabs->barHeight());
        for (int page = 0; page < tabs->pageCount(); ++page) {
            for (QWidget* child : tabs->page(page)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
                if (child->objectName() == qs(u8"编辑框1")) {
                    auto* box = static_cast<platform::EditBoxWidget*>(child);
                    EXPECT_GE(static_cast<QPlainTextEdit*>(box->editor())->viewport()->mapTo(tabs, QPoint(0, 0)).y(), bar.bottom() + 1);
                    continue;
                }
                EXPECT_FALSE(child->geometry().intersects(bar)) << name << " covers " << child->objectName().toStdString();
            }
        }
    }
}

TEST_F(MainWindowLayoutTest, ResultAndFileLabelsAreSelectableCaptionsAreNot) {
    const std::set<std::string> selectable{"透明标签7",  "透明标签8",  "透明标签9",  "透明标签10", "透明标签11",
                                           "透明标签12", "透明标签14", "透明标签17", "透明标签77", "透明标签65",
                                           "透明标签67", "透明标签81", "透明标签71", "透明标签72", "透明标签73"};
    int labels = 0;
    for (const platform::ControlDescription& desc : mainWindowLayout().controls) {
        if (desc.kind != ControlKind::Label) continue;
        ++labels;
        const auto* label = static_cast<platform::LabelWidget*>(window.controlWidget(desc.name));
        EXPECT_EQ(label->textInteractionFlags().testFlag(Qt::TextSelectableByMouse), selectable.count(desc.name) == 1)
            << label->objectName().toStdString();
    }
    EXPECT_EQ(labels, 35);
}

// The control a focused widget belongs to: the nearest named one (a tab row counts as its tab control).
QString controlOf(QWidget* widget) {
    for (; widget != nullptr; widget = widget->parentWidget())
        if (!widget->objectName().isEmpty()) return widget->objectName();
    return QStringLiteral("(none)");
}

TEST_F(MainWindowLayoutTest, TabVisitsThePageInReadingOrderCtrlTabSwitchesPages) {
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    window.widget()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.widget()));
    auto* outer = static_cast<platform::TabControlWidget*>(window.controlWidget("高级选择夹1"));
    struct Case {
        int page;
        std::vector<const char8_t*> order;  // from the outer tab row, once round
    } cases[] = {
        {0, {u8"高级选择夹1", u8"图片框1", u8"图片框2", u8"打开对比图1", u8"打开对比图2", u8"对比人脸"}},
        // Tab stops at the checked radio button of the group; the arrow keys move within it.
        {1, {u8"高级选择夹1", u8"图片框5", u8"按钮2", u8"单选框1", u8"开始文字识别", u8"高级选择夹2", u8"编辑框1"}},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.page);
        window.tabControl("高级选择夹1").setCurrentPage(row.page);
        outer->tabBar()->setFocus(Qt::TabFocusReason);
        QStringList visited;
        for (std::size_t k = 0; k <= row.order.size(); ++k) {
            visited << controlOf(QApplication::focusWidget());
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        QStringList expected;
        for (const char8_t* name : row.order) expected << qs(name);
        expected << qs(row.order.front());
        EXPECT_EQ(visited, expected);
    }

    // Ctrl+Tab and Ctrl+Shift+Tab from anywhere in the window, also from an edit box.
    window.tabControl("高级选择夹1").setCurrentPage(1);
    static_cast<platform::EditBoxWidget*>(control(u8"编辑框1"))->editor()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.tabControl("高级选择夹1").currentPage(), 0);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(window.tabControl("高级选择夹1").currentPage(), 1);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(window.tabControl("高级选择夹1").currentPage(), 0);
    EXPECT_EQ(window.tabControl("高级选择夹2").currentPage(), 0) << "the inner pages stay";

    // Space presses the focused button; the arrow keys check the other radio button.
    window.tabControl("高级选择夹1").setCurrentPage(1);
    int clicks = 0;
    window.button("开始文字识别").onClicked([&clicks] { ++clicks; });
    control(u8"开始文字识别")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(u8"开始文字识别"), Qt::Key_Space);
    EXPECT_EQ(clicks, 1);
    control(u8"单选框1")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(control(u8"单选框1"), Qt::Key_Down);
    EXPECT_TRUE(window.radioButton("单选框2").checked());
    EXPECT_FALSE(window.radioButton("单选框1").checked());
    EXPECT_TRUE(control(u8"单选框2")->hasFocus());
    QTest::keyClick(control(u8"单选框2"), Qt::Key_Up);
    EXPECT_TRUE(window.radioButton("单选框1").checked());
}

}  // namespace
}  // namespace vd
