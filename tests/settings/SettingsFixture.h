#pragma once

#include <gtest/gtest.h>

#include <string>

#include "mission/MissionStore.h"
#include "mission/NewMission.h"
#include "shipgroup/ShipgroupContext.h"
#include "support/ScriptedUi.h"

namespace quendar::settings::test {

// A new mission in memory and the context the mission-wide forms work in.
struct SettingsFixture {
    SettingsFixture() { mission::resetToNewMission(store); }
    std::string bytesOf(mission::Table t, int slot) const {
        auto s = store.slot(t, slot);
        return std::string(s.begin(), s.end());
    }
    int at(mission::Table t, int slot, int offset) const { return store.byte(t, slot, offset); }

    mission::MissionStore store;
    core::Notifier<int> events;
    quendar::testing::ScriptedPrompter prompter;
    shipgroup::ShipgroupContext ctx{store, events, prompter};
};

}  // namespace quendar::settings::test
