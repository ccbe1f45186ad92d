#pragma once

#include <array>

#include "core/Image.h"
#include "core/Notifier.h"
#include "core/Prompter.h"
#include "core/ShipgroupEvent.h"
#include "mission/MissionStore.h"

namespace quendar::mission {
class CraftList;
}

namespace quendar::shipgroup {

using core::ShipgroupEvent;

// The map's display switches that the "Shipgroups&Viewcontrol" form toggles.
// They belong to the map drawing; the form only holds pointers to them. A null
// pointer makes its check box inert.
struct ViewSwitchRefs {
    std::array<bool*, 4> orderWaypoints{};
    std::array<bool*, 6> iffWaypoints{};
    bool* backdrops = nullptr;
};

// The modeless shipgroup forms, as the buttons of the list form name them.
enum class FormKind {
    Shipgroups,
    ShipgroupsViewcontrol,
    Basic,
    Advanced,
    Arrival,
    Departure,
    Orders,
    Waypoints,
    Goals,
    Options,
};

// What the shipgroup forms ask of the window around them. The frame
// implements it; tests use a recording stub.
class ShipgroupPort {
  public:
    virtual ~ShipgroupPort() = default;
    // Something the map draws changed (a view switch, a position typed in).
    virtual void repaintMap() = 0;
    // Opens one of the modeless forms, as the buttons of the list form do.
    virtual void openForm(FormKind kind) = 0;
    // The map icon of a craft type (empty image when there is none); the
    // craft pictures of the forms are drawn from it.
    virtual core::RgbaImage craftIcon(int craftType) const = 0;
    // The shown region of the map when a form opens (the Orders form starts there).
    virtual int currentRegion() const = 0;
};

// What the shipgroup editor needs from the rest of the program, passed by
// reference from the editor object.
struct ShipgroupContext {
    ShipgroupContext(mission::MissionStore& s, core::Notifier<ShipgroupEvent>& e, core::Prompter& p,
                     ShipgroupPort& w, const mission::CraftList* c = nullptr)
        : store(s), events(e), prompter(p), port(w), crafts(c) {}

    mission::MissionStore& store;
    core::Notifier<ShipgroupEvent>& events;
    core::Prompter& prompter;
    ShipgroupPort& port;
    // The craft catalogue; null reads as an empty catalogue.
    const mission::CraftList* crafts = nullptr;
    ViewSwitchRefs view{};

    void repaint() const { port.repaintMap(); }
    void broadcast(ShipgroupEvent event) const { events.notify(event); }
};

}  // namespace quendar::shipgroup
