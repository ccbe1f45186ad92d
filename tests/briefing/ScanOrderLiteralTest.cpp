// The order in which packing writes commands of equal time, pinned by a
// literal sequence of command codes written out by hand.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "briefing/BriefingModel.h"
#include "mission/MissionStore.h"

namespace quendar::briefing {
namespace {

TEST(ScanOrderLiteral, OneCommandOfEveryKindAtOneTimeComesOutInReverseScanOrder) {
    mission::MissionStore store;
    BriefingModel model{store};
    model.resetForNewMission();
    for (int k = 0; k < kKindCount; ++k)
        ASSERT_TRUE(model.appendCommand(static_cast<Kind>(k), 40, {1, 2, 3, 4}));
    model.serializeBriefing();

    // Words after time and code, by code, as the command table gives them.
    const std::map<int, int> params{{3, 0},  {5, 1},  {6, 2},  {7, 2},  {8, 0},  {9, 1},  {10, 1},
                                    {11, 1}, {12, 1}, {13, 1}, {14, 1}, {15, 1}, {16, 1}, {17, 0},
                                    {18, 4}, {19, 4}, {20, 4}, {21, 4}, {22, 4}, {23, 4}, {24, 4},
                                    {25, 4}, {26, 3}, {27, 2}, {28, 3}, {29, 2}, {30, 1}};
    const auto block = store.slot(mission::Table::Briefing1, 0);
    std::vector<int> codes;
    for (size_t at = 10; at + 4 <= 17418;) {
        const int time = block[at] | block[at + 1] << 8;
        const int code = block[at + 2] | block[at + 3] << 8;
        codes.push_back(code);
        if (code == 34) break;
        EXPECT_EQ(time, 40);
        const auto p = params.find(code);
        ASSERT_NE(p, params.end()) << code;
        at += 4 + 2 * static_cast<size_t>(p->second);
    }
    // Scanned: SELECT1..8, TAG1..8, CLEARTAGS, CLEARSEL, LOWER, COORD, ORIENT,
    // SHOW, REGION, TECH, MOVEMAP, ZOOM, SKIP; the last found goes first.
    const std::vector<int> expected{3,  7,  6,  27, 30, 26, 29, 28, 5,  8,  17, 25, 24, 23,
                                    22, 21, 20, 19, 18, 16, 15, 14, 13, 12, 11, 10, 9,  34};
    EXPECT_EQ(codes, expected);
}

}  // namespace
}  // namespace quendar::briefing
