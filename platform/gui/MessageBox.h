#pragma once

#include "common/Text.h"

namespace vd::platform {

// A plain information box: the text, the caption, one OK button, no icon, no owner, modal for
// the whole program. Returns when the user has closed it.
void messageBox(const Text& text, const Text& caption);

}  // namespace vd::platform
