#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/system/Files.h"
#include "tests/support/ScratchFolder.h"

namespace vd::platform {
namespace {

using vd::test::ScratchFolder;

ByteArray pattern(std::size_t size) {
    ByteArray bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
    return bytes;
}

TEST(Files, SizeAndWholeRead) {
    ScratchFolder folder;
    const ByteArray some = pattern(200000);
    struct Case {
        const char* name;
        std::filesystem::path path;
        std::int64_t size;
        ByteArray content;
    } cases[] = {
        {"ordinary file", folder.write(u8"a.bin", some), 200000, some},
        {"empty file", folder.write(u8"empty.png", {}), 0, {}},
        {"name outside GBK", folder.write(u8"사진 😀.jpg", pattern(10)), 10, pattern(10)},
        {"missing file", folder.path() / "missing.png", -1, {}},
        {"folder", folder.path(), -1, {}},
        {"empty path", std::filesystem::path(), -1, {}},
    };
    for (const Case& row : cases) {
        EXPECT_EQ(fileSize(row.path), row.size) << row.name;
        EXPECT_EQ(readFile(row.path), row.content) << row.name;
    }
}

TEST(Files, ReadStopsAtTheLimit) {
    ScratchFolder folder;
    const ByteArray bytes = pattern(100000);
    const auto file = folder.write(u8"p.bin", bytes);
    struct Case {
        std::int64_t limit;
        std::size_t expected;
    } cases[] = {{-1, 0}, {0, 0}, {1, 1}, {65536, 65536}, {99999, 99999}, {100000, 100000}, {5000000, 100000}};
    for (const Case& row : cases) {
        const ByteArray read = readFile(file, row.limit);
        ASSERT_EQ(read.size(), row.expected) << "limit " << row.limit;
        EXPECT_TRUE(std::equal(read.begin(), read.end(), bytes.begin())) << "limit " << row.limit;
    }
}

TEST(Files, SizeIsTheFull64BitValue) {
    ScratchFolder folder;
    const auto file = folder.write(u8"huge.png", {});
    // Sparse: no disk space is used. Its low 32 bits alone would read as 100.
    const std::int64_t size = (std::int64_t{1} << 32) + 100;
    ASSERT_EQ(::truncate(file.c_str(), size), 0);
    EXPECT_EQ(fileSize(file), size);
}

TEST(Files, AFifoIsNoFileAndDoesNotBlock) {
    ScratchFolder folder;
    const auto fifo = folder.path() / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(fileSize(fifo), -1);
    EXPECT_TRUE(readFile(fifo).empty());
}

}  // namespace
}  // namespace vd::platform
