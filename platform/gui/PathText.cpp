#include "platform/gui/PathText.h"

#include "platform/gui/NativePath.h"
#include "platform/gui/QtText.h"

namespace vd::platform {

Text pathText(const std::filesystem::path& path) { return fromQString(fromNativePath(path)); }

}  // namespace vd::platform
