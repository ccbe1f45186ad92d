#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "Fixture.h"
#include "mission/MissionFile.h"
#include "mission/NewMission.h"
#include "shipgroup/ArrivalDepartureForm.h"
#include "shipgroup/BasicForm.h"
#include "shipgroup/ListForms.h"

namespace quendar::shipgroup::test {
namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bundled sample mission, edited through the forms and saved: the saved
// file holds the edits, and everything else of the mission is as it was.
TEST(LoadedMission, AddCopyDeleteEditAndSave) {
    const auto file = readFile(std::string(QUENDAR_DATA_DIR) + "/samples/lantern-run.tie");
    ASSERT_FALSE(file.empty());
    Fixture f;
    mission::resetToNewMission(f.store);
    mission::readMission(file, f.store);
    ASSERT_EQ(f.crafts.load(std::string(QUENDAR_DATA_DIR) + "/SHIPLIST.TXT"),
              mission::CraftListLoad::Loaded);
    const int n = f.store.shipgroupCount;
    ASSERT_GE(n, 3);
    const std::string secondName = f.rec(2).name();

    ShipgroupsForm list(f.ctx);
    f.open.push_back(&list);
    BasicForm basic(f.ctx);
    f.open.push_back(&basic);
    ArrivalDepartureForm arrival(f.ctx, ArrivalDepartureForm::Which::Arrival);
    f.open.push_back(&arrival);
    f.prompter.asked.clear();

    // Shipgroup n-1 arrives when shipgroup 2 is destroyed.
    list.choose("list", n - 1);
    arrival.choose("t1.subjectType", kSubjectFlightgroup);
    arrival.choose("t1.subject", 2);
    arrival.choose("t1.condition", 2);
    // A copy of shipgroup 0, renamed, then shipgroup 1 deleted.
    list.choose("list", 0);
    list.click("copy");
    basic.type("name", "Copied flight");
    basic.choose("craftCount", 3);
    list.type("name", "Fresh");
    list.click("add");
    list.choose("list", 1);
    f.prompter.answers = {Answer::Yes};
    list.click("deleteSelected");
    EXPECT_EQ(f.store.shipgroupCount, n + 1);
    EXPECT_TRUE(std::all_of(f.prompter.asked.begin(), f.prompter.asked.end(),
                            [](const std::string& q) { return q.find("Deleting") == 0; }));

    const auto saved = mission::writeMission(f.store);
    mission::MissionStore back;
    mission::resetToNewMission(back);
    mission::readMission(saved, back);
    ASSERT_EQ(back.shipgroupCount, n + 1);
    auto name = [&](int i) { return back.text(Table::Shipgroups, i, sg::name, 20); };
    EXPECT_EQ(name(1), secondName);  // old 2 moved up
    EXPECT_EQ(name(n - 1), "Copied flight");
    EXPECT_EQ(back.byte(Table::Shipgroups, n - 1, sg::craftCount), 3);
    EXPECT_EQ(name(n), "Fresh");
    // The trigger that named old 2 names it as 1 now.
    EXPECT_EQ(back.byte(Table::Shipgroups, n - 2, sg::arrivalTrigger1 + 1), kSubjectFlightgroup);
    EXPECT_EQ(back.byte(Table::Shipgroups, n - 2, sg::arrivalTrigger1 + 2), 1);
    EXPECT_EQ(back.byte(Table::Shipgroups, n - 2, sg::arrivalTrigger1), 2);
    // Untouched sections survive.
    EXPECT_TRUE(std::equal(back.table(Table::Teams).begin(), back.table(Table::Teams).end(),
                           f.store.table(Table::Teams).begin()));
}

}  // namespace
}  // namespace quendar::shipgroup::test
