#include <gtest/gtest.h>

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>

#include "platform/gui/EditBoxWidget.h"
#include "platform/gui/LabelWidget.h"
#include "platform/gui/ShapeBoxWidget.h"
#include "platform/gui/TabControlWidget.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd::platform {
namespace {

using vd::test::qs;

ControlDescription desc(ControlKind kind, const char* name, const char* text, QRect place, const char* parent = "", int page = 0) {
    ControlDescription control;
    control.kind = kind;
    control.name = name;
    control.text = text;
    control.x = place.x();
    control.y = place.y();
    control.width = place.width();
    control.height = place.height();
    control.parent = parent;
    control.page = page;
    return control;
}

WindowLayout sampleLayout() {
    WindowLayout layout;
    layout.caption = "样例窗口";
    layout.clientWidth = 400;
    layout.clientHeight = 300;
    ControlDescription tabs = desc(ControlKind::TabControl, "选择夹", "", {0, 0, 400, 300});
    tabs.pages = {"第一页", "第二页"};
    layout.controls.push_back(tabs);
    layout.controls.push_back(desc(ControlKind::Label, "标签", "开始", {10, 40, 120, 24}, "选择夹"));
    layout.controls.push_back(desc(ControlKind::Button, "按钮", "按我", {10, 70, 80, 30}, "选择夹"));
    layout.controls.push_back(desc(ControlKind::PictureBox, "图片框", "", {150, 40, 100, 80}, "选择夹"));
    layout.controls.push_back(desc(ControlKind::ShapeBox, "外形框", "", {260, 40, 24, 16}, "选择夹"));
    layout.controls.push_back(desc(ControlKind::FileDialog, "对话框", "", {0, 0, 26, 26}, "选择夹"));
    ControlDescription group = desc(ControlKind::GroupBox, "分组框", "分组", {10, 130, 300, 150}, "选择夹");
    group.visible = false;
    layout.controls.push_back(group);
    layout.controls.push_back(desc(ControlKind::EditBox, "单行", "", {10, 20, 100, 20}, "分组框"));
    ControlDescription lines = desc(ControlKind::EditBox, "多行", "", {10, 50, 200, 60}, "分组框");
    lines.multiLine = true;
    layout.controls.push_back(lines);
    ControlDescription radioOne = desc(ControlKind::RadioButton, "单选一", "一", {10, 40, 80, 24}, "选择夹", 1);
    radioOne.checked = true;
    layout.controls.push_back(radioOne);
    layout.controls.push_back(desc(ControlKind::RadioButton, "单选二", "二", {10, 70, 80, 24}, "选择夹", 1));
    ControlDescription underBar = desc(ControlKind::EditBox, "顶部", "", {5, 3, 200, 100}, "选择夹", 1);
    underBar.multiLine = true;
    layout.controls.push_back(underBar);
    layout.controls.push_back(desc(ControlKind::Label, "孤儿", "x", {1, 1, 5, 5}, "不存在"));
    return layout;
}

class WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { vd::test::ensureGui(); }
    Window window{sampleLayout()};
};

TEST_F(WindowTest, FindsControlsByNameAndKindOnly) {
    EXPECT_TRUE(window.label("标签"));
    EXPECT_TRUE(window.button("按钮"));
    EXPECT_TRUE(window.pictureBox("图片框"));
    EXPECT_TRUE(window.shapeBox("外形框"));
    EXPECT_TRUE(window.fileDialog("对话框"));
    EXPECT_TRUE(window.groupBox("分组框"));
    EXPECT_TRUE(window.editBox("单行"));
    EXPECT_TRUE(window.radioButton("单选二"));
    EXPECT_TRUE(window.tabControl("选择夹"));
    // Another kind or an unknown name gives a null handle that does nothing.
    EXPECT_FALSE(window.label("按钮"));
    EXPECT_FALSE(window.editBox("标签"));
    EXPECT_FALSE(window.label("无此控件"));
    EXPECT_FALSE(window.label("孤儿"));  // its holder does not exist
    const Label none = window.label("无此控件");
    none.setText("x");
    EXPECT_EQ(none.text(), "");
    EXPECT_EQ(window.tabControl("无").currentPage(), -1);
    EXPECT_FALSE(window.fileDialog("无").open());

    QWidget* label = window.controlWidget("标签");
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->objectName(), qs(u8"标签"));
    EXPECT_EQ(window.widget()->findChild<QWidget*>(qs(u8"多行")), window.controlWidget("多行"));
}

