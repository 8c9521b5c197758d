#pragma once

#include "common/Text.h"

namespace vd {

// Caption of every message box of the program.
inline constexpr const char* kMessageCaption = "信息：";

// The program's message box: the text, caption "信息：", one OK button, no icon, modal for the
// whole program. Returns when the user has closed it.
void showMessage(const Text& text);

}  // namespace vd
