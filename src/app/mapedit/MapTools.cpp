#include "app/mapedit/MapTools.h"

#include "app/mapedit/MapEdits.h"
#include "core/ActionGroups.h"

namespace quendar::app {

using map::PointerAction;
using map::PointerButton;
using map::PointerEvent;

MapTools::MapTools(Editor& editor, core::Prompter& prompter)
    : m_editor(editor), m_hyperbuoy(editor, prompter), m_selection(editor, prompter) {}

map::CursorShape MapTools::cursor() const {
    if (m_panning.dragging() || m_selection.dragging()) return map::CursorShape::Hand;
    if (m_editor.mapTool != tool::Select) return map::CursorShape::Cross;
    return map::CursorShape::Arrow;
}

void MapTools::pointer(const PointerEvent& e) {
    if (e.action == PointerAction::Move) {
        m_editor.mapView.setMouse(e.x, e.y);
        if (mouseMoved) mouseMoved();
        if (m_panning.move(m_editor.mapView, e.x, e.y)) requestRepaint();
        if (m_selection.move(e.x, e.y)) requestRepaint();
        if (!mapMode() && briefingPointer) briefingPointer(e);
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
        if (!mapMode() && briefingPointer) briefingPointer(e);
        return;
    }
    if (!mapMode()) {
        if (briefingPointer) briefingPointer(e);
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
    int& t = m_editor.mapTool;
    if (t == tool::Select) {
        // A press that does not move selects as before; one that moves drags.
        if (m_selection.press(e.x, e.y)) requestRepaint();
    } else if (t == tool::StartPoint1) {
        core::ActionScope action(m_editor.journal, "Move start point");
        moveStartPoint(m_editor, at);
        t = tool::Select;
        requestRepaint();
    } else if (t >= tool::Waypoint1 && t <= tool::Waypoint8) {
        // Without a chosen order there is no slot: nothing is written and the
        // tool stays, so the user can pick an order and click again.
        core::ActionScope action(m_editor.journal, "Place waypoint");
        if (!placeWaypoint(m_editor, t - tool::Waypoint1 + 1, at)) return;
        t = tool::Select;
        requestRepaint();
    } else if (t == tool::BeaconStep || t == tool::EntryStep) {
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
    m_panning.press(e.x, e.y, m_editor.mapTool == tool::Select);
}

void MapTools::rightUp() {
    const bool click = m_panning.release();
    if (mapMode() && m_editor.mapTool == tool::Select && click && openBasic) openBasic();
}

void MapTools::tick() {
    if (m_panning.tick(m_editor.mapView)) requestRepaint();
}

void MapTools::bindCommands(CommandTable& c) {
    auto inMap = [this] { return mapMode(); };
    auto setTool = [this](int t) {
        return [this, t] {
            if (!mapMode()) return;
            m_editor.mapTool = t;
        };
    };
    auto toolIs = [this](int t) { return [this, t] { return m_editor.mapTool == t; }; };

    for (int k = 0; k < 4; ++k)
        c.bind(kStartPointCommands[k], setTool(tool::StartPoint1 + k), inMap,
               toolIs(tool::StartPoint1 + k));
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
                    m_editor.mapTool = tool::Waypoint1 + k;
                else if (briefingPoints.choose)
                    briefingPoints.choose(k);
            },
            [this, k] {
                if (mapMode()) return true;
                return briefingPoints.enabled && briefingPoints.enabled(k);
            },
            [this, k] {
                if (mapMode()) return m_editor.mapTool == tool::Waypoint1 + k;
                return briefingPoints.checked && briefingPoints.checked(k);
            });
    c.bind(cmd::HyperspacePoint, setTool(tool::Hyperspace), inMap, toolIs(tool::Hyperspace));
    c.bind(cmd::RendezvousPoint, setTool(tool::Rendezvous), inMap, toolIs(tool::Rendezvous));
    c.bind(
        cmd::HyperbuoyWizard,
        [this] {
            if (mapMode()) m_hyperbuoy.start();
        },
        inMap,
        [this] {
            return m_editor.mapTool == tool::BeaconStep || m_editor.mapTool == tool::EntryStep;
        });
}

}  // namespace quendar::app
