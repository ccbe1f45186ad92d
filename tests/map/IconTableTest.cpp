#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "core/Prompter.h"
#include "map/IconTable.h"

using namespace quendar;
using map::IconTable;

namespace {

struct FileIcon {
    int number, height, width;
    std::vector<uint8_t> bytes;  // column-major, 3 per pixel; empty = a pattern
};

// One colour byte of a loaded icon: icon number, column, row, channel, value.
struct PixelByte {
    int icon, col, row, channel, value;
};

void expectPixels(const IconTable& t, std::initializer_list<PixelByte> bytes) {
    for (const PixelByte& b : bytes)
        EXPECT_EQ(t.icon(b.icon).pixel(b.col, b.row)[b.channel], b.value)
            << "icon " << b.icon << " (" << b.col << ", " << b.row << ")[" << b.channel << "]";
}

std::vector<uint8_t> iconFile(const std::vector<FileIcon>& icons, int v1 = 1, int v2 = 1) {
    std::vector<uint8_t> f(11, 'x');
    f.push_back(static_cast<uint8_t>(v1));
    f.push_back(static_cast<uint8_t>(v2));
    f.push_back(static_cast<uint8_t>(icons.size()));
    for (const auto& i : icons) {
        f.push_back(static_cast<uint8_t>(i.number));
        f.push_back(static_cast<uint8_t>(i.height));
        f.push_back(static_cast<uint8_t>(i.width));
    }
    for (const auto& i : icons) {
        if (!i.bytes.empty()) {
            f.insert(f.end(), i.bytes.begin(), i.bytes.end());
            continue;
        }
        for (int col = 0; col < i.width; ++col)
            for (int row = 0; row < i.height; ++row) {
                f.push_back(static_cast<uint8_t>(col));
                f.push_back(static_cast<uint8_t>(row));
                f.push_back(static_cast<uint8_t>(i.number));
            }
    }
    return f;
}

struct ScriptedPrompter : core::Prompter {
    std::vector<std::pair<std::string, std::string>> shown;
    core::Answer ask(std::string_view text, std::string_view caption, core::Buttons,
                     core::Icon) override {
        shown.emplace_back(std::string(text), std::string(caption));
        return core::Answer::Ok;
    }
};

}  // namespace

TEST(IconTable, LoadsIconsColumnByColumnIntoTheirSlots) {
    IconTable t;
    auto r = t.load(iconFile({{5, 2, 3, {}}, {200, 1, 1, {9, 8, 7}}}));
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.iconCount, 2);
    EXPECT_FALSE(r.truncated);
    EXPECT_TRUE(t.available());
    const auto& i5 = t.icon(5);
    EXPECT_EQ(i5.width, 3);
    EXPECT_EQ(i5.height, 2);
    // Column 2, row 1 holds (2, 1, 5).
    EXPECT_EQ(i5.pixel(2, 1)[0], 2);
    EXPECT_EQ(i5.pixel(2, 1)[1], 1);
    EXPECT_EQ(i5.pixel(2, 1)[2], 5);
    EXPECT_FALSE(i5.transparent(0, 0));  // (0, 0, 5): only all-zero pixels are transparent
    EXPECT_EQ(t.icon(200).pixel(0, 0)[0], 9);
    EXPECT_TRUE(t.icon(4).empty());  // not in the file: that craft type draws nothing
    EXPECT_TRUE(t.icon(-1).empty());
    EXPECT_TRUE(t.icon(999).empty());
    EXPECT_EQ(r.message(), "");
}

TEST(IconTable, EmptyAndZeroSizedIcons) {
    IconTable t;
    EXPECT_TRUE(t.load(iconFile({})).ok());
    EXPECT_TRUE(t.available());
    for (int n = 0; n < IconTable::kSlots; ++n) EXPECT_TRUE(t.icon(n).empty());

    // Width 0 takes no pixel bytes: the icon after it still reads its own data.
    ASSERT_TRUE(t.load(iconFile({{1, 4, 0, {}}, {2, 1, 1, {10, 20, 30}}})).ok());
    EXPECT_TRUE(t.icon(1).empty());
    EXPECT_EQ(t.icon(2).pixel(0, 0)[1], 20);
}

