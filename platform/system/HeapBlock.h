#pragma once

#include <cstddef>
#include <cstdint>

namespace vd {

// A block of the process heap that can grow in place or move, keeping its contents, and that
// stays valid as it was when it cannot. Blocks from 1 MiB on are page mappings that grow by
// remapping, so that a growing body is never copied (whatever malloc does with large blocks).
class HeapBlock {
public:
    HeapBlock() = default;
    explicit HeapBlock(std::size_t size);
    ~HeapBlock();
    HeapBlock(const HeapBlock&) = delete;
    HeapBlock& operator=(const HeapBlock&) = delete;
    HeapBlock(HeapBlock&& other) noexcept;
    HeapBlock& operator=(HeapBlock&& other) noexcept;

    // False, the block unchanged, when the heap cannot give the size.
    bool resize(std::size_t size);
    void release();

    std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    explicit operator bool() const { return data_ != nullptr; }

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    bool mapped_ = false;
};

}  // namespace vd
