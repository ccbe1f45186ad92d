#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <vector>

#include "app/mapedit/MapTools.h"
#include "app/mapedit/ShipgroupClipboard.h"
#include "mission/NewMission.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/ShipgroupList.h"
#include "support/ScriptedUi.h"
#include "support/StubPorts.h"

using namespace quendar;
using app::MapKey;
using map::PointerAction;
using map::PointerButton;
using mission::Table;

namespace {

// The clipboard two editors share.
struct FakeClipboard : app::Clipboard {
    std::vector<uint8_t> bytes;
    std::string text;
    void put(const std::vector<uint8_t>& r, const std::string& t) override { bytes = r, text = t; }
    std::optional<std::vector<uint8_t>> records() const override {
        if (bytes.empty()) return std::nullopt;
        return bytes;
    }
};

// One editor window: a new mission of six shipgroups on an 800 x 600 map at
// zoom 100, origin in the middle: pixel (400 + k, 300 + k) is about 1.6 k units.
struct Window {
    app::Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::StubFrameView view;
    quendar::testing::StubMapListeners listeners;
    app::MapTools tools{editor, prompter, view, listeners, listeners};
    quendar::testing::StubStatus told;
    app::ShipgroupClipboard clip;
    std::string status() const { return told.told.empty() ? "" : told.told.back(); }

    explicit Window(FakeClipboard& c) : clip(editor, tools.selection(), prompter, c, told) {
        mission::resetToNewMission(editor.store);
        for (int i = 0; i < map::MapView::kCentringNotifications; ++i)
            editor.mapView.resize(800, 600);
        editor.store.shipgroupCount = 6;
        // Shipgroup i at (160 i, 80 i, 7 i) units in region 0; 5 in region 1.
        for (int i = 0; i < 6; ++i) place(i, 160 * i, 80 * i, 7 * i, i == 5 ? 1 : 0);
        // 1's arrival trigger names 3; 4's first order targets 1.
        cell(1, 137, 1), cell(1, 138, 3), cell(4, 214, 1), cell(4, 215, 1);
    }
    void place(int i, int x, int y, int z, int region) {
        mission::ShipgroupRecord r(editor.store, i);
        r.setStartPoint(0, {x, y, z, 0});
        r.set(3498, static_cast<uint8_t>(region));
    }
    void cell(int i, int off, int v) {
        editor.store.setByte(Table::Shipgroups, i, off, static_cast<uint8_t>(v));
    }
    int cell(int i, int off) const { return editor.store.byte(Table::Shipgroups, i, off); }
    int word(int i, int off) const { return editor.store.signedWord(Table::Shipgroups, i, off); }
    void mouse(PointerAction a, int x, int y, PointerButton b = PointerButton::Left) {
        tools.pointer({a, b, false, false, x, y});
    }
    void drag(int x0, int y0, int x1, int y1, bool release = true) {
        mouse(PointerAction::Press, x0, y0);
        mouse(PointerAction::Move, x1, y1, PointerButton::None);
        if (release) mouse(PointerAction::Release, x1, y1);
    }
    // Every table and the counters, to compare states byte for byte.
    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> out;
        for (int t = 0; t < static_cast<int>(Table::Count); ++t) {
            const auto b = editor.store.table(static_cast<Table>(t));
            out.insert(out.end(), b.begin(), b.end());
        }
        out.push_back(static_cast<uint8_t>(editor.store.shipgroupCount));
        return out;
    }
    void startJournal() { editor.journal.clear(); }
    // Undo then redo give back exactly `before` and `after`.
    void expectUndoRedo(const std::vector<uint8_t>& before) {
        const auto after = bytes();
        ASSERT_TRUE(editor.journal.undo());
        EXPECT_EQ(bytes(), before);
        ASSERT_TRUE(editor.journal.redo());
        EXPECT_EQ(bytes(), after);
    }
};

struct MapSelectionTest : ::testing::Test {
    FakeClipboard board;
    Window w{board};
};

}  // namespace

