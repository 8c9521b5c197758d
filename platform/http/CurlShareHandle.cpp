#include "platform/http/CurlShareHandle.h"

namespace vd::platform {

CurlShareHandle::~CurlShareHandle() { reset(); }

CurlShareHandle& CurlShareHandle::operator=(CurlShareHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

CurlShareHandle CurlShareHandle::create() { return CurlShareHandle(curl_share_init()); }

void CurlShareHandle::reset(CURLSH* handle) {
    if (handle_ != nullptr) curl_share_cleanup(handle_);
    handle_ = handle;
}

}  // namespace vd::platform
