#pragma once

#include <functional>

#include "app/editor/CommandTable.h"
#include "app/editor/FramePorts.h"
#include "app/editor/Editor.h"
#include "app/mapedit/HyperbuoyWizard.h"
#include "app/mapedit/MapSelection.h"
#include "core/Prompter.h"
#include "map/Panning.h"
#include "map/PointerEvent.h"

namespace quendar::app {

// What the mouse does on the map. The window hands every pointer event and
// every tick of its 10 ms drag timer here; in map mode the current tool
// (`mapTool` 0..101) decides what a left click does, in briefing mode the
// events go on to the briefing tools (200 and above).
class MapTools {
  public:
    MapTools(Editor& editor, core::Prompter& prompter);

    // What the tools ask of the window and the frame.
    std::function<void()> repaint;
    std::function<void()> openBasic;   // right click without a drag
    std::function<void()> mouseMoved;  // the status read-out follows the mouse
    // The briefing tools take the events in briefing mode. Mouse moves reach
    // them after the map stored the position.
    std::function<void(const map::PointerEvent&)> briefingPointer;
    using BriefingPoints = app::BriefingPoints;
    BriefingPoints briefingPoints;

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
    void requestRepaint() {
        if (repaint) repaint();
    }

    Editor& m_editor;
    HyperbuoyWizard m_hyperbuoy;
    map::Panning m_panning;
    MapSelection m_selection;
};

}  // namespace quendar::app
