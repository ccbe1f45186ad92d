#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "mission/FileIO.h"
#include "support/TempDir.h"

namespace quendar::mission {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> pattern(size_t n) {
    std::vector<uint8_t> v(n);
    for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + i / 251);
    return v;
}

class FileReadTest : public ::testing::Test {
  protected:
    testing::TempDir m_temp{"quendar-read"};
    const fs::path& m_dir = m_temp.path();
};

TEST_F(FileReadTest, AFileThatShrinksAfterItsSizeWasTakenGivesTheBytesThatWereThere) {
    const std::string path = m_temp / "m.tie";
    const auto data = pattern(300000);
    ASSERT_TRUE(writeFileAtomic(path, data));

    // Another program cuts the file down between the size query and the reads.
    ReadHooks hooks;
    hooks.afterStat = [&] { ASSERT_EQ(::truncate(path.c_str(), 1000), 0); };
    auto file = FileBytes::open(path, nullptr, hooks);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->shrank());
    EXPECT_EQ(std::vector<uint8_t>(file->bytes().begin(), file->bytes().end()),
              std::vector<uint8_t>(data.begin(), data.begin() + 1000));

    // One that grows is read whole; an unchanged one reads as written.
    hooks.afterStat = [&] {
        const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, data.data(), 200000), 200000);
        ::close(fd);
    };
    file = FileBytes::open(path, nullptr, hooks);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->shrank());
    EXPECT_EQ(file->bytes().size(), 201000u);
    EXPECT_EQ(file->bytes()[200999], data[199999]);
    ASSERT_TRUE(writeFileAtomic(path, data));
    file = FileBytes::open(path);
    ASSERT_TRUE(file);
    EXPECT_FALSE(file->shrank());
    EXPECT_TRUE(std::equal(data.begin(), data.end(), file->bytes().begin(), file->bytes().end()));
}

// Files of a megabyte and more are read into a block larger than asked for:
// whatever the file does after its size was taken, the bytes read are the
// file's and the bound still holds.
TEST_F(FileReadTest, ALargeFileIsReadAsItIsWhenItsBytesAreRead) {
    constexpr size_t kMB = size_t{1} << 20;
    struct Row {
        size_t written, after;  // size at the stat, size when the bytes are read
        bool read;
    } rows[] = {
        {kMB, kMB, true},                  // at the first size of a large block
        {3 * kMB / 2, 3 * kMB / 2, true},  // inside one large page
        {3 * kMB / 2, 5 * kMB / 2, true},  // grows past the block it was given
        {3 * kMB / 2, 600000, true},       // shrinks below a megabyte
        {3 * kMB / 2, kMaxReadBytes, true},
        {3 * kMB / 2, kMaxReadBytes + 1, false},
    };
    const std::string path = m_temp / "large.tie";
    const auto data = pattern(3 * kMB / 2);
    for (const Row& row : rows) {
        SCOPED_TRACE(::testing::Message() << row.written << " -> " << row.after);
        ASSERT_TRUE(writeFileAtomic(path, {data.data(), row.written}));
        ReadHooks hooks;
        hooks.afterStat = [&] { ASSERT_EQ(::truncate(path.c_str(), off_t(row.after)), 0); };
        FileError err;
        const auto file = FileBytes::open(path, &err, hooks);
        ASSERT_EQ(bool(file), row.read) << err.reason;
        if (!file) continue;
        const auto got = file->bytes();
        ASSERT_EQ(got.size(), row.after);
        EXPECT_EQ(file->shrank(), row.after < row.written);
        const size_t kept = std::min(row.written, row.after);
        EXPECT_TRUE(std::equal(got.begin(), got.begin() + kept, data.begin()));
        EXPECT_TRUE(std::all_of(got.begin() + kept, got.end(), [](uint8_t b) { return b == 0; }));
    }
}

TEST_F(FileReadTest, WhatIsNotAPlainFileOrIsFarTooLargeIsRefusedAtOnce) {
    const std::string fifo = m_temp / "pipe.tie";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string huge = m_temp / "huge.tie";
    {
        const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::ftruncate(fd, static_cast<off_t>(kMaxReadBytes) + 1), 0);  // no disk used
        ::close(fd);
    }
    const auto start = std::chrono::steady_clock::now();
    for (const std::string& path : {m_dir.string(), std::string("/dev/zero"), fifo, huge}) {
        SCOPED_TRACE(path);
        FileError err;
        EXPECT_FALSE(FileBytes::open(path, &err));
        EXPECT_FALSE(err.reason.empty());
        err.reason.clear();
        EXPECT_FALSE(readWholeFile(path, &err));
        EXPECT_FALSE(err.reason.empty());
    }
    // The pipe has no writer: nothing waited for one.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));

    // Exactly at the bound is still read.
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(kMaxReadBytes)), 0);
    const auto file = FileBytes::open(huge);
    ASSERT_TRUE(file);
    EXPECT_EQ(file->bytes().size(), kMaxReadBytes);
}

// A file with holes on a file system that has no room left: its pages cannot
// be allocated, which must not matter to reading it.
TEST_F(FileReadTest, ASparseCopyOnAFullFileSystemReadsWhole) {
    const fs::path mountPoint = m_dir / "small";
    fs::create_directories(mountPoint);
    if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=2m") != 0)
        GTEST_SKIP() << "mounting a small tmpfs needs privileges this run lacks";
    struct Unmount {
        std::string at;
        ~Unmount() { ::umount2(at.c_str(), MNT_DETACH); }
    } unmount{mountPoint.string()};

    const std::string sample = std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie";
    const auto original = readWholeFile(sample);
    ASSERT_TRUE(original);
    const std::string copy = (mountPoint / "m.tie").string();
    const std::string cmd = "cp --sparse=always '" + sample + "' '" + copy + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    {
        // Fill what is left of the file system.
        const int fd = ::open((mountPoint / "fill").c_str(), O_WRONLY | O_CREAT, 0600);
        ASSERT_GE(fd, 0);
        const std::vector<uint8_t> block(1 << 16, 1);
        while (::write(fd, block.data(), block.size()) > 0) {
        }
        ::close(fd);
    }
    const auto back = FileBytes::open(copy);
    ASSERT_TRUE(back);
    EXPECT_FALSE(back->shrank());
    EXPECT_TRUE(
        std::equal(original->begin(), original->end(), back->bytes().begin(), back->bytes().end()));
}

}  // namespace
}  // namespace quendar::mission
