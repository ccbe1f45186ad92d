#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/files/WorkingFolder.h"

using quendar::app::WorkingFolder;
namespace fs = std::filesystem;

TEST(WorkingFolder, OwnFileFirstThenTheDataFolder) {
    const fs::path root = fs::temp_directory_path() / "quendar_working_folder";
    fs::remove_all(root);
    fs::create_directories(root / "work");
    fs::create_directories(root / "data");
    std::ofstream(root / "data" / "SHIPLIST.TXT") << "bundled";
    const fs::path previous = fs::current_path();
    fs::current_path(root / "work");

    WorkingFolder folder((root / "data").string());
    EXPECT_EQ(fs::path(folder.dataFile("SHIPLIST.TXT")), root / "data" / "SHIPLIST.TXT");
    EXPECT_EQ(folder.dataFile("iconslist.dat"), "iconslist.dat")
        << "nowhere: the reader reports it";
    std::ofstream("SHIPLIST.TXT") << "the user's own";
    EXPECT_EQ(folder.dataFile("SHIPLIST.TXT"), "SHIPLIST.TXT") << "the working folder wins";
    // A folder of that name is not a file.
    fs::create_directories("iconslist.dat");
    EXPECT_EQ(WorkingFolder().dataFile("iconslist.dat"), "iconslist.dat");

    fs::current_path(previous);
    fs::remove_all(root);
}