TEST_F(WindowTest, FixedClientSizeCaptionAndPlaces) {
    QWidget* top = window.widget();
    EXPECT_EQ(top->size(), QSize(400, 300));
    EXPECT_EQ(top->minimumSize(), top->maximumSize());
    EXPECT_EQ(window.caption(), "样例窗口");
    EXPECT_EQ(top->windowTitle(), qs(u8"样例窗口"));
    window.setCaption(window.caption() + "---后缀");
    EXPECT_EQ(top->windowTitle(), qs(u8"样例窗口---后缀"));
    // Places count from the holder's corner: the tab control's, not its page area's.
    auto* tabs = static_cast<TabControlWidget*>(window.controlWidget("选择夹"));
    QWidget* label = window.controlWidget("标签");
    EXPECT_EQ(label->mapTo(tabs, QPoint(0, 0)), QPoint(10, 40));
    EXPECT_EQ(label->size(), QSize(120, 24));
    EXPECT_EQ(window.controlWidget("多行")->mapTo(window.controlWidget("分组框"), QPoint(0, 0)), QPoint(10, 50));
    EXPECT_EQ(label->parentWidget(), tabs->page(0));
    EXPECT_EQ(window.controlWidget("单选一")->parentWidget(), tabs->page(1));
}

TEST_F(WindowTest, CreatedEventRunsBeforeTheWindowShows) {
    bool visibleDuringCreated = true;
    int created = 0;
    window.open([&] {
        ++created;
        visibleDuringCreated = window.widget()->isVisible();
    });
    EXPECT_EQ(created, 1);
    EXPECT_FALSE(visibleDuringCreated);
    EXPECT_TRUE(window.widget()->isVisible());
}

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

TEST_F(WindowTest, LabelIsRedrawnAtOnceWhenItsTextIsSet) {
    window.open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.widget()));
    QCoreApplication::processEvents();
    PaintCounter counter;
    window.controlWidget("标签")->installEventFilter(&counter);
    const Label label = window.label("标签");
    label.setText("识别中,请稍等...");
    // No event processed in between: the paint happened inside setText.
    EXPECT_GE(counter.paints, 1);
    EXPECT_EQ(label.text(), "识别中,请稍等...");
    EXPECT_EQ(static_cast<LabelWidget*>(window.controlWidget("标签"))->shownText(), qs(u8"识别中,请稍等..."));
}

