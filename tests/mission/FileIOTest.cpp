#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "mission/FileIO.h"
#include "support/TempDir.h"

namespace quendar::mission {
namespace {

namespace fs = std::filesystem;

class FileIOTest : public ::testing::Test {
  protected:
    size_t filesIn(const fs::path& d) {
        return static_cast<size_t>(
            std::distance(fs::directory_iterator(d), fs::directory_iterator()));
    }
    testing::TempDir m_temp{"quendar-fileio"};
    const fs::path& m_dir = m_temp.path();
};

TEST_F(FileIOTest, WritesAndReadsBack) {
    const std::vector<uint8_t> data(300000, 0x5A);
    const std::string path = (m_dir / "m.tie").string();
    FileError err;
    ASSERT_TRUE(writeFileAtomic(path, data, &err)) << err.reason;
    auto back = readWholeFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, data);
    EXPECT_EQ(filesIn(m_dir), 1u);  // no temporary file left behind
}

TEST_F(FileIOTest, FailureHalfWayLeavesTheTargetUntouched) {
    const std::string path = (m_dir / "m.tie").string();
    const std::vector<uint8_t> old{1, 2, 3};
    ASSERT_TRUE(writeFileAtomic(path, old));

    const std::vector<uint8_t> data(200000, 7);
    size_t calls = 0;
    mission::WriteHooks failing;
    failing.writeChunk = [&](const uint8_t* p, size_t n, std::FILE* f) -> size_t {
        if (++calls == 2) return n / 2;  // the disk fills up in the second chunk
        return std::fwrite(p, 1, n, f);
    };
    FileError err;
    EXPECT_FALSE(writeFileAtomic(path, data, &err, failing));
    EXPECT_FALSE(err.reason.empty());
    EXPECT_EQ(*readWholeFile(path), old);
    EXPECT_EQ(filesIn(m_dir), 1u);
}

TEST_F(FileIOTest, UnwritableFolderFailsWithAReason) {
    FileError err;
    // A folder that does not exist, and one that refuses new files even to root.
    EXPECT_FALSE(writeFileAtomic((m_dir / "missing" / "m.tie").string(), {}, &err));
    EXPECT_FALSE(err.reason.empty());
    EXPECT_FALSE(writeFileAtomic("/proc/self/quendar.tie", std::vector<uint8_t>{1}, &err));

    if (::geteuid() != 0) {  // permissions do not bind root
        const fs::path locked = m_dir / "locked";
        fs::create_directories(locked);
        const std::string path = (locked / "m.tie").string();
        ASSERT_TRUE(writeFileAtomic(path, std::vector<uint8_t>{9}));
        fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(writeFileAtomic(path, std::vector<uint8_t>{1, 2}, &err));
        fs::permissions(locked, fs::perms::owner_all);
        EXPECT_EQ(*readWholeFile(path), std::vector<uint8_t>{9});
    }
}

TEST_F(FileIOTest, ADirectoryIsNotATarget) {
    FileError err;
    EXPECT_FALSE(writeFileAtomic(m_dir.string(), std::vector<uint8_t>{1}, &err));
    EXPECT_TRUE(fs::is_directory(m_dir));
    EXPECT_FALSE(readWholeFile((m_dir / "nothing.tie").string(), &err));
    EXPECT_FALSE(err.reason.empty());
}

}  // namespace
}  // namespace quendar::mission
