#include "app/mapedit/MapTools.h"

#include "app/mapedit/MapEdits.h"
#include "core/ActionGroups.h"

namespace quendar::app {

using map::PointerAction;
using map::PointerButton;
using map::PointerEvent;

namespace {
constexpr std::array<MapTool, 4> kStartPointTools{MapTool::StartPoint1, MapTool::StartPoint2,
                                                  MapTool::StartPoint3, MapTool::StartPoint4};
constexpr std::array<MapTool, 8> kWaypointTools{
    MapTool::Waypoint1, MapTool::Waypoint2, MapTool::Waypoint3, MapTool::Waypoint4,
    MapTool::Waypoint5, MapTool::Waypoint6, MapTool::Waypoint7, MapTool::Waypoint8};
}  // namespace

MapTools::MapTools(Editor& editor, core::Prompter& prompter, FrameView& view,
                   MapToolsListener& listener, BriefingMapPort& briefing)
    : m_editor(editor),
      m_view(view),
      m_listener(listener),
      m_briefing(briefing),
      m_hyperbuoy(editor, prompter),
      m_selection(editor, prompter) {}

map::CursorShape MapTools::cursor() const {
    if (m_panning.dragging() || m_selection.dragging()) return map::CursorShape::Hand;
    if (!m_editor.mapTool.isSelect()) return map::CursorShape::Cross;
    return map::CursorShape::Arrow;
}

void MapTools::pointer(const PointerEvent& e) {
    if (e.action == PointerAction::Move) {
        m_editor.mapView.setMouse(e.x, e.y);
        m_listener.mouseMoved();
        if (m_panning.move(m_editor.mapView, e.x, e.y)) requestRepaint();
        if (m_selection.move(e.x, e.y)) requestRepaint();
        if (!mapMode()) m_briefing.pointer(e);
        return;
    }
    // A right double click adds a shipgroup in either mode.
    if (e.is(PointerAction::DoubleClick, PointerButton::Right)) {
        core::ActionScope action(m_editor.journal, "Add shipgroup");
        if (addShipgroupAt(m_editor, clickAt(m_editor, e.x, e.y))) requestRepaint();
        return;
    }
    // The left button let go over the window's border or scroll bars (outside
    // the map's client area) ends a right-button drag as well.
    if (e.is(PointerAction::Release, PointerButton::Left) && outsideClientArea(e)) {
        m_panning.cancel();
        return;
    }
    if (e.is(PointerAction::Release, PointerButton::Right)) {
        rightUp();
        if (!mapMode()) m_briefing.pointer(e);
        return;
    }
    if (!mapMode()) {
        m_briefing.pointer(e);
        return;
    }
    if (e.is(PointerAction::Release, PointerButton::Left)) {
        if (m_selection.release(e.x, e.y)) requestRepaint();
    } else if (e.is(PointerAction::Press, PointerButton::Left)) {
        leftDown(e);
    } else if (e.is(PointerAction::DoubleClick, PointerButton::Left)) {
        core::ActionScope action(m_editor.journal, "Move start point");
        moveStartPoint(m_editor, clickAt(m_editor, e.x, e.y));
        requestRepaint();
    } else if (e.is(PointerAction::Press, PointerButton::Right)) {
        rightDown(e);
    }
}

bool MapTools::outsideClientArea(const PointerEvent& e) const {
    const map::MapView& v = m_editor.mapView;
    return e.x < 0 || e.y < 0 || e.x >= v.width() || e.y >= v.height();
}

void MapTools::leftDown(const PointerEvent& e) {
    const MapClick at = clickAt(m_editor, e.x, e.y);
    if (e.shift && !e.control) {
        core::ActionScope action(m_editor.journal, "Add shipgroup");
        if (addShipgroupAt(m_editor, at)) requestRepaint();
        return;
    }
    if (e.control && !e.shift) {
        core::ActionScope action(m_editor.journal, "Copy shipgroup");
        if (copyShipgroupAt(m_editor, at)) requestRepaint();
        return;
    }
    CurrentTool& t = m_editor.mapTool;
    const int waypoint = indexOf(kWaypointTools, t);
    if (t.isSelect()) {
        // A press that does not move selects as before; one that moves drags.
        if (m_selection.press(e.x, e.y)) requestRepaint();
    } else if (t == MapTool::StartPoint1) {
        core::ActionScope action(m_editor.journal, "Move start point");
        moveStartPoint(m_editor, at);
        t = {};
        requestRepaint();
    } else if (waypoint >= 0) {
        // Without a chosen order there is no slot: nothing is written and the
        // tool stays, so the user can pick an order and click again.
        core::ActionScope action(m_editor.journal, "Place waypoint");
        if (!placeWaypoint(m_editor, waypoint + 1, at)) return;
        t = {};
        requestRepaint();
    } else if (t == MapTool::BeaconStep || t == MapTool::EntryStep) {
        m_hyperbuoy.click(at);
        requestRepaint();
    }
    // Start points 2..4, hyperspace and rendezvous points: nothing to write yet.
}

bool MapTools::key(MapKey key, bool shift, uint64_t time) {
    if (!mapMode()) return false;
    if (!m_selection.key(key, shift, time)) return false;
    requestRepaint();
    return true;
}

void MapTools::rightDown(const PointerEvent& e) {
    m_panning.press(e.x, e.y, m_editor.mapTool.isSelect());
}

void MapTools::rightUp() {
    const bool click = m_panning.release();
    if (mapMode() && m_editor.mapTool.isSelect() && click) m_listener.reopenBasic();
}

void MapTools::tick() {
    if (m_panning.tick(m_editor.mapView)) requestRepaint();
}

void MapTools::bindCommands(CommandTable& c) {
    auto inMap = [this] { return mapMode(); };
    auto setTool = [this](MapTool t) {
        return [this, t] {
            if (!mapMode()) return;
            m_editor.mapTool = t;
        };
    };
    auto toolIs = [this](MapTool t) { return [this, t] { return m_editor.mapTool == t; }; };

    for (int k = 0; k < 4; ++k)
        c.bind(kStartPointCommands[k], setTool(kStartPointTools[k]), inMap,
               toolIs(kStartPointTools[k]));
    for (int k = 0; k < 4; ++k)
        c.bind(
            kOrderWaypointCommands[k],
            [this, k] {
                m_editor.viewSwitches.currentOrder = k + 1;
                requestRepaint();
            },
            inMap, [this, k] { return m_editor.viewSwitches.currentOrder == k + 1; });
    for (int k = 0; k < 8; ++k)
        c.bind(
            kWaypointCommands[k],
            [this, k] {
                if (mapMode())
                    m_editor.mapTool = kWaypointTools[k];
                else
                    m_briefing.choosePoint(k);
            },
            [this, k] {
                if (mapMode()) return true;
                return m_briefing.pointEnabled(k);
            },
            [this, k] {
                if (mapMode()) return m_editor.mapTool == kWaypointTools[k];
                return m_briefing.pointChecked(k);
            });
    c.bind(cmd::HyperspacePoint, setTool(MapTool::Hyperspace), inMap, toolIs(MapTool::Hyperspace));
    c.bind(cmd::RendezvousPoint, setTool(MapTool::Rendezvous), inMap, toolIs(MapTool::Rendezvous));
    c.bind(
        cmd::HyperbuoyWizard,
        [this] {
            if (mapMode()) m_hyperbuoy.start();
        },
        inMap,
        [this] {
            return m_editor.mapTool == MapTool::BeaconStep ||
                   m_editor.mapTool == MapTool::EntryStep;
        });
}

}  // namespace quendar::app
