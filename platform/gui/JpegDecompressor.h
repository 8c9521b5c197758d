#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

#include "platform/UniqueHandle.h"

namespace vd::platform {

// Owns one libjpeg decompression object with an error manager that returns control: a fatal
// error jumps to the buffer that the decoding function armed, instead of exiting. The object is
// created by that function (jpeg_create_decompress can fail too) and destroyed here; libjpeg
// frees only what it allocated, so that is safe also when creation never ran or failed.
// Not movable: libjpeg keeps a pointer to the error manager inside the object.
class JpegDecompressor {
public:
    struct ErrorManager {
        jpeg_error_mgr base;
        std::jmp_buf jumpBuffer;
    };

    JpegDecompressor();
    JpegDecompressor(const JpegDecompressor&) = delete;
    JpegDecompressor& operator=(const JpegDecompressor&) = delete;

    jpeg_decompress_struct& get() { return info_; }
    ErrorManager& errors() { return errors_; }

private:
    ErrorManager errors_{};
    jpeg_decompress_struct info_{};
    // Releases libjpeg's memory of info_, not info_ itself; declared last, so released first.
    UniqueHandle<jpeg_decompress_struct, jpeg_destroy_decompress> created_{&info_};
};

}  // namespace vd::platform
