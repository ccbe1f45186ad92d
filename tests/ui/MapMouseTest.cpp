#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include "WindowFixture.h"
#include "mission/ShipgroupRecord.h"
#include "ui/MapWindow.h"
#include "ui/OrdersWizardWindow.h"

using namespace quendar;
using mission::Table;

namespace {

// The whole window with a new mission, driven by real mouse events on the
// map's viewport.
class MapMouseTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        writePreferences();
        makeFrame();
        // Nothing modal may wait for a user here.
        frame->pictureHook = [](QDialog& d) { d.accept(); };
        frame->forms().modalHook = [](ui::FormDialog& d) { d.model().click("ok"); };
        frame->startUp();
        frame->show();
        QCoreApplication::processEvents();
        vp = frame->mapWindow()->viewport();
        mid = QPoint(vp->width() / 2, vp->height() / 2);
    }
    int16_t unitsX(int px) const { return editor.mapView.positionFromX(px); }
    int16_t unitsY(int py) const { return editor.mapView.positionFromY(py); }
    int word(int shipgroup, int offset) const {
        return editor.store.signedWord(Table::Shipgroups, shipgroup, offset);
    }

    QWidget* vp = nullptr;
    QPoint mid;
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
    run(app::cmd::StartPoint1);
    frame->updateCommandStates();
    EXPECT_TRUE(frame->action(app::cmd::StartPoint1)->isChecked());
    EXPECT_EQ(frame->mapWindow()->viewport()->cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(vp, mid + QPoint(5, 5));
    EXPECT_EQ(vp->cursor().shape(), Qt::CrossCursor);
    const QPoint c = mid + QPoint(100, 100);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, c);
    EXPECT_EQ(word(0, 3466), unitsX(c.x()));
    EXPECT_EQ(word(0, 3468), unitsY(c.y()));
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});

    // Order 2, waypoint 4 of shipgroup 0 in region 1.
    run(app::cmd::Order2Waypoints);
    run(app::cmd::Waypoint4);
    const QPoint d = mid + QPoint(-30, -70);
    QTest::mouseClick(vp, Qt::LeftButton, Qt::NoModifier, d);
    const mission::Point3 w = mission::ShipgroupView(editor.store, 0).waypoint(0, 1, 3);
    EXPECT_EQ(w.x, unitsX(d.x()));
    EXPECT_EQ(w.y, unitsY(d.y()));
    EXPECT_EQ(w.enabled, 1);
    EXPECT_EQ(editor.mapTool, app::CurrentTool{});

    // The status bar read-out follows the mouse.
    QTest::mouseMove(vp, mid + QPoint(16, 0));
    EXPECT_EQ(frame->pane(app::Pane::PositionX)->text().toStdString(), editor.mapView.readoutX());
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
    EXPECT_FALSE(frame->forms().isOpen(app::form::Basic));

    // Near the top edge the drag timer keeps scrolling while the mouse rests;
    // the test gives it its ticks.
    auto* timer = frame->mapWindow()->findChild<QTimer*>("dragTimer");
    ASSERT_NE(timer, nullptr);
    QTest::mousePress(vp, Qt::RightButton, Qt::NoModifier, QPoint(mid.x(), 5));
    ASSERT_TRUE(timer->isActive());
    const int pressed = editor.mapView.scrollY();
    QMetaObject::invokeMethod(timer, "timeout");
    const int step = pressed - editor.mapView.scrollY();
    EXPECT_GT(step, 0);
    for (int k = 0; k < 7; ++k) QMetaObject::invokeMethod(timer, "timeout");
    EXPECT_EQ(editor.mapView.scrollY(), pressed - 8 * step) << "every tick scrolls as far";
    QTest::mouseRelease(vp, Qt::RightButton, Qt::NoModifier, QPoint(mid.x(), 5));
    EXPECT_FALSE(timer->isActive()) << "the timer stops with the button";

    QTest::mouseClick(vp, Qt::RightButton, Qt::NoModifier, mid);
    EXPECT_TRUE(frame->forms().isOpen(app::form::Basic));
}

TEST_F(MapMouseTest, OrdersWizardWindowRunsOnItsTimerAndWritesTheOrder) {
    run(app::cmd::Order3Waypoints);  // order 3
    run(app::cmd::OrdersWizard);
    auto* dlg = frame->forms().dialog(app::form::OrdersWizard);
    ASSERT_NE(dlg, nullptr);
    auto* surface = dlg->findChild<ui::OrdersWizardWindow*>();
    ASSERT_NE(surface, nullptr);
    auto* wizard =
        dynamic_cast<shipgroup::OrdersWizard*>(frame->forms().model(app::form::OrdersWizard));
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

// Drag to move, the rubber band and Ctrl+V at the mouse, with real events.
TEST_F(MapMouseTest, DragRubberBandAndPasteAtTheMouse) {
    editor.store.shipgroupCount = 3;
    for (int i = 0; i < 3; ++i) {
        mission::ShipgroupRecord r(editor.store, i);
        r.setStartPoint(0, {unitsX(mid.x() + 40 * i), unitsY(mid.y()), 0, 0});
        r.set(3498, 0);
    }
    editor.shipgroupEvents.notify(core::ShipgroupEvent::ListCleared);
    editor.shipgroupEvents.notify(core::ShipgroupEvent::ListRefilled);
    // Shipgroup 1 dragged 30 pixels down.
    const QPoint one = mid + QPoint(40, 0);
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, one);
    QTest::mouseMove(vp, one + QPoint(0, 10));
    QTest::mouseMove(vp, one + QPoint(0, 30));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, one + QPoint(0, 30));
    EXPECT_EQ(word(1, 3468), unitsY(mid.y() + 30));
    EXPECT_EQ(word(0, 3468), unitsY(mid.y()));
    EXPECT_EQ(editor.journal.undoName(), "Move shipgroup");

    // A band around 0 and 2 (1 is below it now) selects them; 2 is current.
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, mid + QPoint(-10, -10));
    QTest::mouseMove(vp, mid + QPoint(20, 5));
    QTest::mouseMove(vp, mid + QPoint(90, 10));
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, mid + QPoint(90, 10));
    EXPECT_EQ(frame->mapTools().selection().selected(), (std::vector<int>{0, 2}));
    EXPECT_EQ(frame->selector()->currentIndex(), 2);

    // Copy from the menu, Ctrl+V with the mouse 100 pixels up: 0 lands there
    // and 2 keeps its 80 pixels to the right of it.
    run(app::cmd::Copy);
    const QPoint at = mid + QPoint(0, -100);
    QTest::mouseMove(vp, at);
    QTest::keyClick(frame->mapWindow(), Qt::Key_V, Qt::ControlModifier);
    ASSERT_EQ(editor.store.shipgroupCount, 5);
    EXPECT_EQ(word(3, 3466), unitsX(at.x()));
    EXPECT_EQ(word(3, 3468), unitsY(at.y()));
    EXPECT_EQ(word(4, 3466) - word(3, 3466), word(2, 3466) - word(0, 3466));
    EXPECT_EQ(frame->pane(app::Pane::Message)->text().toStdString(), "Pasted 2 shipgroups.");
    EXPECT_EQ(frame->selector()->count(), 5);
}
