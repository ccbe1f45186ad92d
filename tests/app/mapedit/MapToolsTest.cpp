#include <gtest/gtest.h>

#include <vector>

#include "MapToolsFixture.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"

using namespace quendar;
using app::cmd;
using app::CommandId;
using app::MapTools;
using map::PointerAction;
using map::PointerButton;
using mission::Table;
using Events = std::vector<core::ShipgroupEvent>;
using enum core::ShipgroupEvent;

namespace {

// A new mission on an 800 × 600 map at zoom 100 with the origin in the
// middle: pixel (400, 300) is position (0, 0) and every pixel is 1.6 units.
struct MapToolsTest : quendar::testing::MapToolsFixture {
    int& repaints = view.repaints;
    int& basics = listeners.basics;
    int& moves = listeners.moves;

    void send(PointerAction a, PointerButton b, int x, int y, bool shift = false,
              bool control = false) {
        tools.pointer({a, b, shift, control, x, y});
    }
    void leftClick(int x, int y, bool shift = false, bool control = false) {
        send(PointerAction::Press, PointerButton::Left, x, y, shift, control);
        send(PointerAction::Release, PointerButton::Left, x, y, shift, control);
    }
    int cell(int shipgroup, int offset) const {
        return editor.store.byte(Table::Shipgroups, shipgroup, offset);
    }
    int word(int shipgroup, int offset) const {
        return editor.store.signedWord(Table::Shipgroups, shipgroup, offset);
    }
    void place(int index, int x, int y, int z, int region) {
        mission::ShipgroupRecord r(editor.store, index);
        r.setStartPoint(0, {x, y, z, 0});
        r.set(3498, static_cast<uint8_t>(region));
    }
    int header() const { return editor.store.byte(Table::Header, 0, 2); }
};

}  // namespace

TEST_F(MapToolsTest, ShiftAndControlClicksAddAndCopyUpToTwoHundred) {
    editor.mapView.setRegion(2, false);
    // Shift: a new shipgroup at the click in the shown region.
    leftClick(410, 290, true);
    ASSERT_EQ(editor.store.shipgroupCount, 2);
    EXPECT_EQ(editor.store.currentShipgroup, 1);
    EXPECT_EQ(word(1, 3466), 16);
    EXPECT_EQ(word(1, 3468), -16);
    EXPECT_EQ(cell(1, 3498), 2);
    EXPECT_EQ(header(), 2);
    EXPECT_EQ(events, (Events{Added, CurrentChanged}));

    // Control: the current record, with its own start point changed; the
    // order and goal texts stay behind.
    mission::ShipgroupRecord(editor.store, 1).set(107, 42);
    mission::ShipgroupRecord(editor.store, 1).setStartPoint(0, {0, 0, 77, 0});
    editor.store.setText(Table::OrderStrings, mission::orderStringIndex(1, 0, 0), 0, 4, "Go");
    events.clear();
    leftClick(400, 300, false, true);
    ASSERT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_EQ(editor.store.currentShipgroup, 2);
    EXPECT_EQ(cell(2, 107), 42);
    EXPECT_EQ(word(2, 3470), 77) << "the third coordinate stays";
    EXPECT_EQ(editor.store.text(Table::OrderStrings, mission::orderStringIndex(2, 0, 0), 0, 4), "");
    EXPECT_EQ(header(), 3);
    EXPECT_EQ(events, (Events{Added, CurrentChanged}));

    // Shift and Control together is neither.
    leftClick(400, 300, true, true);
    EXPECT_EQ(editor.store.shipgroupCount, 3);

    // A right double click adds, in briefing mode too.
    editor.viewSwitches.briefingMode = true;
    send(PointerAction::DoubleClick, PointerButton::Right, 400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 4);
    editor.viewSwitches.briefingMode = false;

    // At 200 nothing of the three changes anything.
    editor.store.shipgroupCount = 199;
    leftClick(400, 300, true);
    EXPECT_EQ(editor.store.shipgroupCount, 200);
    EXPECT_EQ(header(), 200);
    events.clear();
    leftClick(400, 300, true);
    leftClick(400, 300, false, true);
    send(PointerAction::DoubleClick, PointerButton::Right, 400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 200);
    EXPECT_EQ(editor.store.currentShipgroup, 199);
    EXPECT_TRUE(events.empty());
}

