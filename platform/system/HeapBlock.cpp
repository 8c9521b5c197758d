#include "platform/system/HeapBlock.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace vd {

HeapBlock::HeapBlock(std::size_t size) { resize(size); }

HeapBlock::~HeapBlock() { release(); }

namespace {

constexpr std::size_t kMappedFrom = 1048576;

std::size_t pageRounded(std::size_t size) {
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    return (size + page - 1) / page * page;
}

}  // namespace

HeapBlock::HeapBlock(HeapBlock&& other) noexcept : data_(other.data_), size_(other.size_), mapped_(other.mapped_) {
    other.data_ = nullptr;
    other.size_ = 0;
    other.mapped_ = false;
}

HeapBlock& HeapBlock::operator=(HeapBlock&& other) noexcept {
    if (this != &other) {
        release();
        data_ = other.data_;
        size_ = other.size_;
        mapped_ = other.mapped_;
        other.data_ = nullptr;
        other.size_ = 0;
        other.mapped_ = false;
    }
    return *this;
}

bool HeapBlock::resize(std::size_t size) {
    if (size == 0) return false;
    if (mapped_) {
        void* moved = mremap(data_, pageRounded(size_), pageRounded(size), MREMAP_MAYMOVE);
        if (moved == MAP_FAILED) return false;
        data_ = static_cast<std::uint8_t*>(moved);
        size_ = size;
        return true;
    }
    if (size >= kMappedFrom) {
        void* mapped = mmap(nullptr, pageRounded(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (mapped == MAP_FAILED) return false;
        if (data_ != nullptr) std::memcpy(mapped, data_, size_ < size ? size_ : size);
        std::free(data_);
        data_ = static_cast<std::uint8_t*>(mapped);
        size_ = size;
        mapped_ = true;
        return true;
    }
    void* moved = std::realloc(data_, size);
    if (moved == nullptr) return false;
    data_ = static_cast<std::uint8_t*>(moved);
    size_ = size;
    return true;
}

void HeapBlock::release() {
    if (mapped_) {
        munmap(data_, pageRounded(size_));
    } else {
        std::free(data_);
    }
    mapped_ = false;
    data_ = nullptr;
    size_ = 0;
}

}  // namespace vd
