#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <filesystem>

#include "QtTestApp.h"
#include "app/PreferencesFile.h"
#include "mission/ShipgroupRecord.h"
#include "support/ScriptedUi.h"
#include "ui/CMainFrame.h"
#include "ui/MapWindow.h"
#include "ui/OrdersWizardWindow.h"

using namespace quendar;
namespace fs = std::filesystem;
using mission::Table;

namespace {

// The whole window with a new mission, driven by real mouse events on the
// map's viewport.
class MapMouseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::qtApp();
        m_dir = fs::temp_directory_path() / "quendar_ui_map_mouse";
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_previous = fs::current_path();
        fs::current_path(m_dir);
        core::DisplaySettings s;
        ASSERT_TRUE(app::writePreferencesFile("qd.dat", s, prompter));
        ui::FrameOptions o;
        o.dataDir = QUENDAR_DATA_DIR;
        o.prompter = &prompter;
        o.chooser = &chooser;
        o.showSplash = false;
        frame = std::make_unique<ui::CMainFrame>(editor, o);
        frame->startUp();
        frame->show();
        QCoreApplication::processEvents();
        vp = frame->mapWindow()->viewport();
        mid = QPoint(vp->width() / 2, vp->height() / 2);
    }
    void TearDown() override {
        frame.reset();
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }
    void run(int id) {
        frame->updateCommandStates();
        QAction* a = frame->action(id);
        ASSERT_TRUE(a && a->isEnabled()) << id;
        a->trigger();
    }
    int16_t unitsX(int px) const { return editor.mapView.positionFromX(px); }
    int16_t unitsY(int py) const { return editor.mapView.positionFromY(py); }
    int word(int shipgroup, int offset) const {
        return editor.store.signedWord(Table::Shipgroups, shipgroup, offset);
    }

    app::Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::ScriptedChooser chooser;
    std::unique_ptr<ui::CMainFrame> frame;
    QWidget* vp = nullptr;
    QPoint mid;
    fs::path m_dir, m_previous;
};

}  // namespace

TEST_F(MapMouseTest, ClicksAddCopySelectAndPlacePoints) {
    ASSERT_EQ(editor.store.shipgroupCount, 1);
    mission::ShipgroupRecord(editor.store, 0).setStartPoint(0, {0, 0, 0, 0});

    // Shift-click: a new shipgroup where the mouse is.
    const QPoint a = mid + QPoint(60, -40);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ShiftModifier, a);
    ASSERT_EQ(editor.store.shipgroupCount, 2);
    EXPECT_EQ(editor.store.currentShipgroup, 1);
    EXPECT_EQ(word(1, 3466), unitsX(a.x()));
    EXPECT_EQ(word(1, 3468), unitsY(a.y()));
    EXPECT_EQ(frame->selector()->count(), 2);
    EXPECT_EQ(frame->selector()->currentIndex(), 1);

    // Control-click: a copy of it elsewhere.
    mission::ShipgroupRecord(editor.store, 1).set(mission::sg::craftType, 9);
    const QPoint b = mid + QPoint(-80, 50);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::ControlModifier, b);
    ASSERT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 2, mission::sg::craftType), 9);
    EXPECT_EQ(word(2, 3466), unitsX(b.x()));
    EXPECT_EQ(editor.store.byte(Table::Header, 0, 2), 3);

    // A plain click on shipgroup 0's icon selects it.
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, mid);
    EXPECT_EQ(editor.store.currentShipgroup, 0);
    EXPECT_EQ(frame->selector()->currentIndex(), 0);

    // The start point tool moves shipgroup 0 and falls back to select.
    run(32872);
    frame->updateCommandStates();
    EXPECT_TRUE(frame->action(32872)->isChecked());
    EXPECT_EQ(frame->mapWindow()->viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(vp, mid + QPoint(5, 5));
    EXPECT_EQ(vp->cursor().shape(), Qt::CrossCursor);
    const QPoint c = mid + QPoint(100, 100);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, c);
    EXPECT_EQ(word(0, 3466), unitsX(c.x()));
    EXPECT_EQ(word(0, 3468), unitsY(c.y()));
    EXPECT_EQ(editor.mapTool, 0);

    // Order 2, waypoint 4 of shipgroup 0 in region 1.
    run(32905);
    run(32879);
    const QPoint d = mid + QPoint(-30, -70);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, d);
    const mission::Point3 w = mission::ShipgroupView(editor.store, 0).waypoint(0, 1, 3);
    EXPECT_EQ(w.x, unitsX(d.x()));
    EXPECT_EQ(w.y, unitsY(d.y()));
    EXPECT_EQ(w.enabled, 1);
    EXPECT_EQ(editor.mapTool, 0);

    // The status bar read-out follows the mouse.
    QTest::mouseMove(vp, mid + QPoint(16, 0));
    EXPECT_EQ(frame->pane(app::Pane::PositionX)->text().toStdString(),
              editor.mapView.readoutX());
}

