// The window's views and edits: briefing mode, zoom, the selector, every
// command, playback, undo and the Orders wizard.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "MainFrameFixture.h"
#include "app/mapedit/MapTools.h"
#include "briefing/BriefingKinds.h"
#include "map/BriefingPictures.h"
#include "shipgroup/OrdersWizard.h"
#include "ui/CSliderBar.h"
#include "ui/MapWindow.h"
#include "ui/QtPlaybackTimer.h"

using namespace quendar;
using test::MainFrameTest;

TEST_F(MainFrameTest, BriefingModeBarsZoomAndLockRefusals) {
    writePreferences();
    auto& frame = start();
    frame.show();
    auto bars = [&] {
        return std::vector<bool>{frame.isToolbarVisible(app::kBriefingToolsBar),
                                 frame.isToolbarVisible(app::kBriefingCommandsBar),
                                 frame.isToolbarVisible(app::kBriefingEditBar)};
    };
    ASSERT_EQ(bars(), (std::vector<bool>{false, false, false}));

    // Automatic bars off: entering leaves the bars alone; leaving restores the zoom.
    ASSERT_TRUE(run(app::cmd::AutoBriefingBars));
    EXPECT_FALSE(editor.autoBriefingBars);
    ASSERT_TRUE(run(app::cmd::ZoomIn));
    EXPECT_EQ(frame.mapView().zoom(), 120);
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    EXPECT_TRUE(frame.viewSwitches().briefingMode);
    EXPECT_TRUE(frame.action(app::cmd::BriefingMode)->isChecked());
    EXPECT_EQ(bars(), (std::vector<bool>{false, false, false}));

    // Under the lock the zoom and region commands are refused with their messages.
    EXPECT_FALSE(frame.action(app::cmd::ZoomIn)->isEnabled());
    frame.commands().find(app::cmd::ZoomIn)->execute();
    EXPECT_EQ(frame.pane(app::Pane::Message)->text(),
              "You can't change zoom because briefing lock-position engaged.");
    frame.commands().find(app::cmd::System3)->execute();
    EXPECT_EQ(frame.pane(app::Pane::Message)->text(),
              "You can't change region because briefing lock-position engaged.");
    EXPECT_EQ(frame.mapView().currentRegion(), 0);
    // Entering applied the briefing's locked view: zoom 32 without a zoom command.
    EXPECT_EQ(frame.mapView().zoom(), 32);

    ASSERT_TRUE(run(app::cmd::MapMode));
    EXPECT_EQ(frame.mapView().zoom(), 120);
    EXPECT_EQ(bars(), (std::vector<bool>{false, false, false}));

    // Automatic bars on: they come and go with the mode.
    ASSERT_TRUE(run(app::cmd::AutoBriefingBars));
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    EXPECT_EQ(bars(), (std::vector<bool>{true, true, true}));
    run(app::cmd::BriefingMode);  // the active mode's button does nothing
    EXPECT_EQ(bars(), (std::vector<bool>{true, true, true}));
    ASSERT_TRUE(run(app::cmd::MapMode));
    EXPECT_EQ(bars(), (std::vector<bool>{false, false, false}));
}