TEST_F(MapToolsTest, SelectTakesTheHighestMatchInTheShownRegion) {
    editor.store.shipgroupCount = 5;
    place(0, 100, 0, 0, 0);
    place(1, 0, 0, 0, 0);   // at the click
    place(2, 5, 5, 0, 0);   // 5 units away: also matches, and wins
    place(3, 0, 0, 0, 1);   // same place, other region
    place(4, 10, 0, 0, 0);  // 10 units away: not within
    leftClick(400, 300);
    EXPECT_EQ(editor.store.currentShipgroup, 2);
    EXPECT_EQ(events, (Events{CurrentChanged, CurrentChanged}));
    EXPECT_EQ(editor.mapTool, app::CurrentTool{}) << "select stays";

    editor.mapView.setRegion(1, false);
    events.clear();
    leftClick(400, 300);
    EXPECT_EQ(editor.store.currentShipgroup, 3);
    // Nothing there: nothing changes.
    events.clear();
    leftClick(100, 100);
    EXPECT_EQ(editor.store.currentShipgroup, 3);
    EXPECT_TRUE(events.empty());

    // In the Y-Z projection the start point's Y and Z are compared.
    editor.settings.projection = 2;
    editor.mapView.setRegion(0, false);
    place(0, 900, 0, 0, 0);
    place(1, 0, 900, 900, 0);
    place(2, 0, 900, 900, 0);
    place(4, 0, 0, 0, 3);
    leftClick(400, 300);
    EXPECT_EQ(editor.store.currentShipgroup, 0);
}

TEST_F(MapToolsTest, StartPointAndWaypointToolsFollowTheProjectionAndFallBackToSelect) {
    editor.store.shipgroupCount = 2;
    editor.store.currentShipgroup = 1;
    mission::ShipgroupRecord(editor.store, 1).setStartPoint(0, {1, 222, 3, 0});
    editor.settings.projection = 1;  // X-Z
    editor.mapView.setRegion(3, false);

    ASSERT_TRUE(commands.execute(cmd::StartPoint1));
    EXPECT_EQ(editor.mapTool, app::MapTool::StartPoint1);
    EXPECT_EQ(tools.cursor(), map::CursorShape::Cross);
    leftClick(410, 310);
    EXPECT_EQ(word(1, 3466), 16);   // X
    EXPECT_EQ(word(1, 3468), 222);  // Y untouched
    EXPECT_EQ(word(1, 3470), 16);   // Z
    EXPECT_EQ(cell(1, 3498), 3);
    EXPECT_EQ(events, (Events{Waypoints}));
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});
    EXPECT_EQ(tools.cursor(), map::CursorShape::Arrow);

    // A waypoint tool without a chosen order writes nothing and stays.
    const auto before = editor.store.slot(Table::Shipgroups, 1);
    const std::vector<uint8_t> copy(before.begin(), before.end());
    ASSERT_TRUE(commands.execute(cmd::Waypoint3));  // waypoint 3
    leftClick(420, 280);
    const auto after = editor.store.slot(Table::Shipgroups, 1);
    EXPECT_TRUE(std::equal(copy.begin(), copy.end(), after.begin()));
    EXPECT_EQ(editor.mapTool, app::MapTool::Waypoint3);

    // Order 2, region 4 (index 3): slot 3 × 4 + 1 = 13; waypoint 3 sits at
    // 202 + 148 × 13 + 12 + 8 × 3 = 2162.
    ASSERT_TRUE(commands.execute(cmd::Order2Waypoints));
    EXPECT_EQ(editor.viewSwitches.currentOrder, 2);
    EXPECT_TRUE(commands.find(cmd::Order2Waypoints)->isChecked());
    mission::ShipgroupRecord(editor.store, 1).set16(2164, 555);  // Y of that waypoint
    events.clear();
    leftClick(420, 280);
    EXPECT_EQ(word(1, 2162), 32);
    EXPECT_EQ(word(1, 2164), 555);
    EXPECT_EQ(word(1, 2166), -32);
    EXPECT_EQ(cell(1, 2168), 1);
    EXPECT_EQ(events, (Events{Waypoints}));
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});

    // Start points 2..4, hyperspace and rendezvous: selectable, inert, they stay.
    for (CommandId id : {cmd::StartPoint2, cmd::StartPoint3, cmd::StartPoint4, cmd::HyperspacePoint,
                         cmd::RendezvousPoint}) {
        ASSERT_TRUE(commands.execute(id));
        EXPECT_TRUE(commands.find(id)->isChecked());
        const app::CurrentTool t = editor.mapTool;
        events.clear();
        leftClick(500, 500);
        EXPECT_EQ(editor.mapTool, t);
        EXPECT_TRUE(events.empty());
    }
    EXPECT_EQ(word(1, 3466), 16);

    // A left double click moves start point 1 whatever the tool.
    editor.settings.projection = 0;
    send(PointerAction::DoubleClick, PointerButton::Left, 390, 300);
    EXPECT_EQ(word(1, 3466), -16);
    EXPECT_EQ(word(1, 3468), 0);
    EXPECT_EQ(word(1, 3470), 16) << "Z stays in the X-Y projection";
    EXPECT_EQ(events.back(), Waypoints);
}