TEST_F(WindowTest, EditBoxReadsBackExactlyWhatWasSet) {
    const EditBox single = window.editBox("单行");
    const EditBox lines = window.editBox("多行");
    auto* linesWidget = static_cast<EditBoxWidget*>(window.controlWidget("多行"));
    auto* plain = static_cast<QPlainTextEdit*>(linesWidget->editor());
    const Text texts[] = {"", "错误！\r\n错误码：17\r\n错误信息：x", "B\r\nA\r\n", "lone\rCR and lone\nLF", "\r\n\r\n"};
    for (const Text& text : texts) {
        lines.setText(text);
        EXPECT_EQ(lines.text(), text);
        single.setText(text);
        EXPECT_EQ(single.text(), text);
    }
    lines.setText("错误！\r\n错误码：17\r\n错误信息：x");
    EXPECT_EQ(plain->document()->blockCount(), 3) << "each CR LF shows as a line break";
    EXPECT_EQ(plain->toPlainText(), qs(u8"错误！\n错误码：17\n错误信息：x"));
    EXPECT_EQ(plain->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(plain->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);

    // What the user types reads back with CR LF line breaks.
    plain->setFocus();
    plain->moveCursor(QTextCursor::End);
    QTest::keyClick(plain, Qt::Key_Return);
    QTest::keyClicks(plain, QStringLiteral("ok"));
    EXPECT_EQ(lines.text(), "错误！\r\n错误码：17\r\n错误信息：x\r\nok");

    // No length limit.
    const Text longText(100000, 'x');
    single.setText(longText);
    EXPECT_EQ(single.text(), longText);
    EXPECT_EQ(static_cast<QLineEdit*>(static_cast<EditBoxWidget*>(window.controlWidget("单行"))->editor())->text().size(), 100000);
}

TEST_F(WindowTest, MultiLineBoxUnderTheTabRowKeepsItsTextBelowIt) {
    auto* tabs = static_cast<TabControlWidget*>(window.controlWidget("选择夹"));
    auto* box = static_cast<EditBoxWidget*>(window.controlWidget("顶部"));
    auto* plain = static_cast<QPlainTextEdit*>(box->editor());
    EXPECT_GE(plain->viewport()->mapTo(tabs, QPoint(0, 0)).y(), tabs->barHeight());
}

TEST_F(WindowTest, RadioButtonsTabsGroupsShapesAndButtons) {
    const RadioButton one = window.radioButton("单选一");
    const RadioButton two = window.radioButton("单选二");
    EXPECT_TRUE(one.checked());
    EXPECT_FALSE(two.checked());
    two.setChecked(true);
    EXPECT_FALSE(one.checked()) << "one group: checking one unchecks the other";

    const TabControl tabs = window.tabControl("选择夹");
    EXPECT_EQ(tabs.pageCount(), 2);
    EXPECT_EQ(tabs.pageCaption(1), "第二页");
    EXPECT_EQ(tabs.currentPage(), 0);
    tabs.setCurrentPage(1);
    EXPECT_EQ(tabs.currentPage(), 1);
    for (int outside : {-1, 2, 99}) {
        tabs.setCurrentPage(outside);
        EXPECT_EQ(tabs.currentPage(), 1) << outside;
    }
    auto* tabWidget = static_cast<TabControlWidget*>(window.controlWidget("选择夹"));
    EXPECT_EQ(tabWidget->tabBar()->currentIndex(), 1);
    EXPECT_TRUE(tabWidget->page(0)->isHidden());

    const GroupBox group = window.groupBox("分组框");
    EXPECT_FALSE(group.visible());
    EXPECT_EQ(group.caption(), "分组");
    group.setVisible(true);
    EXPECT_TRUE(group.visible());

    const ShapeBox shape = window.shapeBox("外形框");
    auto* shapeWidget = static_cast<ShapeBoxWidget*>(window.controlWidget("外形框"));
    EXPECT_EQ(shape.fillColour(), 0xFFFFFFU);
    struct Case {
        std::uint32_t value;
        QColor colour;
    } colours[] = {{255, QColor(255, 0, 0)}, {65280, QColor(0, 255, 0)}, {0xFF0000, QColor(0, 0, 255)}};
    for (const Case& row : colours) {
        shape.setFillColour(row.value);
        EXPECT_EQ(shape.fillColour(), row.value);
        EXPECT_EQ(shapeWidget->fill(), row.colour) << row.value;
    }

    window.open();
    tabs.setCurrentPage(0);
    int clicks = 0;
    const Button button = window.button("按钮");
    EXPECT_EQ(button.text(), "按我");
    button.onClicked([&clicks] { ++clicks; });
    QTest::mouseClick(static_cast<QPushButton*>(window.controlWidget("按钮")), Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

}  // namespace
}  // namespace vd::platform
