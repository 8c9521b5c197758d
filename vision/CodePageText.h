#pragma once

#include "platform/text/CodePageText.h"

// The code-page conversions that the encoders can apply first.
namespace vd {

using platform::gbkToUtf8;
using platform::textToWide;
using platform::wideToText;

}  // namespace vd