// Shipgroup 2 sits at (320, 160, 14) units: pixel (600, 400) in X-Y.
TEST_F(MapSelectionTest, DragMovesPastThreePixelsAndKeepsTheThirdCoordinate) {
    struct Row {
        int projection;
        int px, py;   // shipgroup 2 on screen
        int x, y, z;  // its start point after a drag of (+10, -5) pixels
    };
    const Row rows[] = {
        {0, 600, 400, 336, 152, 14},
        {1, 600, 308, 336, 160, 6},
        {2, 500, 308, 320, 176, 6},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.projection);
        Window v{board};
        v.editor.settings.projection = r.projection;
        v.startJournal();
        const auto before = v.bytes();
        // Two pixels: a click; it selects and moves nothing.
        v.drag(r.px, r.py, r.px + 2, r.py - 2);
        EXPECT_EQ(v.editor.store.currentShipgroup, 2);
        EXPECT_EQ(v.bytes(), before);
        EXPECT_FALSE(v.editor.journal.canUndo());
        // Three pixels are a drag.
        v.drag(r.px, r.py, r.px + 3, r.py);
        EXPECT_NE(v.bytes(), before);
        ASSERT_TRUE(v.editor.journal.undo());
        // Escape during a drag puts it back.
        v.drag(r.px, r.py, r.px + 10, r.py - 5, false);
        EXPECT_NE(v.bytes(), before);
        EXPECT_TRUE(v.tools.key(MapKey::Escape, false));
        v.mouse(PointerAction::Release, r.px + 10, r.py - 5);
        EXPECT_EQ(v.bytes(), before);
        EXPECT_FALSE(v.editor.journal.canUndo());
        // A drag of three pixels or more moves, as one action.
        v.drag(r.px, r.py, r.px + 10, r.py - 5);
        EXPECT_EQ(v.word(2, 3466), r.x);
        EXPECT_EQ(v.word(2, 3468), r.y);
        EXPECT_EQ(v.word(2, 3470), r.z);
        EXPECT_EQ(v.editor.journal.undoName(), "Move shipgroup");
        v.expectUndoRedo(before);
    }
}

