#pragma once

#include <gtest/gtest.h>

#include "mission/NewMission.h"
#include "shipgroup/ShipgroupContext.h"
#include "support/FormFixture.h"
#include "support/StubPorts.h"

namespace quendar::settings::test {

using mission::Table;
using quendar::testing::chooseAll;
using quendar::testing::expectItems;

// A new mission in memory and the context the mission-wide forms work in.
struct SettingsFixture : quendar::testing::FormFixture {
    SettingsFixture() { mission::resetToNewMission(store); }

    quendar::testing::StubShipgroupPort port;
    shipgroup::ShipgroupContext ctx{store, events, prompter, port};
};

}  // namespace quendar::settings::test
