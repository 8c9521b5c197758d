#include "platform/http/CurlMultiHandle.h"

namespace vd::platform {

CurlMultiHandle::~CurlMultiHandle() { reset(); }

CurlMultiHandle& CurlMultiHandle::operator=(CurlMultiHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

CurlMultiHandle CurlMultiHandle::create() { return CurlMultiHandle(curl_multi_init()); }

void CurlMultiHandle::reset(CURLM* handle) {
    if (handle_ != nullptr) curl_multi_cleanup(handle_);
    handle_ = handle;
}

}  // namespace vd::platform
