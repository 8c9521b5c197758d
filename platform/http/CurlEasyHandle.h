#pragma once

#include <curl/curl.h>

namespace vd::platform {

// Owns one CURL handle.
class CurlEasyHandle {
public:
    CurlEasyHandle() = default;
    explicit CurlEasyHandle(CURL* handle) : handle_(handle) {}
    ~CurlEasyHandle();
    CurlEasyHandle(const CurlEasyHandle&) = delete;
    CurlEasyHandle& operator=(const CurlEasyHandle&) = delete;
    CurlEasyHandle(CurlEasyHandle&& other) noexcept : handle_(other.release()) {}
    CurlEasyHandle& operator=(CurlEasyHandle&& other) noexcept;

    static CurlEasyHandle create();
    CURL* get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    CURL* release() {
        CURL* h = handle_;
        handle_ = nullptr;
        return h;
    }
    void reset(CURL* handle = nullptr);

private:
    CURL* handle_ = nullptr;
};

}  // namespace vd::platform
