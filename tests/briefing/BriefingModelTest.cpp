#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "briefing/BriefingModel.h"
#include "briefing/BriefingTexts.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {
namespace {

using mission::Table;

class BriefingModelTest : public ::testing::Test {
  protected:
    mission::MissionStore store;
    BriefingModel model{store};
};

TEST(BriefingKinds, CodesNamesAndCapacities) {
    struct Row {
        Kind kind;
        int code;
        const char* name;
        const char* kindName;
        const char* status;
        int params;
        int capacity;
    };
    const Row rows[] = {
        {BRC_SKIP, 3, "BRC_SKIP", "''Skip To'' point", "Skip to point", 0, 500},
        {BRC_LOWER, 5, "BRC_LOWER", "Add instruction text", "Add bottom text", 1, 1000},
        {BRC_ZOOM, 7, "BRC_ZOOM", "Zoom map", "Zooming", 2, 500},
        {BRC_SELECT1, 9, "BRC_SELECT1", "Select a ship using slot 1", "Selection 1", 1, 500},
        {BRC_SELECT8, 16, "BRC_SELECT8", "Select a ship using slot 8", "Selection 8", 1, 500},
        {BRC_TAG1, 18, "BRC_TAG1", "Add tag to map using slot 1", "Text 1", 4, 500},
        {BRC_TAG8, 25, "BRC_TAG8", "Add tag to map using slot 8", "Text 8", 4, 500},
        {BRC_SHOW, 26, "BRC_SHOW", "Show ship on the map", "Ship change", 3, 500},
        {BRC_COORD, 28, "BRC_COORD", "Move ship on the map", "New coordinates", 3, 1000},
        {BRC_REGION, 30, "BRC_REGION", "Change to another region", "Changing region", 1, 500},
    };
    for (const Row& row : rows) {
        const KindInfo& info = kindInfo(row.kind);
        EXPECT_EQ(info.code, row.code);
        EXPECT_EQ(info.name, row.name);
        EXPECT_EQ(info.kindName, row.kindName);
        EXPECT_EQ(info.statusText, row.status);
        EXPECT_EQ(info.paramCount, row.params) << row.name;
        EXPECT_EQ(info.capacity, row.capacity) << row.name;
    }
    EXPECT_EQ(kindInfo(selectKind(4)).kindName, "Select a ship using slot 4");
    EXPECT_EQ(kindInfo(tagKind(6)).statusText, "Text 6");
    for (int k = 0; k < kKindCount; ++k)
        EXPECT_EQ(kindOfCode(kindInfo(Kind(k)).code), std::optional<Kind>(Kind(k)));
    for (int code : {0, 1, 2, 4, 31, 32, 33, kEndCode, 35, 255, 256, -1})
        EXPECT_FALSE(kindOfCode(code).has_value()) << code;

    // Undo log entries name lists by their own numbers.
    const std::pair<int, std::optional<Kind>> undo[] = {
        {0, std::nullopt}, {1, BRC_COORD},     {2, BRC_ORIENT},   {3, BRC_SHOW},
        {4, BRC_TECH},     {5, BRC_SELECT1},   {12, BRC_SELECT8}, {13, BRC_TAG1},
        {20, BRC_TAG8},    {21, std::nullopt}, {-3, std::nullopt}};
    for (const auto& [entry, kind] : undo) EXPECT_EQ(kindOfUndoEntry(entry), kind) << entry;
}

TEST(BriefingTime, ConversionsTruncate) {
    EXPECT_EQ(unitsToSeconds(3000), 212);  // 3000 x 0.071 lies just below 213
    EXPECT_EQ(secondsToUnits(213), 3000);
    EXPECT_EQ(unitsToHundredths(3000), 21300);
    EXPECT_EQ(unitsToSeconds(14), 0);
    EXPECT_EQ(unitsToSeconds(15), 1);
    EXPECT_EQ(unitsToHundredths(-2), -14);
    EXPECT_EQ(secondsToUnits(-1.5), -21);
    EXPECT_EQ(secondsToUnits(1e300), std::numeric_limits<int>::max());
}

TEST_F(BriefingModelTest, AppendRespectsToolLimitsAndCapacity) {
    for (int i = 0; i < 499; ++i) ASSERT_TRUE(model.appendCommand(BRC_ZOOM, i, {32, 32}, 499));
    EXPECT_FALSE(model.appendCommand(BRC_ZOOM, 5, {32, 32}, 499));
    EXPECT_TRUE(model.appendCommand(BRC_ZOOM, 5, {32, 32}));
    EXPECT_FALSE(model.appendCommand(BRC_ZOOM, 5, {32, 32}));
    EXPECT_EQ(model.count(BRC_ZOOM), 500);
    EXPECT_FALSE(model.appendCommand(static_cast<Kind>(kKindCount), 1));

    // Coordinates are limited to what a signed word holds.
    ASSERT_TRUE(model.appendCommand(BRC_COORD, 3, {7, 40000, -40000}));
    EXPECT_EQ(model.record(BRC_COORD, 0).param(1), 32767);
    EXPECT_EQ(model.record(BRC_COORD, 0).param(2), -32768);
    // Missing parameters are 0.
    ASSERT_TRUE(model.appendCommand(BRC_TAG3, 3, {9}));
    EXPECT_EQ(model.record(BRC_TAG3, 0).param(3), 0);
}

TEST_F(BriefingModelTest, CommandsAtListsInFixedKindOrder) {
    model.appendCommand(BRC_ZOOM, 0, {20, 20});
    model.appendCommand(BRC_CLEARSEL, 0);
    model.appendCommand(BRC_SHOW, 0, {1, 5, 0});
    model.appendCommand(BRC_SHOW, 4, {2, 5, 0});
    model.appendCommand(BRC_TAG2, 0, {1, 0, 0, 0});
    model.appendCommand(BRC_SHOW, 0, {3, 6, 1});
    model.appendCommand(BRC_LOWER, 0, {8});
    const std::vector<CommandRef> at0 = model.commandsAt(0);
    const std::vector<CommandRef> want = {{BRC_LOWER, 0}, {BRC_SHOW, 0}, {BRC_SHOW, 2},
                                          {BRC_TAG2, 0},  {BRC_ZOOM, 0}, {BRC_CLEARSEL, 0}};
    EXPECT_EQ(at0, want);
    EXPECT_EQ(model.commandsAt(4), (std::vector<CommandRef>{{BRC_SHOW, 1}}));
    EXPECT_TRUE(model.commandsAt(5).empty());

    // Deleting the second line removes the first BRC_SHOW at 0; the later
    // records of that list move down.
    ASSERT_TRUE(model.deleteCommand(at0[1].kind, at0[1].index));
    ASSERT_EQ(model.count(BRC_SHOW), 2);
    EXPECT_EQ(model.record(BRC_SHOW, 0).param(0), 2);
    EXPECT_EQ(model.record(BRC_SHOW, 1).param(0), 3);
    EXPECT_FALSE(model.deleteCommand(BRC_SHOW, 2));
    EXPECT_FALSE(model.deleteCommand(BRC_SHOW, -1));
}

TEST_F(BriefingModelTest, UndoCountsStayWithinTheRecordsHeld) {
    for (int i = 0; i < 4; ++i) model.appendCommand(BRC_COORD, i, {1, i * 10, 0});
    model.setCount(BRC_COORD, 1);  // undo of three moves
    EXPECT_EQ(model.count(BRC_COORD), 1);
    model.setCount(BRC_COORD, 3);  // redo of two of them
    EXPECT_EQ(model.record(BRC_COORD, 2).param(1), 20);
    // A delete while one record is undone keeps the undone one behind the
    // list, so redo still brings back the right record.
    ASSERT_TRUE(model.deleteCommand(BRC_COORD, 0));
    model.setCount(BRC_COORD, model.count(BRC_COORD) + 1);
    ASSERT_EQ(model.count(BRC_COORD), 3);
    EXPECT_EQ(model.record(BRC_COORD, 2).param(1), 30);
    // Counts never go below 0 or past the records held.
    model.setCount(BRC_COORD, -5);
    EXPECT_EQ(model.count(BRC_COORD), 0);
    model.setCount(BRC_COORD, 50);
    EXPECT_EQ(model.count(BRC_COORD), 3);
    // A new command after undo discards what undo took back.
    model.setCount(BRC_COORD, 1);
    model.appendCommand(BRC_COORD, 9, {2, 0, 0});
    model.setCount(BRC_COORD, 3);
    EXPECT_EQ(model.count(BRC_COORD), 2);
}

// The tools' log holds 4999 entries. A log whose applied entries fill it
// records nothing more (the command itself stands); once undo has taken one
// back there is room again, since a new entry replaces the undone ones.
TEST_F(BriefingModelTest, FullToolLogIsReachedByItsAppliedEntries) {
    UndoLog& log = model.undoLog();
    for (int i = 0; i < 4999; ++i) log.record(undo::Move, 1);
    ASSERT_EQ(log.length(), 4999);
    log.record(undo::Orient, 1);
    EXPECT_EQ(log.length(), 4999);
    EXPECT_EQ(log.entry(4998).kind, undo::Move);
    ASSERT_TRUE(log.undo(model, true));
    EXPECT_EQ(log.position(), 4998);
    log.record(undo::Orient, 1);
    EXPECT_EQ(log.length(), 4999);
    EXPECT_EQ(log.position(), 4999);
    EXPECT_EQ(log.entry(4998).kind, undo::Orient);
    EXPECT_FALSE(log.canRedo(true));
}

TEST_F(BriefingModelTest, ShiftTimesMovesOnlyLaterCommands) {
    model.appendCommand(BRC_SKIP, 99);
    model.appendCommand(BRC_SKIP, 100);
    model.appendCommand(BRC_SKIP, 101);
    model.appendCommand(BRC_SKIP, 65534);
    model.appendCommand(BRC_SKIP, 65535);
    model.appendCommand(BRC_REGION, 150, {1});
    model.setBriefingEndTime(2000);
    model.setBriefingLength(1500);
    model.shiftTimes(100, 25);
    auto times = [&](Kind k) {
        std::vector<int32_t> t;
        for (const Record& r : model.records(k)) t.push_back(r.time);
        return t;
    };
    EXPECT_EQ(times(BRC_SKIP), (std::vector<int32_t>{99, 100, 126, 65559, 65535}));
    EXPECT_EQ(times(BRC_REGION), (std::vector<int32_t>{175}));
    EXPECT_EQ(model.briefingEndTime(), 2000);
    EXPECT_EQ(model.briefingLength(), 1500);
    // Backwards past 0 gives negative times, and huge shifts do not wrap.
    model.shiftTimes(100, -200);
    EXPECT_EQ(times(BRC_REGION), (std::vector<int32_t>{-25}));
    model.shiftTimes(-100, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(times(BRC_SKIP)[0], std::numeric_limits<int32_t>::max());
}

TEST_F(BriefingModelTest, ResetBriefing1RewritesTheBlock) {
    auto block = store.mutableSlot(Table::Briefing1, 0);
    std::fill(block.begin(), block.end(), uint8_t{0xAB});
    model.appendCommand(BRC_SKIP, 5);
    model.setBriefingEndTime(100);
    model.setBriefingLength(90);
    model.setCurrentTime(40);
    model.playback().stepSize = 3;
    model.resetBriefing1();

    const std::vector<uint8_t> head(block.begin(), block.begin() + 14);
    EXPECT_EQ(head, (std::vector<uint8_t>{0xB8, 0x0B, 0xB8, 0x0B, 0, 0, 0, 0, 0, 0, 0xB8, 0x0B,
                                          0x22, 0}));
    EXPECT_TRUE(std::all_of(block.begin() + 14, block.begin() + kTeamFlagsOffset,
                            [](uint8_t b) { return b == 0; }));
    for (int t = 0; t < kTeamFlagCount; ++t) EXPECT_TRUE(model.teamSeesBriefing(t));
    EXPECT_EQ(block[17426], 0xAB);
    EXPECT_EQ(block[17427], 0xAB);
    EXPECT_EQ(model.totalCount(), 0);
    EXPECT_EQ(model.briefingEndTime(), 3000);
    EXPECT_EQ(model.briefingLength(), 3000);
    EXPECT_EQ(model.currentTime(), 0);
    EXPECT_EQ(model.playback().stepSize, 1);
}

TEST_F(BriefingModelTest, NewMissionResetAndTeamFlags) {
    model.appendCommand(BRC_TECH, 5, {1, 2});
    model.setBriefingEndTime(10);
    model.setBriefingLength(10);
    model.playback().briefingLock = false;
    model.playback().playState = kStepped;
    model.playback().tickInterval = kTickSlow;
    model.resetForNewMission();
    EXPECT_EQ(model.totalCount(), 0);
    EXPECT_EQ(model.briefingEndTime(), kDefaultBriefingTime);
    EXPECT_EQ(store.briefingLength, kDefaultBriefingTime);
    EXPECT_TRUE(model.playback().briefingLock);
    EXPECT_EQ(model.playback().playState, kStopped);
    EXPECT_EQ(model.playback().tickInterval, kTickNormal);

    model.setTeamSeesBriefing(2, true);
    model.setTeamSeesBriefing(8, true);  // no ninth flag: nothing written
    EXPECT_EQ(store.byte(Table::Briefing1, 0, kTeamFlagsOffset + 2), 1);
    EXPECT_EQ(store.byte(Table::Briefing1, 0, kTeamFlagsOffset + 8), 0);
    EXPECT_TRUE(model.teamSeesBriefing(2));
    EXPECT_FALSE(model.teamSeesBriefing(3));
    EXPECT_FALSE(model.teamSeesBriefing(-1));
}

TEST(BriefingNotices, CaptionsFollowWhereTheBlockWasRead) {
    ParseResult ok;
    EXPECT_TRUE(parseNotices(ok, false).empty());

    ParseResult unknown;
    unknown.status = ParseStatus::UnknownCommand;
    unknown.droppedCommands = 2;
    const std::vector<Notice> onOpen = parseNotices(unknown, false);
    ASSERT_EQ(onOpen.size(), 2u);
    EXPECT_EQ(onOpen[0].text,
              "Unknown briefing command.\nPlease send this mission to the creator of "
              "Quendar.\nThanks.");
    EXPECT_EQ(onOpen[0].caption, "Fatal error");
    EXPECT_EQ(onOpen[1].caption, "Warning");
    EXPECT_NE(onOpen[1].text.find("\n2 command"), std::string::npos);
    EXPECT_EQ(parseNotices(unknown, true)[0].caption, "Fatal loading error");

    ParseResult noEnd;
    noEnd.status = ParseStatus::NoEndCommand;
    ASSERT_EQ(parseNotices(noEnd, true).size(), 1u);
    EXPECT_EQ(parseNotices(noEnd, true)[0].text, kNoEndCommandText);

    SerializeResult saved;
    EXPECT_FALSE(saveNotice(saved).has_value());
    saved.unwritten = 17;
    ASSERT_TRUE(saveNotice(saved).has_value());
    EXPECT_NE(saveNotice(saved)->text.find("17"), std::string::npos);
}

}  // namespace
}  // namespace quendar::briefing