TEST(IconTable, WrongVersionsAndMissingFilesGiveTheirMessages) {
    IconTable t;
    ScriptedPrompter p;
    auto r = t.load(iconFile({{1, 1, 1, {}}}, 1, 2));
    EXPECT_EQ(r.status, map::IconLoadResult::Status::BadVersion);
    EXPECT_FALSE(t.available());
    r.report(p);
    r = t.load(iconFile({}, 0, 1));
    EXPECT_FALSE(r.ok());
    r = t.load(std::vector<uint8_t>(5, 1));  // ends before the version bytes
    EXPECT_EQ(r.status, map::IconLoadResult::Status::BadVersion);

    r = t.loadFile("/nonexistent/folder/iconslist.dat");
    EXPECT_EQ(r.status, map::IconLoadResult::Status::CannotOpen);
    EXPECT_TRUE(t.icon(1).empty());
    r.report(p);
    ASSERT_EQ(p.shown.size(), 2u);
    EXPECT_EQ(p.shown[0].first, "Incorrect version, no icons available");
    EXPECT_EQ(p.shown[0].second, "iconslist.dat");
    EXPECT_EQ(p.shown[1].first, "Cannot open file, therefore no icons available");
    EXPECT_EQ(p.shown[1].second, "iconslist.dat");

    // A good load shows nothing.
    t.load(iconFile({})).report(p);
    EXPECT_EQ(p.shown.size(), 2u);
}

TEST(IconTable, LoadsFromADiskFile) {
    const auto path = std::filesystem::temp_directory_path() / "quendar_icons_test.dat";
    const auto bytes = iconFile({{7, 2, 2, {}}});
    std::FILE* f = std::fopen(path.string().c_str(), "wb");
    ASSERT_NE(f, nullptr);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
    IconTable t;
    EXPECT_TRUE(t.loadFile(path.string()).ok());
    EXPECT_EQ(t.icon(7).width, 2);
    std::filesystem::remove(path);
}

TEST(IconTable, ANumberListedTwiceReadsItsLaterSizeTwice) {
    // Icon 5 is listed as 1 x 1 and then as 1 column of 2 rows; icon 6 (1 x 1)
    // follows. Both entries of 5 read 2 pixels (the size its slot holds once
    // the directory is read), so the pixel data is 2 + 2 + 1 pixels long and
    // icon 5 ends with the third and fourth pixel.
    std::vector<uint8_t> f = iconFile({{5, 1, 1, {}}, {5, 2, 1, {}}, {6, 1, 1, {}}});
    f.resize(11 + 3 + 3 * 3);
    for (uint8_t p = 1; p <= 5; ++p) f.insert(f.end(), {p, p, p});
    IconTable t;
    const auto r = t.load(f);
    ASSERT_TRUE(r.ok());
    EXPECT_FALSE(r.truncated);
    EXPECT_EQ(t.icon(5).width, 1);
    EXPECT_EQ(t.icon(5).height, 2);
    expectPixels(t, {{5, 0, 0, 0, 3}, {5, 0, 1, 0, 4}, {6, 0, 0, 0, 5}});
}

TEST(IconTable, OversizedIconsAreCutAndKeepTheFollowingIconsInStep) {
    IconTable t;
    auto r = t.load(iconFile({{1, 130, 200, {}}, {2, 1, 1, {4, 5, 6}}}));
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.cropped);
    EXPECT_EQ(t.icon(1).width, 128);
    EXPECT_EQ(t.icon(1).height, 128);
    expectPixels(t,
                 {{1, 127, 127, 0, 127}, {1, 127, 127, 1, 127}, {2, 0, 0, 0, 4}, {2, 0, 0, 2, 6}});
}

