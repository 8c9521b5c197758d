#include "platform/text/IconvHandle.h"

namespace vd::platform {

IconvHandle openIconv(const char* toCode, const char* fromCode) {
    const iconv_t cd = iconv_open(toCode, fromCode);
    return IconvHandle(cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd);  // NOLINT
}

void resetShiftState(const IconvHandle& cd) {
    if (cd) iconv(cd.get(), nullptr, nullptr, nullptr, nullptr);
}

}  // namespace vd::platform
