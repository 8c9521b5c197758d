#include "platform/gui/PngImage.h"

namespace vd::platform {

PngImage::PngImage() { image_.version = PNG_IMAGE_VERSION; }

PngImage::~PngImage() { png_image_free(&image_); }

PngImage::PngImage(PngImage&& other) noexcept : image_(other.image_) { other.reset(); }

PngImage& PngImage::operator=(PngImage&& other) noexcept {
    if (this != &other) {
        png_image_free(&image_);
        image_ = other.image_;
        other.reset();
    }
    return *this;
}

void PngImage::reset() {
    image_ = png_image{};
    image_.version = PNG_IMAGE_VERSION;
}

}  // namespace vd::platform
