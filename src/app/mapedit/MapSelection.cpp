#include "app/mapedit/MapSelection.h"

#include <algorithm>
#include <cstdlib>

#include "core/ActionGroups.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupSet.h"

namespace quendar::app {

namespace sg = mission::sg;

namespace {
constexpr const char* kDeleteCaption = "Deleting selected shipgroups";
constexpr const char* kKeepOneText = "A mission keeps at least one shipgroup.";

const char* moveName(size_t n) { return n == 1 ? "Move shipgroup" : "Move shipgroups"; }
}  // namespace

MapSelection::MapSelection(Editor& editor, core::Prompter& prompter)
    : m_editor(editor), m_prompter(prompter) {
    // A list rebuilt by someone else (a form's Delete, Open, New) renumbers
    // the shipgroups under the selection; the selection goes. Undo and Redo
    // rebuild the list too: while the count holds, nothing was deleted or
    // put back (only a deletion renumbers), so the selection stays.
    m_listCount = editor.store.shipgroupCount;
    m_listChanged = editor.shipgroupEvents.connect([this](ShipgroupEvent event) {
        const int count = m_editor.store.shipgroupCount;
        if (event == ShipgroupEvent::ListCleared && count != m_listCount) m_selected.clear();
        m_listCount = count;
    });
    m_replaced = editor.missionReplaced.connect([this] {
        m_selected.clear();
        m_mode = Mode::Idle;
        m_moving.clear();
    });
}

std::vector<int> MapSelection::selected() const {
    std::vector<int> out;
    for (int i : m_selected)
        if (i >= 0 && i < m_editor.store.shipgroupCount) out.push_back(i);
    return out;
}

bool MapSelection::isSelected(int shipgroup) const {
    const auto s = selected();
    return std::binary_search(s.begin(), s.end(), shipgroup);
}

void MapSelection::select(std::vector<int> shipgroups) {
    std::sort(shipgroups.begin(), shipgroups.end());
    shipgroups.erase(std::unique(shipgroups.begin(), shipgroups.end()), shipgroups.end());
    m_selected = std::move(shipgroups);
    m_listCount = m_editor.store.shipgroupCount;
}

std::vector<int> MapSelection::targets() const {
    auto s = selected();
    const int c = m_editor.store.currentShipgroup;
    if (s.empty() && c >= 0 && c < m_editor.store.shipgroupCount) s.push_back(c);
    return s;
}

int MapSelection::hitAt(MapClick at) const {
    // The click rule without its events: the highest index within reach.
    auto edge = [](int v) { return static_cast<int16_t>(std::clamp(v, -32768, 32767)); };
    const int reach = kSelectReach - 1;
    const auto within =
        shipgroupsInside(m_editor, {edge(at.horizontal - reach), edge(at.vertical - reach)},
                         {edge(at.horizontal + reach), edge(at.vertical + reach)});
    return within.empty() ? -1 : within.back();
}

bool MapSelection::press(int x, int y) {
    m_editor.journal.breakMerge();
    m_pressX = m_mouseX = x;
    m_pressY = m_mouseY = y;
    m_pressAt = clickAt(m_editor, x, y);
    m_moving.clear();
    // The click selects exactly as it always did; whether it hit decides
    // what a drag from here does.
    if (selectAt(m_editor, m_pressAt) > 0) {
        m_mode = Mode::PressedShipgroup;
        if (!isSelected(m_editor.store.currentShipgroup)) m_selected.clear();
        return true;
    }
    m_mode = Mode::PressedEmpty;
    return false;
}

bool MapSelection::move(int x, int y) {
    if (m_mode == Mode::Idle) return false;
    m_mouseX = x;
    m_mouseY = y;
    const bool far =
        std::abs(x - m_pressX) >= kDragThreshold || std::abs(y - m_pressY) >= kDragThreshold;
    if (m_mode == Mode::PressedShipgroup && far) {
        m_moving = startPointsOf(m_editor, targets());
        m_mode = Mode::Moving;
    } else if (m_mode == Mode::PressedEmpty && far) {
        m_mode = Mode::Banding;
    }
    if (m_mode == Mode::Moving) dragTo(x, y);
    return m_mode == Mode::Moving || m_mode == Mode::Banding;
}

void MapSelection::dragTo(int x, int y) {
    const MapClick now = clickAt(m_editor, x, y);
    mission::ChangeJournal::Pause live(m_editor.journal);
    moveStartPoints(m_editor, m_moving, now.horizontal - m_pressAt.horizontal,
                    now.vertical - m_pressAt.vertical);
}

bool MapSelection::finishMove() {
    const MapClick now = clickAt(m_editor, m_mouseX, m_mouseY);
    {
        mission::ChangeJournal::Pause live(m_editor.journal);
        restoreStartPoints(m_editor, m_moving);
    }
    {
        core::ActionScope action(m_editor.journal, moveName(m_moving.size()));
        moveStartPoints(m_editor, m_moving, now.horizontal - m_pressAt.horizontal,
                        now.vertical - m_pressAt.vertical);
    }
    m_moving.clear();
    m_editor.mapChanged.notify();
    m_editor.shipgroupEvents.notify(ShipgroupEvent::Waypoints);
    return true;
}

bool MapSelection::release(int x, int y) {
    const Mode mode = m_mode;
    m_mode = Mode::Idle;
    m_mouseX = x;
    m_mouseY = y;
    switch (mode) {
        case Mode::Moving: return finishMove();
        case Mode::Banding: {
            select(shipgroupsInside(m_editor, m_pressAt, clickAt(m_editor, x, y)));
            if (!m_selected.empty()) {
                m_editor.store.currentShipgroup = m_selected.back();
                m_editor.shipgroupEvents.notify(ShipgroupEvent::CurrentChanged);
            }
            return true;
        }
        case Mode::PressedEmpty: {
            const bool had = !m_selected.empty();
            m_selected.clear();
            return had;
        }
        default: return false;
    }
}

bool MapSelection::key(MapKey key, bool shift, uint64_t time) {
    if (m_releasedAt && *m_releasedAt != time) endKeyRun();
    m_releasedAt.reset();
    if (key == MapKey::Escape) {
        if (m_mode == Mode::Moving) {
            mission::ChangeJournal::Pause live(m_editor.journal);
            restoreStartPoints(m_editor, m_moving);
            m_moving.clear();
            m_mode = Mode::Idle;
            return true;
        }
        const bool had = !m_selected.empty() || m_mode == Mode::Banding;
        m_mode = Mode::Idle;
        m_selected.clear();
        return had;
    }
    if (key == MapKey::Delete) return deleteSelection();
    // Without a selection the arrows stay the view's scroll keys.
    const auto targets = selected();
    if (dragging() || targets.empty()) return false;
    // One pixel's worth of position units at this zoom, rounded, at least one.
    const int zoom = std::max(1, m_editor.mapView.zoom());
    const int step = std::max(1, ((shift ? 1600 : 160) + zoom / 2) / zoom);
    const int dh = key == MapKey::Left ? -step : key == MapKey::Right ? step : 0;
    const int dv = key == MapKey::Up ? -step : key == MapKey::Down ? step : 0;
    const auto from = startPointsOf(m_editor, targets);
    {
        core::ActionScope action(m_editor.journal, moveName(from.size()), &m_keyRun);
        moveStartPoints(m_editor, from, dh, dv);
    }
    m_editor.mapChanged.notify();
    m_editor.shipgroupEvents.notify(ShipgroupEvent::Waypoints);
    return true;
}

void MapSelection::endKeyRun() {
    m_releasedAt.reset();
    m_editor.journal.breakMerge();
}

void MapSelection::keyReleased(uint64_t time) { m_releasedAt = time; }

bool MapSelection::deleteSelection() {
    const auto doomed = selected();
    if (doomed.empty() || dragging()) return false;
    if (static_cast<int>(doomed.size()) >= m_editor.store.shipgroupCount) {
        m_prompter.tell(kKeepOneText, kDeleteCaption, core::Icon::Exclamation);
        return false;
    }
    if (m_prompter.ask("Are you sure?", kDeleteCaption, core::Buttons::YesNo,
                       core::Icon::Exclamation) != core::Answer::Yes)
        return false;
    {
        core::ActionScope action(m_editor.journal, "Delete shipgroups");
        shipgroup::removeSet(m_editor.store, doomed);
        listRebuilt(m_editor);
    }
    m_selected.clear();
    return true;
}

map::SelectionMarks MapSelection::marks() const {
    map::SelectionMarks m;
    m.shipgroups = selected();
    if (m_mode == Mode::Moving && m.shipgroups.empty()) m.shipgroups = targets();
    m.band = m_mode == Mode::Banding;
    m.bandFrom = {m_pressX, m_pressY};
    m.bandTo = {m_mouseX, m_mouseY};
    return m;
}

int MapSelection::shipgroupAt(int x, int y) const {
    return m_editor.viewSwitches.briefingMode ? -1 : hitAt(clickAt(m_editor, x, y));
}

std::string MapSelection::tooltipAt(int x, int y) const {
    const int hit = shipgroupAt(x, y);
    if (hit < 0) return {};
    return shipgroup::shipgroupSummary(m_editor.store, hit, &m_editor.craftList);
}

}  // namespace quendar::app
