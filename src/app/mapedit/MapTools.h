#pragma once

#include <functional>

#include "app/editor/CommandTable.h"
#include "app/editor/Editor.h"
#include "app/editor/FramePorts.h"
#include "app/mapedit/HyperbuoyWizard.h"
#include "app/mapedit/MapSelection.h"
#include "core/Prompter.h"
#include "map/Panning.h"
#include "map/PointerEvent.h"

namespace quendar::app {

// What the mouse does on the map. The window hands every pointer event and
// every tick of its 10 ms drag timer here; in map mode the armed map tool
// decides what a left click does, in briefing mode the events go on to the
// briefing tools.
class MapTools {
  public:
    // The window repaints the map; the frame follows the mouse and opens
    // Basic; the briefing tools take the events in briefing mode.
    MapTools(Editor& editor, core::Prompter& prompter, FrameView& view, MapToolsListener& listener,
             BriefingMapPort& briefing);

    void pointer(const map::PointerEvent& event);
    // A key pressed on the map (map mode); true when it did something. The
    // release of an arrow key ends its run of moves (see MapSelection).
    // `time`: the key event's time stamp.
    bool key(MapKey key, bool shift, uint64_t time = 0);
    void keyReleased(uint64_t time) { m_selection.keyReleased(time); }
    // One step of the drag timer.
    void tick();
    // The window runs its drag timer while this holds.
    bool dragTimerWanted() const { return m_panning.dragging(); }
    map::CursorShape cursor() const;

    // Binds the tool buttons: start points, order waypoints, waypoints,
    // hyperspace and rendezvous points, the hyperbuoy wizard.
    void bindCommands(CommandTable& commands);

    const map::Panning& panning() const { return m_panning; }
    HyperbuoyWizard& hyperbuoy() { return m_hyperbuoy; }
    MapSelection& selection() { return m_selection; }
    const MapSelection& selection() const { return m_selection; }

  private:
    bool mapMode() const { return !m_editor.viewSwitches.briefingMode; }
    void leftDown(const map::PointerEvent& e);
    bool outsideClientArea(const map::PointerEvent& e) const;
    void rightDown(const map::PointerEvent& e);
    void rightUp();
    void requestRepaint() { m_view.repaintMap(); }

    Editor& m_editor;
    FrameView& m_view;
    MapToolsListener& m_listener;
    BriefingMapPort& m_briefing;
    HyperbuoyWizard m_hyperbuoy;
    map::Panning m_panning;
    MapSelection m_selection;
};

}  // namespace quendar::app
