#include "platform/system/HeapBlock.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vd {
namespace {

TEST(HeapBlockTest, ResizingKeepsTheContents) {
    const std::size_t sizes[] = {10240, 5, 1048575, 1048576, 3 * 1048576 + 17, 40 * 1048576, 2 * 1048576, 100, 10240};
    HeapBlock block(16);
    ASSERT_TRUE(block);
    std::size_t valid = 16;
    for (std::size_t i = 0; i < valid; ++i) block.data()[i] = static_cast<std::uint8_t>(i * 7);
    for (std::size_t size : sizes) {
        ASSERT_TRUE(block.resize(size)) << size;
        EXPECT_EQ(block.size(), size);
        const std::size_t kept = std::min(valid, size);
        for (std::size_t i = 0; i < kept; ++i) ASSERT_EQ(block.data()[i], static_cast<std::uint8_t>(i * 7)) << size << " at " << i;
        for (std::size_t i = kept; i < size; ++i) block.data()[i] = static_cast<std::uint8_t>(i * 7);
        valid = size;
    }
    EXPECT_FALSE(block.resize(0));
    EXPECT_EQ(block.size(), 10240u);
    HeapBlock moved(std::move(block));
    EXPECT_FALSE(block);
    EXPECT_EQ(block.size(), 0u);
    EXPECT_EQ(moved.size(), 10240u);
    moved.release();
    EXPECT_FALSE(moved);
}

}  // namespace
}  // namespace vd
