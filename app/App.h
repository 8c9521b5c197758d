#pragma once

#include "app/AppState.h"
#include "platform/gui/Window.h"

namespace vd {

// What every handler works on: the program's state and its main window, whose controls are
// found by their layout names (window.label("透明标签14").setText(...)).
struct App {
    AppState& state;
    platform::Window& window;
};

}  // namespace vd
