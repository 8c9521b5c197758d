#pragma once

#include <curl/curl.h>

namespace vd::platform {

// Owns one CURLM handle.
class CurlMultiHandle {
public:
    CurlMultiHandle() = default;
    explicit CurlMultiHandle(CURLM* handle) : handle_(handle) {}
    ~CurlMultiHandle();
    CurlMultiHandle(const CurlMultiHandle&) = delete;
    CurlMultiHandle& operator=(const CurlMultiHandle&) = delete;
    CurlMultiHandle(CurlMultiHandle&& other) noexcept : handle_(other.release()) {}
    CurlMultiHandle& operator=(CurlMultiHandle&& other) noexcept;

    static CurlMultiHandle create();
    CURLM* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    CURLM* release() {
        CURLM* h = handle_;
        handle_ = nullptr;
        return h;
    }
    void reset(CURLM* handle = nullptr);

private:
    CURLM* handle_ = nullptr;
};

}  // namespace vd::platform