TEST_F(MapMouseTest, RightDragPansAndARightClickOpensBasic) {
    const int sx = editor.mapView.scrollX(), sy = editor.mapView.scrollY();
    QTest::mousePress(vp, Qt::RightButton, Qt::NoModifier, mid);
    QTest::mouseMove(vp, mid + QPoint(-10, 0));
    EXPECT_EQ(editor.mapView.scrollX(), sx - 40);
    EXPECT_EQ(frame->mapWindow()->horizontalScrollBar()->value(), sx - 40);
    EXPECT_EQ(vp->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(vp, Qt::RightButton, Qt::NoModifier, mid + QPoint(-10, 0));
    EXPECT_EQ(editor.mapView.scrollY(), sy);
    EXPECT_FALSE(frame->forms().isOpen("Basic"));

    // Near the top edge the drag timer keeps scrolling while the mouse rests.
    QTest::mousePress(vp, Qt::RightButton, Qt::NoModifier, QPoint(mid.x(), 5));
    QTest::qWait(80);
    QTest::mouseRelease(vp, Qt::RightButton, Qt::NoModifier, QPoint(mid.x(), 5));
    EXPECT_LE(editor.mapView.scrollY(), sy - 30);
    const int after = editor.mapView.scrollY();
    QTest::qWait(30);
    EXPECT_EQ(editor.mapView.scrollY(), after) << "the timer stops with the button";

    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, mid);
    EXPECT_TRUE(frame->forms().isOpen("Basic"));
}

TEST_F(MapMouseTest, OrdersWizardWindowRunsOnItsTimerAndWritesTheOrder) {
    run(32906);  // order 3
    run(32925);
    auto* dlg = frame->forms().dialog("Orders Wizard");
    ASSERT_NE(dlg, nullptr);
    auto* surface = dlg->findChild<ui::OrdersWizardWindow*>();
    ASSERT_NE(surface, nullptr);
    auto* wizard = dynamic_cast<shipgroup::OrdersWizard*>(frame->forms().model("Orders Wizard"));
    ASSERT_NE(wizard, nullptr);
    auto settled = [&] { return !wizard->buttons().empty() && wizard->timerInterval() == 0; };
    auto clickButton = [&](int kind) {
        for (const auto& b : wizard->buttons())
            if (b.kind == kind) {
                QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier,
                                  QPoint(b.x + 7, b.y + 5));
                return true;
            }
        return false;
    };
    ASSERT_TRUE(QTest::qWaitFor(settled, 3000));
    EXPECT_EQ(wizard->page(), 0);
    for (int kind : {1, 1, 3, 11}) {
        ASSERT_TRUE(clickButton(kind)) << kind;
        ASSERT_TRUE(QTest::qWaitFor(settled, 3000) || wizard->page() == 12) << kind;
    }
    ASSERT_TRUE(clickButton(1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return wizard->page() == 12; }, 3000));
    // Region 1, slot index 2: destroy shipgroup 0, full throttle.
    const int o = 202 + 148 * 2;
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 0, o), 7);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 0, o + 1), 10);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 0, o + 12), 1);
    EXPECT_EQ(editor.store.byte(Table::Shipgroups, 0, o + 13), 0);
}