TEST_F(MainFrameTest, ZoomStepsAndWheelNotchesCountOneSizeNotificationEach) {
    writePreferences();
    auto& frame = start();
    map::MapView& view = frame.mapView();
    const int seen = view.centringNotificationsSeen();
    ASSERT_LE(seen, map::MapView::kCentringNotifications - 3) << "start-up used them all";
    const auto centred = [&] {
        return view.scrollX() == -(view.width() / 2) && view.scrollY() == -(view.height() / 2);
    };

    view.setScroll(37, 41);
    ASSERT_TRUE(run(app::cmd::ZoomIn));
    EXPECT_EQ(view.centringNotificationsSeen(), seen + 1);
    EXPECT_TRUE(centred());

    QWidget* map = frame.mapWindow()->viewport();
    view.setScroll(37, 41);
    QWheelEvent e(QPointF(10, 10), map->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(map, &e);
    EXPECT_EQ(view.zoom(), 130);
    EXPECT_EQ(view.centringNotificationsSeen(), seen + 2);
    EXPECT_TRUE(centred());

    // The centring ends after exactly seven notifications.
    while (view.centringNotificationsSeen() < map::MapView::kCentringNotifications)
        ASSERT_TRUE(run(app::cmd::ZoomOut));
    view.setScroll(37, 41);
    ASSERT_TRUE(run(app::cmd::ZoomOut));
    EXPECT_FALSE(centred());
}

TEST_F(MainFrameTest, SelectorChoiceMakesShipgroupCurrentAndReloadsForms) {
    writePreferences();
    const std::string sample = writeSampleMission("three.tie");
    auto& frame = start();
    ASSERT_TRUE(frame.openMissionPath(sample, false));

    // The shipgroup editor's forms open from the control bar.
    ASSERT_TRUE(run(app::cmd::Basic));
    ASSERT_TRUE(run(app::cmd::Shipgroups));
    ASSERT_TRUE(frame.forms().isOpen(app::form::Basic));
    ui::FormDialog* basic = frame.forms().dialog(app::form::Basic);
    ui::FormDialog* list = frame.forms().dialog(app::form::Shipgroups);
    auto* name = qobject_cast<QLineEdit*>(basic->widgetFor("name"));
    auto* rows = qobject_cast<QListWidget*>(list->widgetFor("list"));
    ASSERT_NE(name, nullptr);
    ASSERT_NE(rows, nullptr);
    EXPECT_EQ(name->text(), "Red Lancers");

    // The selector's third entry: shipgroup 2 becomes current, the open forms follow.
    frame.selector()->activated(2);
    EXPECT_EQ(editor.store.currentShipgroup, 2);
    EXPECT_EQ(frame.selector()->currentIndex(), 2);
    EXPECT_EQ(name->text(), "Picket Station");
    EXPECT_EQ(rows->currentRow(), 2);

    // A rename typed into the Basic form reaches the selector (19 characters at most).
    name->selectAll();
    QTest::keyClicks(name, "Picket Station Omega");
    EXPECT_EQ(frame.selector()->itemText(2), "Picket Station Omeg");

    // Choosing a row of the list form is the same as the selector.
    rows->setCurrentRow(0);
    EXPECT_EQ(editor.store.currentShipgroup, 0);
    EXPECT_EQ(frame.selector()->currentIndex(), 0);
    EXPECT_EQ(name->text(), "Red Lancers");

    // Opening a mission closes the modeless forms.
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    EXPECT_FALSE(frame.forms().isOpen(app::form::Basic));
    EXPECT_FALSE(frame.forms().isOpen(app::form::Shipgroups));
}

TEST_F(MainFrameTest, EveryCommandIsReachableAndFollowsItsRules) {
    writePreferences();
    auto& frame = start();
    const app::CommandTable& table = frame.commands();
    for (const app::Command& c : table.commands()) {
        QAction* a = frame.action(c.id);
        ASSERT_NE(a, nullptr) << c.id;
        EXPECT_FALSE(a->associatedObjects().isEmpty())
            << "command " << c.id << " is on no menu or toolbar";
        EXPECT_EQ(a->isEnabled(), c.isEnabled()) << c.id;
        EXPECT_EQ(a->isChecked(), c.isChecked()) << c.id;
    }
    EXPECT_FALSE(frame.action(app::cmd::ShowOnMap)->isEnabled());
    EXPECT_FALSE(frame.action(app::cmd::NextBriefing)->isEnabled());
    EXPECT_TRUE(frame.action(app::cmd::ViewControlBar)->isChecked());
    run(app::cmd::ViewControlBar);
    EXPECT_FALSE(frame.isToolbarVisible(app::kControlBar));
    EXPECT_FALSE(frame.action(app::cmd::ViewControlBar)->isChecked());
    EXPECT_EQ(frame.action(app::cmd::SaveAs)->shortcut().toString(), "Ctrl+Shift+S");
    EXPECT_EQ(frame.action(app::cmd::ZoomIn)->toolTip(), "Zoom In");

    // A mouse move over the map writes the position read-out into its panes:
    // one pixel right of the origin is 0.01 km.
    frame.show();
    QCoreApplication::processEvents();
    QWidget* vp = frame.mapWindow()->viewport();
    const QPoint p(vp->width() / 2 + 1, vp->height() / 2);
    QMouseEvent move(QEvent::MouseMove, QPointF(p), vp->mapToGlobal(QPointF(p)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(vp, &move);
    EXPECT_EQ(frame.pane(app::Pane::PositionX)->text(), "0.01");
    EXPECT_EQ(frame.pane(app::Pane::PositionY)->text(), "0.00");

    // The time slider moves the briefing time; the panes follow.
    EXPECT_EQ(frame.pane(app::Pane::BrTime)->text(), "0:0:0");
    QSlider* slider = frame.sliderBar()->slider();
    EXPECT_EQ(slider->maximum(), 3000);
    slider->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // step size 1
    EXPECT_EQ(editor.briefing.currentTime(), 1);
    slider->setSliderPosition(846);
    slider->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(editor.briefing.currentTime(), 846);
    EXPECT_EQ(frame.pane(app::Pane::BrTime)->text(), "1:0:6");
    EXPECT_EQ(slider->value(), 846);
    slider->setSliderPosition(3000);
    slider->triggerAction(QAbstractSlider::SliderMove);
    EXPECT_EQ(editor.briefing.currentTime(), 846) << "the end time itself is refused";
    EXPECT_EQ(slider->sliderPosition(), 846);
}

// The sample's briefing played in the window: the timer moves the time and
// the map shows the briefing's ships.
TEST_F(MainFrameTest, BriefingPlaysInTheWindow) {
    auto& frame = startShown(1000, 700);
    ASSERT_TRUE(frame.openMissionPath(copySample("lantern-run.tie"), false));
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    EXPECT_EQ(frame.mapView().zoom(), 40) << "the sample's briefing zooms to 40 at time 0";
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(app::cmd::BriefingUndo)->isEnabled()) << "nothing to undo";

    ASSERT_TRUE(run(app::cmd::NextAction));  // next action: the ships appear at 14
    EXPECT_EQ(editor.briefing.currentTime(), 14);
    EXPECT_EQ(frame.pane(app::Pane::CurrentCommand)->text(), "Multiple commands");
    const QImage shot = frame.mapWindow()->viewport()->grab().toImage();
    int red = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y);
            if (qRed(p) > 100 && qGreen(p) == 0 && qBlue(p) == 0) ++red;
        }
    EXPECT_GT(red, 20) << "the red ship of slot 1 is drawn";

    ASSERT_TRUE(run(app::cmd::Play));  // play
    EXPECT_TRUE(frame.playbackTimer().running());
    EXPECT_EQ(frame.playbackTimer().interval(), 56);
    // A loaded machine may deliver the ticks late: wait for them, not for a time.
    QTRY_VERIFY_WITH_TIMEOUT(editor.briefing.currentTime() > 16, 10000);
    ASSERT_TRUE(run(app::cmd::Stop));  // stop
    EXPECT_FALSE(frame.playbackTimer().running());
}

