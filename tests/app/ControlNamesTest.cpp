#include <gtest/gtest.h>

#include "app/MainWindowLayout.h"
#include "platform/gui/Window.h"
#include "tests/support/gui/GuiTestSupport.h"

namespace vd {
namespace {

using platform::ControlKind;

bool found(const platform::Window& window, ControlKind kind, const char* name) {
    switch (kind) {
        case ControlKind::Label: return static_cast<bool>(window.label(name));
        case ControlKind::Button: return static_cast<bool>(window.button(name));
        case ControlKind::PictureBox: return static_cast<bool>(window.pictureBox(name));
        case ControlKind::RadioButton: return static_cast<bool>(window.radioButton(name));
        case ControlKind::EditBox: return static_cast<bool>(window.editBox(name));
        case ControlKind::ShapeBox: return static_cast<bool>(window.shapeBox(name));
        case ControlKind::GroupBox: return static_cast<bool>(window.groupBox(name));
        case ControlKind::TabControl: return static_cast<bool>(window.tabControl(name));
        case ControlKind::FileDialog: return static_cast<bool>(window.fileDialog(name));
    }
    return false;
}

TEST(ControlNames, EveryNameTheCodeUsesFindsItsControl) {
    vd::test::ensureGui();
    using namespace control;
    const struct {
        ControlKind kind;
        const char* name;
    } names[] = {
        {ControlKind::TabControl, kTabs},
        {ControlKind::FileDialog, kFileDialog},
        {ControlKind::PictureBox, kPictureOne},
        {ControlKind::PictureBox, kPictureTwo},
        {ControlKind::Button, kOpenPictureOne},
        {ControlKind::Button, kOpenPictureTwo},
        {ControlKind::Label, kPictureOneSize},
        {ControlKind::Label, kPictureOneName},
        {ControlKind::Label, kPictureTwoSize},
        {ControlKind::Label, kPictureTwoName},
        {ControlKind::Button, kCompare},
        {ControlKind::Label, kVerdict},
        {ControlKind::Label, kScore},
        {ControlKind::Label, kFirstToken},
        {ControlKind::Label, kSecondToken},
        {ControlKind::Label, kComparisonTime},
        {ControlKind::ShapeBox, kIndicator},
        {ControlKind::GroupBox, kErrorPanel},
        {ControlKind::EditBox, kErrorCode},
        {ControlKind::EditBox, kErrorDescription},
        {ControlKind::EditBox, kErrorMessage},
        {ControlKind::PictureBox, kRecognitionPicture},
        {ControlKind::Button, kOpenRecognitionPicture},
        {ControlKind::Label, kRecognitionPictureSize},
        {ControlKind::Button, kRecognize},
        {ControlKind::RadioButton, kTextChoice},
        {ControlKind::RadioButton, kPlateChoice},
        {ControlKind::TabControl, kResultTabs},
        {ControlKind::EditBox, kRecognizedText},
        {ControlKind::Label, kStatus},
        {ControlKind::Label, kPlateColour},
        {ControlKind::Label, kPlateNumber},
        {ControlKind::Label, kPlateRegion},
        {ControlKind::Label, kRecognitionTime},
    };
    platform::Window window(mainWindowLayout());
    // Fatal here too: a name that finds nothing ends the test program.
    window.setUnknownControlsFatal(true);
    for (const auto& row : names) EXPECT_TRUE(found(window, row.kind, row.name)) << row.name;
}

TEST(ControlNamesDeathTest, ANameThatFindsNoControlStopsAtOnce) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const struct {
        const char* name;
        bool (*lookUp)(const platform::Window&);
    } cases[] = {
        {"misspelt", [](const platform::Window& w) { return static_cast<bool>(w.label("透明标签1４")); }},
        {"another kind", [](const platform::Window& w) { return static_cast<bool>(w.label(control::kCompare)); }},
        {"a file dialog", [](const platform::Window& w) { return static_cast<bool>(w.fileDialog("通用对话框2")); }},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_DEATH(
            {
                vd::test::ensureGui();
                platform::Window window(mainWindowLayout());
                window.setUnknownControlsFatal(true);
                row.lookUp(window);
            },
            "no control named .* of the kind asked for");
    }
    // Without the setting a lookup that finds nothing gives a null handle.
    vd::test::ensureGui();
    platform::Window lenient(mainWindowLayout());
    EXPECT_FALSE(lenient.label(control::kCompare));
}

}  // namespace
}  // namespace vd
