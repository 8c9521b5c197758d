#include "app/MainWindowLayout.h"

#include <initializer_list>
#include <utility>

namespace vd {

namespace {

using platform::ControlKind;
using platform::ControlDescription;
using platform::FontDescription;
using platform::Rgb;
using Align = platform::HorizontalAlignment;

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGrey{96, 96, 96};
constexpr Rgb kWhite{255, 255, 255};

struct Place {
    int x;
    int y;
};
struct Size {
    int width;
    int height;
};

ControlDescription control(ControlKind kind, const char* name, const char* text, Place place, Size size) {
    ControlDescription desc;
    desc.kind = kind;
    desc.name = name;
    desc.text = text;
    desc.x = place.x;
    desc.y = place.y;
    desc.width = size.width;
    desc.height = size.height;
    return desc;
}

ControlDescription label(const char* name, const char* text, Place place, Size size, Rgb colour, Align alignment,
                  FontDescription font = {}, bool wrap = false) {
    ControlDescription desc = control(ControlKind::Label, name, text, place, size);
    desc.textColour = colour;
    desc.alignment = alignment;
    desc.font = std::move(font);
    desc.wrap = wrap;
    return desc;
}

ControlDescription button(const char* name, const char* text, Place place, Size size) {
    return control(ControlKind::Button, name, text, place, size);
}

ControlDescription pictureBox(const char* name, Place place, Size size) {
    ControlDescription desc = control(ControlKind::PictureBox, name, "", place, size);
    desc.background = kWhite;
    return desc;
}

ControlDescription editBox(const char* name, Place place, Size size, bool multiLine, Rgb colour) {
    ControlDescription desc = control(ControlKind::EditBox, name, "", place, size);
    desc.multiLine = multiLine;
    desc.textColour = colour;
    desc.background = kWhite;
    return desc;
}

ControlDescription radioButton(const char* name, const char* text, Place place, Size size, bool checked) {
    ControlDescription desc = control(ControlKind::RadioButton, name, text, place, size);
    desc.checked = checked;
    return desc;
}

ControlDescription groupBox(const char* name, const char* text, Place place, Size size, bool visible) {
    ControlDescription desc = control(ControlKind::GroupBox, name, text, place, size);
    desc.visible = visible;
    return desc;
}

ControlDescription tabControl(const char* name, Place place, Size size, std::initializer_list<const char*> pages) {
    ControlDescription desc = control(ControlKind::TabControl, name, "", place, size);
    for (const char* page : pages) desc.pages.emplace_back(page);
    return desc;
}

ControlDescription shapeBox(const char* name, Place place, Size size, Rgb fill) {
    ControlDescription desc = control(ControlKind::ShapeBox, name, "", place, size);
    desc.background = fill;
    return desc;
}

ControlDescription fileDialog(const char* name, Place place, Size size) {
    ControlDescription desc = control(ControlKind::FileDialog, name, "", place, size);
    desc.visible = false;
    return desc;
}

// The indicator's colours as words: white at start, green after a comparison, red after a failure.
ControlDescription comparisonIndicator(ControlDescription desc) {
    desc.fillMeanings = {{0xFFFFFFU, "未对比"}, {65280U, "对比成功"}, {255U, "对比失败"}};
    return desc;
}

// Labels that show results or picked files: the user can select and copy their text.
ControlDescription selectable(ControlDescription desc) {
    desc.selectable = true;
    return desc;
}

FontDescription hei(int pixels) { return FontDescription{"黑体", pixels}; }
FontDescription song(int pixels) { return FontDescription{"宋体", pixels}; }

void addOn(platform::WindowLayout& layout, const char* parent, int page, std::initializer_list<ControlDescription> controls) {
    for (ControlDescription desc : controls) {
        desc.parent = parent;
        desc.page = page;
        layout.controls.push_back(std::move(desc));
    }
}

platform::WindowLayout makeLayout() {
    platform::WindowLayout layout;
    layout.caption = "人脸对比-百度API";
    layout.x = 50;
    layout.y = 50;
    layout.clientWidth = 632;
    layout.clientHeight = 528;

    layout.controls.push_back(tabControl(control::kTabs, {0, 0}, {632, 528}, {"人脸对比", "文字识别"}));

    addOn(layout, control::kTabs, 0, {
        pictureBox("图片框1", {30, 36}, {240, 176}),
        pictureBox("图片框2", {362, 35}, {240, 176}),
        fileDialog(control::kFileDialog, {301, 25}, {26, 26}),
        button("打开对比图1", "打开图片一", {276, 64}, {80, 32}),
        comparisonIndicator(shapeBox("外形框2", {303, 117}, {24, 16}, kWhite)),
        button("打开对比图2", "打开图片二", {276, 156}, {80, 32}),
        label("透明标签1", "图片文件名：", {29, 211}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签7", "未选择！", {105, 211}, {118, 32}, kBlue, Align::Left)),
        label("透明标签2", "图片大小：", {29, 235}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签8", "未选择！", {105, 235}, {117, 32}, kBlue, Align::Left)),
        label("透明标签3", "图片标识：", {29, 261}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签9", "-", {106, 272}, {149, 24}, kRed, Align::Left, {}, true)),
        label("透明标签4", "图片文件名：", {364, 208}, {72, 34}, kBlack, Align::Right),
        selectable(label("透明标签10", "未选择！", {439, 209}, {96, 32}, kBlue, Align::Left)),
        label("透明标签5", "图片大小：", {364, 235}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签11", "未选择！", {438, 235}, {96, 32}, kBlue, Align::Left)),
        label("透明标签6", "图片标识：", {364, 261}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签12", "-", {439, 262}, {157, 32}, kRed, Align::Left)),
        button("对比人脸", "开始对比", {216, 303}, {200, 40}),
        label("透明标签13", "识别结果：", {50, 376}, {160, 32}, kGrey, Align::Right, hei(20)),
        selectable(label("透明标签14", "-", {213, 376}, {240, 32}, kRed, Align::Left, hei(19))),
        label("透明标签16", "相似度：", {129, 412}, {80, 32}, kGrey, Align::Right, hei(20)),
        selectable(label("透明标签17", "-", {213, 414}, {152, 32}, kRed, Align::Left, hei(19))),
        label("透明标签76", "耗时：", {158, 445}, {48, 32}, kBlue, Align::Right, song(16)),
        selectable(label("透明标签77", "-", {214, 447}, {64, 32}, kRed, Align::Left, song(16))),
        // Hidden at start; when shown it lies over the result labels above.
        groupBox("错误框2", "错误信息", {120, 349}, {392, 160}, false),
    });

    addOn(layout, "错误框2", 0, {
        label("透明标签18", "错误代码：", {16, 26}, {56, 16}, kBlue, Align::Left),
        editBox("错误代码框2", {83, 25}, {100, 20}, false, kRed),
        label("透明标签19", "错误描述：", {16, 65}, {56, 16}, kBlue, Align::Left),
        editBox("错误描述框2", {81, 55}, {303, 33}, true, kRed),
        label("透明标签33", "错误信息：", {16, 109}, {56, 16}, kBlue, Align::Left),
        editBox("错误信息框2", {80, 96}, {304, 48}, true, kRed),
    });

    addOn(layout, control::kTabs, 1, {
        pictureBox("图片框5", {8, 26}, {264, 166}),
        button("按钮2", "打开识别图", {299, 44}, {104, 32}),
        radioButton("单选框1", "文字识别", {520, 47}, {80, 24}, true),
        radioButton("单选框2", "车牌识别", {520, 85}, {80, 24}, false),
        label("透明标签64", "图片大小：", {288, 86}, {72, 32}, kBlack, Align::Right),
        selectable(label("透明标签65", "未选择！", {372, 86}, {72, 32}, kBlue, Align::Left)),
        label("透明标签66", "识别状态：", {287, 108}, {72, 32}, kBlue, Align::Right),
        selectable(label("透明标签67", "-", {374, 108}, {72, 32}, kRed, Align::Left)),
        button("开始文字识别", "识别", {519, 124}, {80, 60}),
        label("透明标签80", "耗时：", {311, 129}, {48, 32}, kBlue, Align::Right, song(12)),
        selectable(label("透明标签81", "-", {374, 129}, {72, 32}, kRed, Align::Left)),
        label("透明标签62", "原始图片", {51, 187}, {160, 32}, kGrey, Align::Centre, hei(16)),
        label("透明标签63", "识别结果", {3, 234}, {160, 32}, kGrey, Align::Left, hei(24)),
        tabControl("高级选择夹2", {1, 270}, {510, 254}, {"文字识别", "车牌识别"}),
    });

    addOn(layout, "高级选择夹2", 0, {
        editBox("编辑框1", {6, 7}, {497, 243}, true, kBlack),
    });

    addOn(layout, "高级选择夹2", 1, {
        label("透明标签68", "车牌颜色：", {0, 32}, {160, 32}, kGrey, Align::Centre, hei(24)),
        selectable(label("透明标签71", "-", {136, 34}, {240, 32}, kRed, Align::Left, hei(24))),
        label("透明标签69", "车牌号码：", {0, 73}, {160, 32}, kGrey, Align::Centre, hei(24)),
        selectable(label("透明标签72", "-", {137, 74}, {240, 32}, kRed, Align::Left, hei(24))),
        label("透明标签70", "地区代码：", {0, 114}, {160, 32}, kGrey, Align::Centre, hei(24)),
        selectable(label("透明标签73", "-", {138, 114}, {240, 32}, kRed, Align::Left, hei(24))),
    });
    return layout;
}

}  // namespace

const platform::WindowLayout& mainWindowLayout() {
    static const platform::WindowLayout layout = makeLayout();
    return layout;
}

}  // namespace vd
