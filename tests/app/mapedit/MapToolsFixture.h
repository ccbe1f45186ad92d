#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "app/mapedit/MapTools.h"
#include "mission/NewMission.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"

namespace quendar::testing {

// The map tools over a new mission on an 800 × 600 map at zoom 100 with the
// origin in the middle, their commands bound, the shipgroup events recorded.
struct MapToolsFixture : ::testing::Test {
    app::Editor editor;
    ScriptedPrompter prompter;
    StubFrameView view;
    StubMapListeners listeners;
    app::MapTools tools{editor, prompter, view, listeners, listeners};
    app::CommandTable commands;
    std::vector<core::ShipgroupEvent> events;
    core::Notifier<core::ShipgroupEvent>::Connection conn;

    void SetUp() override {
        mission::resetToNewMission(editor.store);
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i)
            editor.mapView.resize(800, 600);
        conn =
            editor.shipgroupEvents.connect([this](core::ShipgroupEvent e) { events.push_back(e); });
        tools.bindCommands(commands);
    }
};

}  // namespace quendar::testing