TEST(IconTable, ShortFilesLoadWhatIsThere) {
    IconTable t;
    // Ends inside the pixel data: the missing pixels stay transparent.
    auto bytes = iconFile({{9, 2, 2, {}}});
    bytes.resize(bytes.size() - 4);  // the last pixel and one byte of the one before
    auto r = t.load(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(t.icon(9).width, 2);
    EXPECT_EQ(t.icon(9).pixel(0, 1)[1], 1);
    EXPECT_TRUE(t.icon(9).transparent(1, 0));
    EXPECT_TRUE(t.icon(9).transparent(1, 1));

    // Ends inside the directory: only the complete entries count.
    bytes = iconFile({{1, 1, 1, {}}, {2, 1, 1, {}}});
    bytes.resize(14 + 3 + 2);
    r = t.load(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.iconCount, 1);
    EXPECT_EQ(t.icon(1).width, 1);
    EXPECT_TRUE(t.icon(1).transparent(0, 0));
    EXPECT_TRUE(t.icon(2).empty());

    // A full directory of the largest icons and no pixel data at all: every
    // slot takes its size, cut to 128, and stays transparent.
    bytes.assign(14, 0);
    bytes[11] = bytes[12] = 1;
    bytes[13] = 255;
    for (int n = 0; n < 255; ++n) bytes.insert(bytes.end(), {static_cast<uint8_t>(n), 255, 255});
    bytes.insert(bytes.end(), {7, 8, 9});  // the first pixel of icon 0
    r = t.load(bytes);
    ASSERT_TRUE(r.ok());
    EXPECT_TRUE(r.truncated);
    EXPECT_EQ(r.iconCount, 255);
    EXPECT_EQ(t.icon(0).pixel(0, 0)[2], 9);
    EXPECT_TRUE(t.icon(0).transparent(0, 1));
    for (int n : {0, 1, 254}) {
        EXPECT_EQ(t.icon(n).width, 128) << n;
        EXPECT_EQ(t.icon(n).height, 128) << n;
        EXPECT_TRUE(t.icon(n).transparent(127, 127)) << n;
    }

    // Only the header: no count.
    bytes.resize(13);
    EXPECT_TRUE(t.load(bytes).ok());
}

// The pixels are copied out when a slot is first asked for, from the bytes as
// they were loaded: neither the caller's buffer nor the file on disk is read
// again, and a slot set by hand is not overwritten by what was waiting.
TEST(IconTable, PixelsAskedForLaterAreThoseOfTheLoad) {
    std::vector<uint8_t> bytes = iconFile({{3, 1, 2, {1, 2, 3, 4, 5, 6}}, {4, 1, 1, {7, 8, 9}}});
    IconTable t;
    ASSERT_TRUE(t.load(bytes).ok());
    std::fill(bytes.begin(), bytes.end(), uint8_t{0xEE});
    expectPixels(t, {{3, 1, 0, 2, 6}, {4, 0, 0, 0, 7}});

    const auto path = std::filesystem::temp_directory_path() / "quendar_icons_later.dat";
    const auto write = [&](const std::vector<uint8_t>& b) {
        std::FILE* f = std::fopen(path.string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(b.data(), 1, b.size(), f);
        std::fclose(f);
    };
    write(iconFile({{3, 1, 2, {1, 2, 3, 4, 5, 6}}, {4, 1, 1, {7, 8, 9}}}));
    ASSERT_TRUE(t.loadFile(path.string()).ok());
    write(iconFile({{3, 1, 2, {0, 0, 0, 0, 0, 0}}}));
    map::CraftIcon own;
    own.width = own.height = 1;
    own.bytes = {50, 60, 70};
    t.setIcon(4, own);
    expectPixels(t, {{3, 0, 0, 0, 1}, {3, 1, 0, 1, 5}, {4, 0, 0, 0, 50}});
    std::filesystem::remove(path);

    // A table loaded again forgets what waited from the earlier load.
    ASSERT_TRUE(t.load(iconFile({{4, 1, 1, {1, 1, 1}}})).ok());
    EXPECT_TRUE(t.icon(3).empty());
    EXPECT_EQ(t.icon(4).pixel(0, 0)[0], 1);
}
