#pragma once

#include <curl/curl.h>

namespace vd::platform {

// Owns one CURLSH handle.
class CurlShareHandle {
public:
    CurlShareHandle() = default;
    explicit CurlShareHandle(CURLSH* handle) : handle_(handle) {}
    ~CurlShareHandle();
    CurlShareHandle(const CurlShareHandle&) = delete;
    CurlShareHandle& operator=(const CurlShareHandle&) = delete;
    CurlShareHandle(CurlShareHandle&& other) noexcept : handle_(other.release()) {}
    CurlShareHandle& operator=(CurlShareHandle&& other) noexcept;

    static CurlShareHandle create();
    CURLSH* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    CURLSH* release() {
        CURLSH* h = handle_;
        handle_ = nullptr;
        return h;
    }
    void reset(CURLSH* handle = nullptr);

private:
    CURLSH* handle_ = nullptr;
};

}  // namespace vd::platform
