#include "platform/gui/JpegDecompressor.h"

namespace vd::platform {

namespace {

[[noreturn]] void jumpBack(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegDecompressor::ErrorManager*>(info->err);
    std::longjmp(manager->jumpBuffer, 1);
}

// Warnings about corrupt data are not printed; the caller sees the result.
void silence(j_common_ptr) {}

}  // namespace

JpegDecompressor::JpegDecompressor() {
    info_.err = jpeg_std_error(&errors_.base);
    errors_.base.error_exit = jumpBack;
    errors_.base.output_message = silence;
}

}  // namespace vd::platform
