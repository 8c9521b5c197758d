#include "platform/http/CurlEasyHandle.h"

namespace vd::platform {

CurlEasyHandle::~CurlEasyHandle() { reset(); }

CurlEasyHandle& CurlEasyHandle::operator=(CurlEasyHandle&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

CurlEasyHandle CurlEasyHandle::create() { return CurlEasyHandle(curl_easy_init()); }

void CurlEasyHandle::reset(CURL* handle) {
    if (handle_ != nullptr) curl_easy_cleanup(handle_);
    handle_ = handle;
}

}  // namespace vd::platform
