#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "common/Text.h"

// The one seam of the GUI layer: tests answer the file dialog and the message box and set the
// tick counter here. The program never installs hooks; without them the real ones run.
namespace vd::platform {

struct FileDialogRequest {
    std::filesystem::path initialFolder;  // empty: the dialog's own default folder
    std::filesystem::path offeredFile;    // the file chosen last time, offered again; may be empty
};

struct GuiHooks {
    // Returns the chosen file, or nothing for a cancelled dialog.
    std::function<std::optional<std::filesystem::path>(const FileDialogRequest&)> openFile;
    std::function<void(const Text& text, const Text& caption)> messageBox;
    std::function<std::uint32_t()> tickCount;
};

void installGuiHooks(GuiHooks hooks);
void removeGuiHooks();
const GuiHooks& guiHooks();

}  // namespace vd::platform
