#include "platform/gui/TestHooks.h"

#include <utility>

#include "platform/system/TickCount.h"

namespace vd::platform {

namespace {
GuiHooks& hooks() {
    static GuiHooks installed;
    return installed;
}
}  // namespace

void installGuiHooks(GuiHooks newHooks) {
    setTickCountSource(newHooks.tickCount);
    hooks() = std::move(newHooks);
}

void removeGuiHooks() {
    setTickCountSource({});
    hooks() = GuiHooks{};
}

const GuiHooks& guiHooks() { return hooks(); }

}  // namespace vd::platform
