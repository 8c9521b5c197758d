#pragma once

#include <png.h>

namespace vd::platform {

// Owns one png_image of libpng's simplified interface.
class PngImage {
public:
    PngImage();
    ~PngImage();
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;
    PngImage(PngImage&& other) noexcept;
    PngImage& operator=(PngImage&& other) noexcept;

    png_image& get() { return image_; }
    const png_image& get() const { return image_; }

private:
    void reset();
    png_image image_{};
};

}  // namespace vd::platform
