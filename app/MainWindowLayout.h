#pragma once

#include "platform/gui/Layout.h"

namespace vd {

// Names of the controls the program's code refers to.
namespace control {
inline constexpr const char* kTabs = "高级选择夹1";
inline constexpr const char* kFileDialog = "通用对话框1";
}  // namespace control

// The main window: caption, client size and every control.
const platform::WindowLayout& mainWindowLayout();

}  // namespace vd
