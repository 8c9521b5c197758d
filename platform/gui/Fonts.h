#pragma once

#include <QFont>

#include "platform/gui/Layout.h"

namespace vd::platform {

// Character height of the default GUI font, in pixels.
inline constexpr int kDefaultFontPixelSize = 12;

// The face names of the layouts (黑体, 宋体) mapped to installed CJK families, with fallbacks,
// so that no character shows as a box. An empty face is the default GUI font.
QFont fontFor(const FontDescription& desc);
QFont defaultGuiFont();

}  // namespace vd::platform