TEST_F(MapSelectionTest, RubberBandSelectsTheShownRegionAndMovesTogether) {
    // From pixel (390, 290) to (660, 420): units -16..416 across, -16..192 down:
    // shipgroups 0, 1, 2; 3 lies outside, 5 is in another region.
    w.place(5, 100, 50, 0, 1);
    w.startJournal();
    w.drag(390, 290, 660, 420);
    EXPECT_EQ(w.tools.selection().selected(), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(w.editor.store.currentShipgroup, 2);
    EXPECT_FALSE(w.editor.journal.canUndo());
    // Dragging one of them moves all three; 3 stays.
    const auto before = w.bytes();
    w.drag(500, 350, 500, 360);  // shipgroup 1, ten pixels down: 16 units
    for (int i : {0, 1, 2}) EXPECT_EQ(w.word(i, 3468), 80 * i + 16) << i;
    EXPECT_EQ(w.word(3, 3468), 240);
    EXPECT_EQ(w.editor.journal.undoName(), "Move shipgroups");
    w.expectUndoRedo(before);
    // Resting on a shipgroup names it; empty map has no tooltip.
    EXPECT_EQ(w.tools.selection().tooltipAt(500, 360).rfind("1 Noname: 1 x craft 1, IFF Rebel", 0),
              0u);
    EXPECT_EQ(w.tools.selection().tooltipAt(390, 590), "");
    // A click on empty map clears the selection; so does Escape.
    w.drag(390, 590, 390, 590);
    EXPECT_TRUE(w.tools.selection().selected().empty());
    w.drag(390, 290, 660, 420);
    EXPECT_TRUE(w.tools.key(MapKey::Escape, false));
    EXPECT_TRUE(w.tools.selection().selected().empty());
}

TEST_F(MapSelectionTest, ArrowKeysMoveOnePixelsWorthPerPressOneActionPerRun) {
    w.tools.selection().select({1, 3});
    w.startJournal();
    const auto before = w.bytes();
    // At zoom 100 one pixel is 1.6 units: 2; Shift: ten pixels, 16.
    w.tools.key(MapKey::Right, false);
    w.tools.key(MapKey::Right, false);
    w.tools.key(MapKey::Up, true);
    EXPECT_EQ(w.word(1, 3466), 164);
    EXPECT_EQ(w.word(3, 3466), 484);
    EXPECT_EQ(w.word(3, 3468), 224);
    EXPECT_EQ(w.word(0, 3466), 0);
    w.expectUndoRedo(before);
    w.tools.keyReleased(1);
    const auto afterRun = w.bytes();
    w.tools.key(MapKey::Down, false);
    w.expectUndoRedo(afterRun);
    // Without a selection the arrows are not the map's: the view scrolls.
    w.tools.selection().clear();
    EXPECT_FALSE(w.tools.key(MapKey::Left, false));
}

// A held arrow key repeats as release and press pairs with one time stamp:
// the run (one undo step) ends only at a release followed by a press at
// another time. Undo, which rebuilds every list, keeps the selection while
// no shipgroup was deleted or put back, so the next arrow moves it again.
TEST_F(MapSelectionTest, AHeldArrowIsOneStepAndUndoKeepsTheSelection) {
    const struct {
        const char* keys;  // p: press Right, r: release, at a time
        int steps;
    } rows[] = {{"p10 r40 p40 r70 p70 r90", 1},
                {"p10 r20 p21 r30", 2},
                {"p10 r40 p40 r50 p90", 2},
                {"p10", 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keys);
        Window m{board};
        m.tools.selection().select({1, 3});
        m.startJournal();
        const auto before = m.bytes();
        std::istringstream keys(row.keys);
        for (std::string k; keys >> k;) {
            const uint64_t time = std::stoull(k.substr(1));
            if (k[0] == 'r') m.tools.keyReleased(time);
            if (k[0] == 'p') {
                EXPECT_TRUE(m.tools.key(MapKey::Right, false, time));
            }
        }
        int steps = 0;
        for (; m.bytes() != before && m.editor.journal.undo(); ++steps)
            m.editor.shipgroupEvents.notify(app::ShipgroupEvent::ListCleared);  // as the frame does
        EXPECT_EQ(steps, row.steps);
        EXPECT_EQ(m.tools.selection().selected(), (std::vector<int>{1, 3}));
        EXPECT_TRUE(m.tools.key(MapKey::Right, false, 500)) << "the arrow moves, not scrolls";
    }
    w.tools.selection().select({4});
    w.startJournal();
    ASSERT_TRUE(w.tools.key(MapKey::Delete, false));
    w.tools.selection().select({1, 3});
    ASSERT_TRUE(w.editor.journal.undo());
    w.editor.shipgroupEvents.notify(app::ShipgroupEvent::ListCleared);
    EXPECT_TRUE(w.tools.selection().selected().empty()) << "a deletion renumbers";
}

TEST_F(MapSelectionTest, DeleteRemovesTheSelectionAsTheListDoesAfterOneQuestion) {
    // The list's Delete selected, once for 3 and once for 1, is the reference.
    app::Editor ref;
    ref.store = w.editor.store;
    quendar::testing::StubShipgroupPort port;
    shipgroup::ShipgroupContext ctx{ref.store, ref.shipgroupEvents, w.prompter, port};
    shipgroup::ShipgroupList list{ctx};
    for (int d : {3, 1}) {
        ref.store.currentShipgroup = d;
        ASSERT_TRUE(list.deleteSelected());
    }
    w.prompter.shown.clear();
    w.tools.selection().select({1, 3});
    w.startJournal();
    const auto before = w.bytes();
    w.prompter.answers = {core::Answer::No};
    EXPECT_FALSE(w.tools.key(MapKey::Delete, false));
    EXPECT_EQ(w.bytes(), before);
    EXPECT_TRUE(w.tools.key(MapKey::Delete, false));
    EXPECT_EQ(w.prompter.shown.size(), 2u);
    EXPECT_EQ(w.editor.store.shipgroupCount, 4);
    EXPECT_EQ(w.cell(2, 214), 0);  // old 4 attacked deleted 1: "None"
    const auto t = w.editor.store.table(Table::Shipgroups);
    const auto r = ref.store.table(Table::Shipgroups);
    EXPECT_TRUE(std::equal(t.begin(), t.end(), r.begin()));
    w.expectUndoRedo(before);
}

TEST_F(MapSelectionTest, CopyPasteWithinAndBetweenMissionsCutPasteMoves) {
    Window other{board};
    other.editor.store.shipgroupCount = 2;
    w.tools.selection().select({1, 3, 4});
    ASSERT_TRUE(w.clip.copy());
    EXPECT_NE(board.text.find("3 Noname: 1 x"), std::string::npos);

    // Into the other mission at the mouse: 1 lands on pixel (400, 300), the
    // others keep their offsets; 1's reference to 3 follows it, 4's to 1 too.
    other.startJournal();
    auto before = other.bytes();
    ASSERT_TRUE(other.clip.pasteAt(400, 300));
    EXPECT_EQ(other.editor.store.shipgroupCount, 5);
    EXPECT_EQ(other.tools.selection().selected(), (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(other.editor.store.currentShipgroup, 4);
    EXPECT_EQ(other.word(2, 3466), 0);
    EXPECT_EQ(other.word(3, 3466), 320);
    EXPECT_EQ(other.word(4, 3468), 240);
    EXPECT_EQ(other.word(4, 3470), 28);  // the third coordinate as it was
    EXPECT_EQ(other.cell(2, 138), 3);
    EXPECT_EQ(other.cell(4, 215), 2);
    EXPECT_EQ(other.status(), "Pasted 3 shipgroups.");
    other.expectUndoRedo(before);

    // The 200 limit refuses the whole paste.
    other.editor.store.shipgroupCount = 198;
    before = other.bytes();
    EXPECT_FALSE(other.clip.paste());
    EXPECT_EQ(other.bytes(), before);
    ASSERT_EQ(other.prompter.shown.size(), 1u);

    // Cut and paste in one mission is a move to the end of the list; the
    // references of and to the moved ones follow.
    w.cell(0, 173, 1), w.cell(0, 174, 5);  // departure of 0 names 5
    w.cell(3, 137, 1), w.cell(3, 138, 5);  // 3 arrives after 5, which stays
    w.tools.selection().select({1, 3});
    w.startJournal();
    before = w.bytes();
    ASSERT_TRUE(w.clip.cut());
    EXPECT_EQ(w.editor.store.shipgroupCount, 4);
    EXPECT_EQ(w.cell(0, 174), 3);
    ASSERT_TRUE(w.clip.paste());
    EXPECT_EQ(w.editor.store.shipgroupCount, 6);
    EXPECT_EQ(w.word(4, 3466), 160);  // positions kept from the menu
    EXPECT_EQ(w.cell(4, 138), 5);     // old 1 -> 4 still arrives after old 3 -> 5
    EXPECT_EQ(w.cell(5, 138), 3);     // old 3 still arrives after old 5 -> 3
    EXPECT_EQ(w.status(), "Pasted 2 shipgroups.");
    const auto afterPaste = w.bytes();
    ASSERT_TRUE(w.editor.journal.undo());
    ASSERT_TRUE(w.editor.journal.undo());
    EXPECT_EQ(w.bytes(), before);
    ASSERT_TRUE(w.editor.journal.redo());
    ASSERT_TRUE(w.editor.journal.redo());
    EXPECT_EQ(w.bytes(), afterPaste);

    // The same set into the other mission: references to shipgroups that
    // were not pasted are cleared, and the status says how many.
    other.editor.store.shipgroupCount = 2;
    ASSERT_TRUE(other.clip.paste());
    EXPECT_EQ(other.cell(3, 137), 0);
    EXPECT_EQ(other.status(),
              "Pasted 2 shipgroups; 1 reference to shipgroups not pasted was cleared.");
}

// An outside reference is kept only where the paste can tell which shipgroup
// it meant: the mission unchanged since the copy, or the cut still in effect
// and nothing else changed. Otherwise it is cleared, never renumbered.
TEST_F(MapSelectionTest, PasteKeepsOutsideReferencesOnlyWhereTheyStillMeanTheSame) {
    // Shipgroup, type offset, number offset and the shipgroup it names: 1
    // attacks 5 and arrives after 3; 2 attacks 9, arrives after 4 and
    // departs by hangar from 6.
    const int refs[5][4] = {
        {1, 214, 215, 5}, {1, 137, 138, 3}, {2, 214, 215, 9}, {2, 137, 138, 4}, {2, 199, 198, 6}};
    enum Step { Copy, Cut, Undo, Redo, DeleteThree, Rename };
    const struct {
        const char* what;
        std::vector<Step> steps;
        int first;     // where the copy of 0 lands
        int names[5];  // what the pasted references name (-1: cleared to "None")
    } rows[] = {
        {"copy", {Copy}, 10, {5, 3, 9, 4, 6}},
        {"cut: a move", {Cut}, 7, {2, 0, 6, 1, 3}},
        {"cut, undo", {Cut, Undo}, 10, {-1, -1, -1, -1, -1}},
        {"cut, undo, redo", {Cut, Undo, Redo}, 7, {-1, -1, -1, -1, -1}},
        {"copy, delete 3", {Copy, DeleteThree}, 9, {-1, -1, -1, -1, -1}},
        {"copy, rename 7", {Copy, Rename}, 10, {-1, -1, -1, -1, -1}},
        {"cut, rename 7", {Cut, Rename}, 7, {-1, -1, -1, -1, -1}},
        {"copy, undo of nothing", {Copy, Undo}, 10, {5, 3, 9, 4, 6}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Window m{board};
        m.editor.store.shipgroupCount = 10;
        for (const auto& r : refs) m.cell(r[0], r[1], 1), m.cell(r[0], r[2], r[3]);
        m.startJournal();
        m.tools.selection().select({0, 1, 2});
        for (Step s : row.steps) {
            switch (s) {
                case Copy: EXPECT_TRUE(m.clip.copy()); break;
                case Cut: EXPECT_TRUE(m.clip.cut()); break;
                case Undo: m.editor.journal.undo(); break;
                case Redo: EXPECT_TRUE(m.editor.journal.redo()); break;
                case DeleteThree:
                    m.tools.selection().select({3});
                    EXPECT_TRUE(m.tools.key(MapKey::Delete, false));
                    break;
                case Rename: {
                    core::ActionScope action(m.editor.journal, "Rename");
                    m.cell(7, 0, 'Q');
                }
            }
        }
        ASSERT_TRUE(m.clip.paste());
        ASSERT_EQ(m.tools.selection().selected().front(), row.first);
        for (int k = 0; k < 5; ++k) {
            SCOPED_TRACE(k);
            EXPECT_EQ(m.cell(row.first + refs[k][0], refs[k][1]), row.names[k] < 0 ? 0 : 1);
            EXPECT_EQ(m.cell(row.first + refs[k][0], refs[k][2]), std::max(row.names[k], 0));
        }
        EXPECT_EQ(m.status(), row.names[0] < 0 ? "Pasted 3 shipgroups; 5 references to shipgroups "
                                                 "not pasted were cleared."
                                               : "Pasted 3 shipgroups.");
    }
}

// Paste at the mouse moves every position the map draws for the pasted
// shipgroup in the shown region by one offset, so its route keeps its shape;
// Paste from the menu keeps every position.
TEST_F(MapSelectionTest, PasteAtTheMouseMovesStartPointsAndWaypointsOfTheShownRegion) {
    // Waypoint k of order o in region r: 202 + 592 r + 148 o + 20 + 8 k;
    // start point k: 3466 + 8 k, its region byte 3498 + k.
    const struct {
        int offset;  // of the (x, y, z, enabled) words in the record
        int region;  // start points: their region byte
        int enabled, x, y, z;
        int atX, atY;  // after a paste at pixel (400, 300): 1's start point goes to (0, 0)
    } rows[] = {
        {202 + 20, 0, 1, 1000, 500, 9, 840, 420},  // region 0, order 1, waypoint 1
        {202 + 2 * 148 + 20 + 3 * 8, 0, 1, -200, 40, 3, -360, -40},  // order 3, waypoint 4
        {202 + 4 * 148 + 20, 0, 1, 777, 777, 7, 777, 777},           // region 1: not shown
        {202 + 148 + 20 + 8, 0, 0, 50, 50, 5, 50, 50},               // not in use
        {202 + 20 + 8, 0, 1, -32700, 32700, 1, -32768, 32620},       // held in 16 bits
        {3466 + 8, 0, 1, 300, 300, 1, 140, 220},                     // start point 2, region 0
        {3466 + 16, 1, 1, 300, 300, 1, 300, 300},                    // start point 3, region 1
        {3466 + 24, 0, 0, 300, 300, 1, 300, 300},                    // start point 4, not in use
    };
    for (const auto& r : rows) {
        for (int k = 0; k < 4; ++k) {
            const int v[] = {r.x, r.y, r.z, r.enabled};
            w.editor.store.setWord(Table::Shipgroups, 1, r.offset + 2 * k,
                                   static_cast<uint16_t>(v[k]));
        }
        if (r.offset > 3466) w.cell(1, 3498 + (r.offset - 3466) / 8, r.region);
    }
    w.tools.selection().select({1});
    ASSERT_TRUE(w.clip.copy());
    for (bool atMouse : {true, false}) {
        SCOPED_TRACE(atMouse ? "at the mouse" : "from the menu");
        ASSERT_TRUE(atMouse ? w.clip.pasteAt(400, 300) : w.clip.paste());
        const int p = w.editor.store.shipgroupCount - 1;
        EXPECT_EQ(w.word(p, 3466), atMouse ? 0 : 160);
        for (const auto& r : rows) {
            SCOPED_TRACE(r.offset);
            EXPECT_EQ(w.word(p, r.offset), atMouse ? r.atX : r.x);
            EXPECT_EQ(w.word(p, r.offset + 2), atMouse ? r.atY : r.y);
            EXPECT_EQ(w.word(p, r.offset + 4), r.z);
        }
    }
}