TEST_F(MainFrameTest, TypingIsOneUndoStepAndTheTitleMarksTheChange) {
    writePreferences();
    const std::string sample = writeSampleMission("three.tie");
    auto& frame = start();
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    const QString clean = QString::fromStdString("Quendar - " + sample);
    EXPECT_EQ(frame.windowTitle(), clean);
    EXPECT_EQ(frame.action(app::cmd::Undo)->shortcuts(),
              QList<QKeySequence>{QKeySequence("Ctrl+Z")});
    EXPECT_EQ(frame.action(app::cmd::Redo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    ASSERT_TRUE(run(app::cmd::Basic));
    auto* name =
        qobject_cast<QLineEdit*>(frame.forms().dialog(app::form::Basic)->widgetFor("name"));
    ASSERT_NE(name, nullptr);
    name->selectAll();
    QTest::keyClicks(name, "Ember Wing");
    EXPECT_EQ(frame.windowTitle(), clean + "*");
    frame.updateCommandStates();
    EXPECT_EQ(frame.action(app::cmd::Undo)->text(), "&Undo Edit Name\tCtrl+Z");

    // Ten keystrokes, one step: the name and the selector come back at once.
    ASSERT_TRUE(run(app::cmd::Undo));
    EXPECT_EQ(name->text(), "Red Lancers");
    EXPECT_EQ(frame.selector()->itemText(0), "Red Lancers");
    EXPECT_EQ(frame.windowTitle(), clean);
    EXPECT_FALSE(frame.action(app::cmd::Undo)->isEnabled());
    ASSERT_TRUE(run(app::cmd::Redo));
    EXPECT_EQ(name->text(), "Ember Wing");
    EXPECT_EQ(frame.windowTitle(), clean + "*");

    // Ctrl+Z and Ctrl+Y pressed in the form's own window reach Undo and Redo.
    QDialog* dialog = frame.forms().dialog(app::form::Basic);
    dialog->activateWindow();
    dialog->setFocus();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
    QTest::keyClick(dialog, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Red Lancers");
    QTest::keyClick(dialog, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(name->text(), "Ember Wing");
}

// The Orders wizard runs on its dialog's one timer, and writes into the
// region and order slot the map showed when it opened.
TEST_F(MainFrameTest, OrdersWizardRunsOnOneTimerAndKeepsTheRegionItOpenedIn) {
    writePreferences();
    auto& frame = start();
    ASSERT_TRUE(frame.openMissionPath(writeSampleMission("three.tie"), false));
    editor.viewSwitches.currentOrder = 2;
    editor.mapView.setRegion(1, false);
    editor.store.currentShipgroup = 0;  // a fighter
    ASSERT_TRUE(run(app::cmd::OrdersWizard));
    ui::FormDialog* dlg = frame.forms().dialog(app::form::OrdersWizard);
    ASSERT_NE(dlg, nullptr);
    int running = 0;
    for (QTimer* t : dlg->findChildren<QTimer*>()) running += t->isActive() ? 1 : 0;
    EXPECT_EQ(running, 1);

    editor.mapView.setRegion(3, false);
    auto& w = dynamic_cast<shipgroup::OrdersWizard&>(dlg->model());
    auto settle = [&] {
        for (int i = 0; i < 200 && w.timerInterval() != 0; ++i) w.tick();
    };
    auto press = [&](int kind) {
        for (const auto& b : w.buttons())
            if (b.kind == kind) {
                w.pointer({map::PointerAction::Press, map::PointerButton::Left, false, false,
                           b.x + 7, b.y + 5});
                settle();
                return;
            }
    };
    settle();
    using W = shipgroup::OrdersWizard;
    for (int kind : {W::Next, W::Next, W::Destroy, W::Add, W::Next}) press(kind);
    ASSERT_EQ(w.page(), 12);
    // Order 2 of region 2 (index 1) of shipgroup 0: 202 + 592 + 148.
    EXPECT_EQ(editor.store.byte(mission::Table::Shipgroups, 0, 202 + 592 + 148), 7);
    EXPECT_EQ(editor.store.byte(mission::Table::Shipgroups, 0, 202 + 592 * 3 + 148), 0);
}

// The briefing pictures are drawn before the first paint in briefing mode
// (not at start-up): the technical-data screen shows its picture centred on
// the map from that first paint on.
TEST_F(MainFrameTest, TechnicalDataPictureShowsAtTheFirstBriefingPaint) {
    auto& frame = startShown(1000, 700);
    ASSERT_TRUE(editor.briefing.appendCommand(briefing::BRC_TECH, 0, {1, 0}));
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    QCoreApplication::processEvents();
    const QImage shot = frame.mapWindow()->viewport()->grab().toImage();
    const core::RgbaImage picture = map::technicalDataPicture();
    const int left = shot.width() / 2 - 256, top = shot.height() / 2 - 144;
    int same = 0, all = 0;
    for (int y = 0; y < picture.height; y += 9)
        for (int x = 0; x < picture.width; x += 9, ++all)
            if ((shot.pixel(left + x, top + y) & 0xFFFFFF) == (picture.at(x, y) & 0xFFFFFF)) ++same;
    EXPECT_GT(same, all * 9 / 10) << same << " of " << all;
}
