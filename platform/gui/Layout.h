#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "common/Text.h"

// A window described as data: every control with its name, kind, text, place, size and look.
// Places are in pixels relative to the control that holds the control (a tab control's page or a
// group box), or to the window's client area.
namespace vd::platform {

enum class ControlKind {
    TabControl,   // 高级选择夹
    Label,        // 透明标签
    Button,       // 按钮
    PictureBox,   // 图片框
    RadioButton,  // 单选框
    EditBox,      // 编辑框
    ShapeBox,     // 外形框
    GroupBox,     // 分组框
    FileDialog,   // 通用对话框: not drawn
};

enum class HorizontalAlignment { Left, Centre, Right };

struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// An empty face is the default GUI font; pixelSize is the character height in pixels.
struct FontDescription {
    Text face;
    int pixelSize = 0;
    friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

struct ControlDescription {
    Text name;
    ControlKind kind = ControlKind::Label;
    Text text;  // caption, initial text; for a tab control unused (see pages)
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    Text parent;   // name of the holding tab control or group box; empty: the client area
    int page = 0;  // page of the holding tab control
    // Look.
    Rgb textColour{};
    Rgb background{255, 255, 255};  // picture box, edit box, shape box fill
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    FontDescription font{};
    bool wrap = false;       // label breaks its text into lines
    bool selectable = false; // label text can be selected with the mouse and copied
    bool multiLine = false;  // edit box with several lines
    bool visible = true;
    bool checked = false;     // radio button
    std::vector<Text> pages;  // tab control page captions
    // Shape box: what its fill colours mean, told to assistive technologies as its description.
    std::vector<std::pair<std::uint32_t, Text>> fillMeanings;
};

struct WindowLayout {
    Text caption;
    int x = 0;
    int y = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    std::vector<ControlDescription> controls;  // a holder comes before what it holds
};

}  // namespace vd::platform
