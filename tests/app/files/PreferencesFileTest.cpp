#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/files/PreferencesFile.h"

using namespace quendar::app;
using quendar::core::DisplaySettings;

namespace {

struct RecordingPrompter : quendar::core::Prompter {
    std::vector<std::pair<std::string, std::string>> shown;
    quendar::core::Answer ask(std::string_view text, std::string_view caption,
                              quendar::core::Buttons, quendar::core::Icon) override {
        shown.emplace_back(text, caption);
        return quendar::core::Answer::Ok;
    }
};

std::vector<int> values(DisplaySettings s) {
    std::vector<int> out;
    for (int* f : s.fields()) out.push_back(*f);
    return out;
}

std::filesystem::path tempDir() {
    auto dir = std::filesystem::temp_directory_path() /
               ("qd_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir);
    return dir;
}

}  // namespace

TEST(PreferencesFile, LayoutAndRoundTrip) {
    DisplaySettings defaults;
    const auto image = encodePreferences(defaults);
    ASSERT_EQ(image.size(), 36u);
    EXPECT_EQ(std::string(image.begin(), image.begin() + 6), "QDDATd");
    EXPECT_EQ(image[6], 0);
    EXPECT_EQ(image[7], 1);       // intersectAuto
    EXPECT_EQ(image[7 + 14], 4);  // thickEvery
    EXPECT_EQ(image[35], 1);      // checkFileNames

    DisplaySettings s;
    s.missionDirectory = "/home/pilot/missions";
    s.thickEvery = 300;  // a number edit may hold more than a byte
    s.projection = 2;
    s.checkFileNames = 0;
    const auto bytes = encodePreferences(s);
    EXPECT_EQ(bytes.size(), 36u + s.missionDirectory.size());

    DisplaySettings back;
    const auto r = readPreferences(bytes, back);
    EXPECT_EQ(r.status, PreferencesStatus::Loaded);
    EXPECT_EQ(r.settingsRead, 29);
    EXPECT_FALSE(r.shortFile);
    EXPECT_EQ(back.missionDirectory, s.missionDirectory);
    EXPECT_EQ(back.thickEvery, 44);
    s.thickEvery = 44;
    EXPECT_EQ(values(back), values(s));

    // Negative values are stored as their low byte and come back unsigned.
    s.labelColour = -1;
    readPreferences(encodePreferences(s), back);
    EXPECT_EQ(back.labelColour, 255);

    // A directory longer than 254 characters is cut to 254.
    s.missionDirectory = std::string(400, 'd');
    const auto longDir = encodePreferences(s);
    EXPECT_EQ(longDir[6], 254);
    EXPECT_EQ(longDir.size(), 36u + 254u);
    readPreferences(longDir, back);
    EXPECT_EQ(back.missionDirectory, std::string(254, 'd'));
}

TEST(PreferencesFile, OnlyTheSixthByteDecides) {
    auto image = encodePreferences(DisplaySettings{});
    image[7 + 15] = 2;  // thickWidth
    for (int k = 0; k < 5; ++k) image[k] = 'x';
    DisplaySettings s;
    EXPECT_EQ(readPreferences(image, s).status, PreferencesStatus::Loaded);
    EXPECT_EQ(s.thickWidth, 2);

    image[5] = 'D';
    DisplaySettings untouched;
    untouched.thickWidth = 7;
    untouched.missionDirectory = "keep";
    EXPECT_EQ(readPreferences(image, untouched).status, PreferencesStatus::FirstRunNeeded);
    EXPECT_EQ(untouched.thickWidth, 7);
    EXPECT_EQ(untouched.missionDirectory, "keep");

    const std::vector<uint8_t> tiny{'Q', 'D', 'D'};
    EXPECT_EQ(readPreferences(tiny, untouched).status, PreferencesStatus::FirstRunNeeded);
    EXPECT_EQ(readPreferences({}, untouched).status, PreferencesStatus::FirstRunNeeded);
}

TEST(PreferencesFile, ShortFilesKeepTheMissingSettings) {
    DisplaySettings written;
    written.missionDirectory = "abc";
    for (int* f : written.fields()) *f = 9;
    const auto full = encodePreferences(written);

    const DisplaySettings defaults;
    for (size_t length = 6; length < full.size(); ++length) {
        DisplaySettings s;
        const std::vector<uint8_t> cut(full.begin(), full.begin() + length);
        const auto r = readPreferences(cut, s);
        ASSERT_EQ(r.status, PreferencesStatus::Loaded) << length;
        EXPECT_TRUE(r.shortFile) << length;
        const int expectRead = length > 10 ? static_cast<int>(length) - 10 : 0;
        EXPECT_EQ(r.settingsRead, expectRead) << length;
        auto got = values(s), fromFile = values(written), kept = values(defaults);
        for (int k = 0; k < 29; ++k) {
            EXPECT_EQ(got[k], k < expectRead ? fromFile[k] : kept[k]) << length << " " << k;
        }
        const size_t dirChars = length > 7 ? std::min<size_t>(length - 7, 3) : 0;
        EXPECT_EQ(s.missionDirectory, std::string("abc").substr(0, dirChars)) << length;
    }

    // A length byte that promises more than the file holds.
    std::vector<uint8_t> damaged{'Q', 'D', 'D', 'A', 'T', 'd', 200, 'x', 'y', 0, 'z'};
    DisplaySettings s;
    const auto r = readPreferences(damaged, s);
    EXPECT_EQ(r.status, PreferencesStatus::Loaded);
    EXPECT_EQ(s.missionDirectory, "xy");
    EXPECT_EQ(values(s), values(defaults));
}

TEST(PreferencesFile, FilesOnDisk) {
    const auto dir = tempDir();
    const std::string path = (dir / "qd.dat").string();
    RecordingPrompter prompter;

    DisplaySettings s;
    EXPECT_EQ(readPreferencesFile(path, s).status, PreferencesStatus::FirstRunNeeded);

    s.missionDirectory = "m";
    s.briefingHints = 0;
    ASSERT_TRUE(writePreferencesFile(path, s, prompter));
    EXPECT_TRUE(prompter.shown.empty());
    EXPECT_EQ(std::filesystem::file_size(path), 37u);
    DisplaySettings back;
    EXPECT_EQ(readPreferencesFile(path, back).status, PreferencesStatus::Loaded);
    EXPECT_EQ(back.briefingHints, 0);
    EXPECT_EQ(back.missionDirectory, "m");

    // A file that cannot be written: the message, and the old file stays.
    const std::string blocked = (dir / "missing-folder" / "qd.dat").string();
    EXPECT_FALSE(writePreferencesFile(blocked, s, prompter));
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].first, "Cannot open file QD.DAT");
    EXPECT_EQ(prompter.shown[0].second, "QD Init error");

    std::filesystem::remove_all(dir);
}
