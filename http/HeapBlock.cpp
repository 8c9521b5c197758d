#include "http/HeapBlock.h"

#include <cstdlib>

namespace vd {

HeapBlock::HeapBlock(std::size_t size) { resize(size); }

HeapBlock::~HeapBlock() { release(); }

HeapBlock::HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
}

HeapBlock& HeapBlock::operator=(HeapBlock&& other) noexcept {
    if (this != &other) {
        release();
        data_ = other.data_;
        size_ = other.size_;
        other.data_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

bool HeapBlock::resize(std::size_t size) {
    if (size == 0) return false;
    void* moved = std::realloc(data_, size);
    if (moved == nullptr) return false;
    data_ = static_cast<std::uint8_t*>(moved);
    size_ = size;
    return true;
}

void HeapBlock::release() {
    std::free(data_);
    data_ = nullptr;
    size_ = 0;
}

}  // namespace vd
