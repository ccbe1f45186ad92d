#pragma once

#include "core/DisplaySettings.h"
#include "map/MapRenderer.h"
#include "map/MapView.h"
#include "map/ViewSwitches.h"
#include "mission/MissionStore.h"

namespace quendar::testing {

// What a paint of the map reads: the mission, the display settings, the view
// and its switches, and the icons the renderer draws from.
struct MapScene {
    mission::MissionStore store;
    core::DisplaySettings settings;
    map::MapView view;
    map::ViewSwitches switches;
    map::IconTable icons;
    map::MapRenderer renderer{icons};

    // The view at `width` × `height`, past the size notifications that centre it.
    void sizeView(int width, int height) {
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i) view.resize(width, height);
    }
};

}  // namespace quendar::testing