TEST_F(MapToolsTest, RightButtonPansOpensBasicOnAPlainClickAndScrollsAtTheEdges) {
    const int sx = editor.mapView.scrollX(), sy = editor.mapView.scrollY();
    // A click without movement opens the Basic form and scrolls nothing.
    send(PointerAction::Press, PointerButton::Right, 300, 300);
    EXPECT_TRUE(tools.dragTimerWanted());
    tools.tick();
    send(PointerAction::Release, PointerButton::Right, 300, 300);
    EXPECT_EQ(basics, 1);
    EXPECT_FALSE(tools.dragTimerWanted());
    EXPECT_EQ(editor.mapView.scrollX(), sx);

    // A one-pixel drag scrolls by 10 and opens nothing.
    send(PointerAction::Press, PointerButton::Right, 300, 300);
    send(PointerAction::Move, PointerButton::None, 301, 300);
    EXPECT_EQ(editor.mapView.scrollX(), sx + 10);
    EXPECT_EQ(tools.cursor(), map::CursorShape::Hand);
    // Five pixels up and left: 30 + 10 each way.
    send(PointerAction::Move, PointerButton::None, 296, 295);
    EXPECT_EQ(editor.mapView.scrollX(), sx + 10 - 40);
    EXPECT_EQ(editor.mapView.scrollY(), sy - 40);
    send(PointerAction::Release, PointerButton::Right, 296, 295);
    EXPECT_EQ(basics, 1);

    // Resting 10 pixels from the left edge: 10 further left every tick.
    const int x0 = editor.mapView.scrollX(), y0 = editor.mapView.scrollY();
    send(PointerAction::Press, PointerButton::Right, 10, 300);
    tools.tick();
    tools.tick();
    tools.tick();
    EXPECT_EQ(editor.mapView.scrollX(), x0 - 30);
    EXPECT_EQ(editor.mapView.scrollY(), y0);
    // Near the right edge and the bottom together: only the first edge counts.
    send(PointerAction::Move, PointerButton::None, 795, 595);
    EXPECT_EQ(editor.mapView.scrollX(), x0 - 20);
    EXPECT_EQ(editor.mapView.scrollY(), y0);
    send(PointerAction::Release, PointerButton::Right, 795, 595);
    tools.tick();
    EXPECT_EQ(editor.mapView.scrollX(), x0 - 20) << "the timer step ends with the drag";
    EXPECT_EQ(basics, 1);

    // With another tool the right button neither pans nor opens the form.
    editor.mapTool = app::MapTool::Waypoint1;
    send(PointerAction::Press, PointerButton::Right, 300, 300);
    EXPECT_FALSE(tools.dragTimerWanted());
    send(PointerAction::Release, PointerButton::Right, 300, 300);
    EXPECT_EQ(basics, 1);

    // The read-out follows every move.
    EXPECT_EQ(editor.mapView.mouseX(), 795);
    EXPECT_EQ(moves, 3);
}

TEST_F(MapToolsTest, ToolButtonsAreMapModeOnlyAndBriefingModeTakesTheEvents) {
    std::vector<CommandId> ids(app::kStartPointCommands.begin(), app::kStartPointCommands.end());
    ids.insert(ids.end(), app::kOrderWaypointCommands.begin(), app::kOrderWaypointCommands.end());
    ids.insert(ids.end(), app::kWaypointCommands.begin(), app::kWaypointCommands.end());
    ids.insert(ids.end(), {cmd::HyperspacePoint, cmd::RendezvousPoint, cmd::HyperbuoyWizard});
    for (CommandId id : ids) EXPECT_TRUE(commands.find(id)->isEnabled()) << app::idNumber(id);
    ASSERT_TRUE(commands.execute(cmd::Waypoint8));
    EXPECT_EQ(editor.mapTool, app::MapTool::Waypoint8);
    EXPECT_TRUE(commands.find(cmd::Waypoint8)->isChecked());
    EXPECT_FALSE(commands.find(cmd::Waypoint1)->isChecked());

    std::vector<map::PointerEvent>& briefing = listeners.briefingEvents;
    editor.viewSwitches.briefingMode = true;
    editor.mapTool = {};
    for (CommandId id : ids) EXPECT_FALSE(commands.find(id)->isEnabled()) << app::idNumber(id);
    // The briefing tools may open the point buttons.
    listeners.enabled = [](int k) { return k == 2; };
    EXPECT_TRUE(commands.find(cmd::Waypoint3)->isEnabled());
    EXPECT_FALSE(commands.find(cmd::Waypoint4)->isEnabled());

    leftClick(400, 300, true);
    send(PointerAction::Press, PointerButton::Right, 400, 300);
    send(PointerAction::Release, PointerButton::Right, 400, 300);
    EXPECT_EQ(editor.store.shipgroupCount, 1) << "no map tool in briefing mode";
    EXPECT_EQ(basics, 0);
    EXPECT_EQ(briefing.size(), 4u);
    EXPECT_TRUE(briefing[0].shift);
}

