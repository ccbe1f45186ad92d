#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/editor/Editor.h"
#include "app/mapedit/MapEdits.h"
#include "core/Notifier.h"
#include "core/Prompter.h"
#include "map/SelectionLayer.h"

namespace quendar::app {

// Pixels the mouse must travel with the left button held before a press on
// the map becomes a drag (a move or a rubber band) instead of a click.
constexpr int kDragThreshold = 3;

// Keys the map takes while it has the focus.
enum class MapKey { Left, Right, Up, Down, Escape, Delete };

// Editing several shipgroups on the map with the select tool: dragging start
// points, the rubber band, the set of selected shipgroups, the arrow keys and
// Delete. The window hands the plain left-button events of the select tool
// here; everything written goes through the store as one named action.
//
// A drag writes the start points live with the journal paused, so that the
// window shows them under the mouse; the release puts them back and writes
// the final ones as one action, and Escape only puts them back.
class MapSelection {
  public:
    MapSelection(Editor& editor, core::Prompter& prompter);

    // The selected shipgroups, ascending, each in the list.
    std::vector<int> selected() const;
    bool isSelected(int shipgroup) const;
    void select(std::vector<int> shipgroups);
    void clear() { m_selected.clear(); }
    // The selection, or the current shipgroup when nothing is selected.
    std::vector<int> targets() const;

    // Plain left press, moves and release with the select tool. Each returns
    // whether the map needs a repaint.
    bool press(int x, int y);
    bool move(int x, int y);
    bool release(int x, int y);
    bool dragging() const { return m_mode == Mode::Moving || m_mode == Mode::Banding; }

    // Arrow keys move the selection (Shift: ten pixels' worth; without a
    // selection they are left to the view); a run of
    // presses is one action until endKeyRun(). Escape ends a drag or clears
    // the selection; Delete deletes the selection after one question.
    // `time` is the key event's time stamp (milliseconds).
    bool key(MapKey key, bool shift, uint64_t time = 0);
    void endKeyRun();
    // An arrow key was let go at `time`. A held key's auto-repeat sends a
    // release and a press with one time stamp: the run ends only when the
    // next press comes at another time.
    void keyReleased(uint64_t time);

    // What the map draws on top of the mission.
    map::SelectionMarks marks() const;
    // The tooltip of the shipgroup under window pixel (x, y), empty when none.
    std::string tooltipAt(int x, int y) const;
    // The shipgroup under window pixel (x, y), -1 when none (map mode only).
    int shipgroupAt(int x, int y) const;

  private:
    enum class Mode { Idle, PressedShipgroup, PressedEmpty, Moving, Banding };
    int hitAt(MapClick at) const;
    void dragTo(int x, int y);
    bool finishMove();
    bool deleteSelection();

    Editor& m_editor;
    core::Prompter& m_prompter;
    std::vector<int> m_selected;
    Mode m_mode = Mode::Idle;
    int m_pressX = 0, m_pressY = 0, m_mouseX = 0, m_mouseY = 0;
    MapClick m_pressAt;
    std::vector<StartPoint> m_moving;
    // Arrow key presses join one action while this is the merge key.
    const char m_keyRun = 0;
    std::optional<uint64_t> m_releasedAt;  // a release that may end the run
    // The shipgroup count the selection was made for.
    int m_listCount = 0;
    core::Notifier<ShipgroupEvent>::Connection m_listChanged;
    core::Notifier<>::Connection m_replaced;
};

}  // namespace quendar::app
