#include "platform/gui/TestHooks.h"

#include <utility>

namespace vd::platform {

namespace {
GuiHooks& hooks() {
    static GuiHooks installed;
    return installed;
}
}  // namespace

void installGuiHooks(GuiHooks newHooks) { hooks() = std::move(newHooks); }

void removeGuiHooks() { hooks() = GuiHooks{}; }

const GuiHooks& guiHooks() { return hooks(); }

}  // namespace vd::platform
