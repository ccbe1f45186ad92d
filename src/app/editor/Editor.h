#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/editor/FormKeys.h"
#include "app/editor/Tools.h"
#include "briefing/BriefingModel.h"
#include "core/DisplaySettings.h"
#include "core/Notifier.h"
#include "core/ShipgroupEvent.h"
#include "map/IconTable.h"
#include "map/MapView.h"
#include "map/ViewSwitches.h"
#include "mission/ChangeJournal.h"
#include "mission/CraftList.h"
#include "mission/FileIO.h"
#include "mission/MissionStore.h"

namespace quendar::app {

using core::ShipgroupEvent;

// The process-wide state of the editor, owned by main (or a test) and passed by
// reference. Nothing else in the program holds global state.
struct Editor {
    mission::MissionStore store;
    briefing::BriefingModel briefing{store};
    // Every change to the store and the briefing lists, for Undo and Redo and
    // the modified marker. New and Open clear it.
    mission::ChangeJournal journal{store};
    mission::CraftList craftList;
    // Read at start-up and by every New and Open; a name without a folder is
    // looked up in the working folder.
    std::string craftListPath = "SHIPLIST.TXT";
    core::DisplaySettings settings;
    // The map: its view (zoom, scroll, region, projection), what it shows
    // beside the view, and the craft icons read at start-up.
    map::MapView mapView;
    map::ViewSwitches viewSwitches;
    map::IconTable icons;
    // The tool a left click on the map uses (none: select).
    CurrentTool mapTool;

    // Frame state: whether entering and leaving briefing mode shows and hides
    // the briefing toolbars, and the map zoom kept while the briefing is shown.
    bool autoBriefingBars = true;
    int savedMapZoom = 100;

    // Whoever changes the shipgroup list or the current shipgroup sends one of
    // these; the frame relays them to the open forms.
    core::Notifier<ShipgroupEvent> shipgroupEvents;
    // Open asks the window to close every modeless form before the store is
    // replaced.
    core::Notifier<> closeModelessForms;
    // Sent after New, Open and Save changed what the views show (repaint the
    // map, reset the briefing time bar, retitle the window).
    core::Notifier<> missionReplaced;
    // Sent when what is open is what is on disk or nothing the user made:
    // after New, Open and a Save that wrote the file. The recovery file goes.
    core::Notifier<> missionSettled;
    // A form asks the frame to open one of the modeless forms by its key, as
    // the buttons of the Shipgroups list do.
    core::Notifier<FormKey> openFormRequested;
    // Something the map draws has changed outside a frame command (a view
    // switch, a position typed into a form): the map repaints.
    core::Notifier<> mapChanged;
    // A Save runs, from its first step to its re-read of briefing 1: the
    // recovery writer waits (its boxes run the window's timers meanwhile).
    int savesRunning = 0;
    // The mission's file as it was on disk when it was last opened or saved
    // (none: not known), so that Save notices another program's change.
    struct DiskFile {
        std::string path;
        mission::FileIdentity identity;
    };
    std::optional<DiskFile> diskFile;
};

}  // namespace quendar::app
