// File layouts pinned by literal bytes written out by hand, independently of
// the code's own constants: a swapped field or a shifted offset fails here.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/files/MissionIO.h"
#include "app/files/PreferencesFile.h"
#include "mission/MissionFile.h"

namespace quendar::app {
namespace {

using mission::Table;

TEST(FileLayoutLiterals, PreferencesFileHoldsTheTwentyNineSettingsInTableOrder) {
    // Every setting gets its own value, 11 for the first up to 39 for the last.
    core::DisplaySettings s;
    s.intersectAuto = 11;
    s.showHorizontalLabels = 12;
    s.showVerticalLabels = 13;
    s.showIntersectLabels = 14;
    s.intersectEvery = 15;
    s.labelColour = 16;
    s.intersectColour = 17;
    s.horizontalLabelPosition = 18;
    s.verticalLabelPosition = 19;
    s.thickAuto = 20;
    s.linesAuto = 21;
    s.thickWidthAuto = 22;
    s.briefingMapColour = 23;
    s.mapColour = 24;
    s.thickEvery = 25;
    s.thickWidth = 26;
    s.linesEvery = 27;
    s.xzShowX = 28;
    s.xzShowZ = 29;
    s.yzShowY = 30;
    s.yzShowZ = 31;
    s.showOrigoAxis = 32;
    s.showAxisCaption = 33;
    s.origoColour = 34;
    s.projection = 35;
    s.briefingImages = 36;
    s.briefingHints = 37;
    s.runEccBeforeSave = 38;
    s.checkFileNames = 39;
    const std::vector<uint8_t> file{'Q', 'D', 'D', 'A', 'T', 'd', 0,  11, 12, 13, 14, 15,
                                    16,  17,  18,  19,  20,  21,  22, 23, 24, 25, 26, 27,
                                    28,  29,  30,  31,  32,  33,  34, 35, 36, 37, 38, 39};
    ASSERT_EQ(file.size(), 36u);
    EXPECT_EQ(encodePreferences(s), file);

    // And read back field by field from the literal file.
    core::DisplaySettings r;
    ASSERT_EQ(readPreferences(file, r).settingsRead, 29);
    const int read[29] = {r.intersectAuto,
                          r.showHorizontalLabels,
                          r.showVerticalLabels,
                          r.showIntersectLabels,
                          r.intersectEvery,
                          r.labelColour,
                          r.intersectColour,
                          r.horizontalLabelPosition,
                          r.verticalLabelPosition,
                          r.thickAuto,
                          r.linesAuto,
                          r.thickWidthAuto,
                          r.briefingMapColour,
                          r.mapColour,
                          r.thickEvery,
                          r.thickWidth,
                          r.linesEvery,
                          r.xzShowX,
                          r.xzShowZ,
                          r.yzShowY,
                          r.yzShowZ,
                          r.showOrigoAxis,
                          r.showAxisCaption,
                          r.origoColour,
                          r.projection,
                          r.briefingImages,
                          r.briefingHints,
                          r.runEccBeforeSave,
                          r.checkFileNames};
    for (int k = 0; k < 29; ++k) EXPECT_EQ(read[k], 11 + k) << "setting " << k + 1;
}

// Briefing 1's event area runs from byte 10 to byte 17417 of its block:
// 17,408 bytes for the commands and the 4-byte end command.
class EventAreaLimits : public ::testing::Test {
  protected:
    // 1000 "Move ship" commands (5 words), 900 "Add bottom text" (3 words), 500
    // "Skip to" (2 words) and `clearSelections` "Delete selections" (2 words).
    void fill(int clearSelections) {
        auto& b = editor.briefing;
        b.resetForNewMission();
        for (int i = 0; i < 1000; ++i)
            ASSERT_TRUE(b.appendCommand(briefing::BRC_COORD, i, {1, 2, 3}));
        for (int i = 0; i < 900; ++i) ASSERT_TRUE(b.appendCommand(briefing::BRC_LOWER, i, {4}));
        for (int i = 0; i < 500; ++i) ASSERT_TRUE(b.appendCommand(briefing::BRC_SKIP, i));
        for (int i = 0; i < clearSelections; ++i)
            ASSERT_TRUE(b.appendCommand(briefing::BRC_CLEARSEL, 2000 + i));
    }
    Editor editor;
};

TEST_F(EventAreaLimits, AScriptThatFillsTheAreaExactlyIsSavedWhole) {
    fill(1);  // 10000 + 5400 + 2000 + 4 = 17404 bytes, then the end command
    const BuildOutcome packed = packBriefing(editor);
    EXPECT_TRUE(packed.messages.empty());
    const auto block = editor.store.slot(Table::Briefing1, 0);
    // The end command (time 3000 = 0x0BB8, code 34) takes the last four bytes.
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 17414, block.begin() + 17418),
              (std::vector<uint8_t>{0xB8, 0x0B, 34, 0}));
    // The last command before it: "Delete selections" (code 8) at time 2000.
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 17410, block.begin() + 17414),
              (std::vector<uint8_t>{0xD0, 0x07, 8, 0}));
}

TEST_F(EventAreaLimits, OneCommandTooManyIsLeftOutWithTheWarning) {
    fill(2);
    const BuildOutcome packed = packBriefing(editor);
    ASSERT_EQ(packed.messages.size(), 1u);
    EXPECT_EQ(packed.messages[0].caption, "Warning");
    EXPECT_NE(packed.messages[0].text.find("\n1 of the latest"), std::string::npos)
        << packed.messages[0].text;
}

TEST(ListCapacity, OneCommandOverAListsCapacityIsReportedOnOpen) {
    // 501 "Skip to" commands (the list holds 500), then the end command.
    // Two editors: on the heap, each holds a whole mission.
    auto owned = std::make_unique<Editor>();
    Editor& e = *owned;
    auto block = e.store.mutableSlot(Table::Briefing1, 0);
    size_t at = 10;
    for (int i = 0; i < 501; ++i, at += 4) {
        block[at] = static_cast<uint8_t>(i & 0xFF);
        block[at + 1] = static_cast<uint8_t>(i >> 8);
        block[at + 2] = 3;
        block[at + 3] = 0;
    }
    block[at] = 0xB8;
    block[at + 1] = 0x0B;
    block[at + 2] = 34;
    block[at + 3] = 0;
    const std::vector<uint8_t> image = mission::writeMission(e.store);

    auto openedOwned = std::make_unique<Editor>();
    Editor& opened = *openedOwned;
    opened.craftListPath.clear();
    const LoadOutcome loaded = loadMissionBytes(opened, image);
    ASSERT_EQ(loaded.messages.size(), 1u);
    EXPECT_EQ(loaded.messages[0].caption, "Warning");
    EXPECT_NE(loaded.messages[0].text.find("\n1 command(s) were left out"), std::string::npos)
        << loaded.messages[0].text;
    EXPECT_EQ(opened.briefing.count(briefing::BRC_SKIP), 500);
}

}  // namespace
}  // namespace quendar::app
