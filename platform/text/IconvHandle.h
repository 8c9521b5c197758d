#pragma once

#include <iconv.h>

#include "platform/UniqueHandle.h"

namespace vd::platform {

// One iconv conversion descriptor; null when none could be opened.
using IconvHandle = UniqueHandle<void, iconv_close>;

IconvHandle openIconv(const char* toCode, const char* fromCode);

// Returns the descriptor to its initial shift state.
void resetShiftState(const IconvHandle& cd);

}  // namespace vd::platform
