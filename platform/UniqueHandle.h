#pragma once

#include <memory>

namespace vd::platform {

// Calls the C library's free function for a handle; unique_ptr calls it only for a non-null one.
template <auto Free>
struct FreeFn {
    template <class T>
    void operator()(T* handle) const noexcept {
        Free(handle);
    }
};

// The one owner of a C handle: UniqueHandle<CURL, curl_easy_cleanup> frees the handle it holds
// with curl_easy_cleanup. Null means no handle.
template <class T, auto Free>
using UniqueHandle = std::unique_ptr<T, FreeFn<Free>>;

}  // namespace vd::platform
