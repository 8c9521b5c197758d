#include "platform/text/IconvHandle.h"

#include <utility>

namespace vd::platform {

IconvHandle::IconvHandle(const char* toCode, const char* fromCode) : handle_(iconv_open(toCode, fromCode)) {}

IconvHandle::~IconvHandle() {
    if (valid()) iconv_close(handle_);
}

IconvHandle::IconvHandle(IconvHandle&& other) noexcept : handle_(std::exchange(other.handle_, invalid())) {}

IconvHandle& IconvHandle::operator=(IconvHandle&& other) noexcept {
    if (this != &other) {
        if (valid()) iconv_close(handle_);
        handle_ = std::exchange(other.handle_, invalid());
    }
    return *this;
}

void IconvHandle::reset() const {
    if (valid()) iconv(handle_, nullptr, nullptr, nullptr, nullptr);
}

}  // namespace vd::platform