TEST_F(MapToolsTest, ControlClickCopiesTheCurrentShipgroupWhenItIsNotTheLast) {
    editor.store.shipgroupCount = 3;
    for (int i = 0; i < 3; ++i) mission::ShipgroupRecord(editor.store, i).set(107, 10 + i);
    editor.store.currentShipgroup = 0;
    leftClick(400, 300, false, true);
    ASSERT_EQ(editor.store.shipgroupCount, 4);
    EXPECT_EQ(cell(3, 107), 10) << "the copy is of shipgroup 1, the current one";
    EXPECT_EQ(editor.store.currentShipgroup, 3);
    EXPECT_EQ(cell(2, 107), 12);
}

// Right-drag steps, one row per move from a drag held at (400, 300): the
// edges move the view by 10 (left and top back, right and bottom on), a move
// of more than 4 pixels by 40, of 1..4 pixels by 10.
TEST_F(MapToolsTest, DragStepsEdgesAndTheFourPixelSlack) {
    struct Row {
        int x, y, dx, dy;
    } rows[] = {
        {10, 300, -10, 0}, {790, 300, 10, 0}, {400, 10, 0, -10},  {400, 590, 0, 10},
        {404, 300, 10, 0}, {405, 300, 40, 0}, {396, 300, -10, 0}, {395, 300, -40, 0},
        {400, 304, 0, 10}, {400, 305, 0, 40}, {400, 295, 0, -40}, {400, 300, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(::testing::Message() << r.x << "," << r.y);
        editor.mapView.setScroll(-400, -300);
        send(PointerAction::Press, PointerButton::Right, 400, 300);
        send(PointerAction::Move, PointerButton::None, r.x, r.y);
        EXPECT_EQ(editor.mapView.scrollX(), -400 + r.dx);
        EXPECT_EQ(editor.mapView.scrollY(), -300 + r.dy);
        send(PointerAction::Release, PointerButton::Right, r.x, r.y);
    }
}

// The map spans ±204 km: at zoom 100 the view's top-left corner stays within
// −20400 .. 20400 − the window's size, as the scroll bars allow, however long
// the button is held at an edge; a Shift click there lands on the map's edge.
TEST_F(MapToolsTest, DraggingStopsAtTheMapsEdgeAndALeftReleaseOutsideEndsIt) {
    send(PointerAction::Press, PointerButton::Right, 400, 300);
    send(PointerAction::Move, PointerButton::None, 795, 300);
    for (int i = 0; i < 3000; ++i) tools.tick();
    EXPECT_EQ(editor.mapView.scrollX(), 20400 - 800);
    send(PointerAction::Move, PointerButton::None, 400, 595);
    for (int i = 0; i < 3000; ++i) tools.tick();
    EXPECT_EQ(editor.mapView.scrollY(), 20400 - 600);
    send(PointerAction::Release, PointerButton::Right, 400, 595);
    leftClick(799, 599, true);
    EXPECT_EQ(word(1, 3466), 32638) << "203.99 km east, not wrapped to the west";
    EXPECT_EQ(word(1, 3468), 32638);

    send(PointerAction::Press, PointerButton::Right, 400, 300);
    send(PointerAction::Move, PointerButton::None, 5, 300);
    for (int i = 0; i < 5000; ++i) tools.tick();
    EXPECT_EQ(editor.mapView.scrollX(), -20400);

    // A left release over the border or a scroll bar (outside the 800 × 600
    // client area) ends the drag; one inside does not.
    send(PointerAction::Release, PointerButton::Left, 400, 300);
    EXPECT_TRUE(tools.dragTimerWanted());
    send(PointerAction::Release, PointerButton::Left, 810, 300);
    EXPECT_FALSE(tools.dragTimerWanted());
}
