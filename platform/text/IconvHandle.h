#pragma once

#include <iconv.h>

namespace vd::platform {

// Owns one iconv conversion descriptor.
class IconvHandle {
public:
    IconvHandle() = default;
    IconvHandle(const char* toCode, const char* fromCode);
    ~IconvHandle();
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    IconvHandle(IconvHandle&& other) noexcept;
    IconvHandle& operator=(IconvHandle&& other) noexcept;

    bool valid() const { return handle_ != invalid(); }
    iconv_t get() const { return handle_; }
    // Returns the descriptor to its initial shift state.
    void reset() const;

private:
    static iconv_t invalid() { return reinterpret_cast<iconv_t>(-1); }  // NOLINT
    iconv_t handle_ = invalid();
};

}  // namespace vd::platform
