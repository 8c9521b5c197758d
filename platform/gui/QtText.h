#pragma once

#include <QString>

#include "common/Text.h"

// GBK texts at the edge to Qt, through the code-page layer.
namespace vd::platform {

QString toQString(const Text& text);
Text fromQString(const QString& text);

}  // namespace vd::platform
