#include <gtest/gtest.h>

#include <QWheelEvent>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "QtTestApp.h"
#include "app/files/FileCommands.h"
#include "app/mapedit/MapTools.h"
#include "app/files/PreferencesFile.h"
#include "mission/FileIO.h"
#include "mission/ShipgroupRecord.h"
#include "shipgroup/OrdersWizard.h"
#include "support/ScriptedUi.h"
#include "ui/CMainFrame.h"
#include "ui/CSliderBar.h"
#include "ui/MapWindow.h"
#include "ui/QtPlaybackTimer.h"

using namespace quendar;
namespace fs = std::filesystem;
using core::Answer;

namespace {

// Each test runs in a working folder of its own, as the editor would.
class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::qtApp();
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        m_dir = fs::temp_directory_path() / (std::string("quendar_ui_") + info->name());
        fs::remove_all(m_dir);
        fs::create_directories(m_dir);
        m_previous = fs::current_path();
        fs::current_path(m_dir);
    }
    void TearDown() override {
        m_frame.reset();
        fs::current_path(m_previous);
        fs::remove_all(m_dir);
    }

    void writeValidPreferences() {
        core::DisplaySettings s;
        ASSERT_TRUE(app::writePreferencesFile("qd.dat", s, prompter));
    }

    ui::CMainFrame& start() {
        ui::FrameOptions o;
        o.dataDir = QUENDAR_DATA_DIR;
        o.prompter = &prompter;
        o.chooser = &chooser;
        o.showSplash = false;
        m_frame = std::make_unique<ui::CMainFrame>(editor, o);
        m_frame->forms().modalHook = [this](ui::FormDialog& d) {
            formsShown.push_back(d.model().title());
            d.model().click("ok");
        };
        m_frame->pictureHook = [this](QDialog& d) {
            formsShown.push_back("first-run picture");
            d.accept();
        };
        m_frame->startUp();
        return *m_frame;
    }

    bool run(int id) {
        m_frame->updateCommandStates();
        QAction* a = m_frame->action(id);
        if (!a || !a->isEnabled()) return false;
        a->trigger();
        return true;
    }

    // A small mission written by the editor's own writer: three shipgroups.
    std::string writeSampleMission(const std::string& name) {
        app::Editor e;
        quendar::testing::ScriptedPrompter quiet;
        app::newMission(e, quiet, false);
        const char* names[] = {"Red Lancers", "Ore Hauler", "Picket Station"};
        e.store.shipgroupCount = 3;
        for (int i = 0; i < 3; ++i) {
            mission::ShipgroupRecord r(e.store, i);
            r.setName(names[i]);
            r.set(mission::sg::craftType, static_cast<uint8_t>(1 + i * 3));
            r.set(mission::sg::iff, static_cast<uint8_t>(i % 2));
            r.setStartPoint(0, {(i - 1) * 400, (i % 2) * 300 - 150, 0, 1});
        }
        e.store.missionPath = (m_dir / name).string();
        EXPECT_TRUE(app::saveMission(e, quiet));
        return e.store.missionPath;
    }

    static std::vector<uint8_t> bytes(const std::string& path) {
        std::ifstream f(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }

    app::Editor editor;
    quendar::testing::ScriptedPrompter prompter;
    quendar::testing::ScriptedChooser chooser;
    std::vector<std::string> formsShown;
    fs::path m_dir, m_previous;
    std::unique_ptr<ui::CMainFrame> m_frame;
};

}  // namespace

TEST_F(MainFrameTest, FirstStartShowsFiveFormsInOrderThenWritesQdDat) {
    ASSERT_FALSE(fs::exists("qd.dat"));
    auto& frame = start();
    EXPECT_EQ(
        (std::vector<std::string>{"first-run picture", "Quendar Preferences",
                                  "Coordinates Properties", "Map Properties", "Axis properties"}),
        formsShown);
    ASSERT_TRUE(fs::exists("qd.dat"));
    EXPECT_EQ(fs::file_size("qd.dat"), 36u) << "magic, empty folder, 29 settings";
    EXPECT_EQ(frame.windowTitle(), "Quendar - Vexion Mission Editor");
    // The craft list came from the installed data folder.
    EXPECT_TRUE(editor.craftList.loaded());

    // The next start finds qd.dat and asks nothing.
    formsShown.clear();
    start();
    EXPECT_TRUE(formsShown.empty());
}

TEST_F(MainFrameTest, OpenSaveNewAndFailedOpenThroughTheWindow) {
    writeValidPreferences();
    const std::string sample = writeSampleMission("sample.tie");
    auto& frame = start();

    chooser.opens.push_back(sample);
    ASSERT_TRUE(run(app::cmd::Open));
    EXPECT_EQ(frame.windowTitle().toStdString(), "Quendar - " + sample);
    EXPECT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_EQ(frame.selector()->count(), 3);
    EXPECT_EQ(frame.selector()->itemText(2), "Picket Station");
    ASSERT_FALSE(chooser.requests.empty());
    EXPECT_EQ(chooser.requests.back().filter, "Mission Files (*.tie)|*.tie|All Files (*.*)|*.*||");

    const std::string copy = (m_dir / "copy.tie").string();
    chooser.saves.push_back(copy);
    ASSERT_TRUE(run(app::cmd::SaveAs));
    EXPECT_EQ(frame.windowTitle().toStdString(), "Quendar - " + copy);
    EXPECT_EQ(bytes(copy), bytes(sample)) << "open then save reproduces the file";

    // A file that cannot be read keeps the previous mission, its path and title.
    const size_t messages = prompter.shown.size();
    chooser.opens.push_back((m_dir / "missing.tie").string());
    run(app::cmd::Open);
    ASSERT_EQ(prompter.shown.size(), messages + 1);
    EXPECT_EQ(prompter.shown.back().caption, "Cannot open file");
    EXPECT_EQ(frame.windowTitle().toStdString(), "Quendar - " + copy);
    EXPECT_EQ(editor.store.missionPath, copy);
    EXPECT_EQ(editor.store.shipgroupCount, 3);

    // Save writes to the mission's own path.
    fs::remove(copy);
    ASSERT_TRUE(run(app::cmd::Save));
    EXPECT_EQ(bytes(copy), bytes(sample));

    // New asks first; Cancel keeps the mission, OK replaces it.
    prompter.answers = {Answer::Cancel};
    run(app::cmd::New);
    EXPECT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_EQ(prompter.shown.back().caption, "Discard last mission");
    prompter.answers = {Answer::Ok};
    run(app::cmd::New);
    EXPECT_EQ(editor.store.shipgroupCount, 1);
    EXPECT_EQ(frame.windowTitle(), "Quendar - noname.tie");
    EXPECT_EQ(frame.selector()->count(), 1);
}

TEST_F(MainFrameTest, ExitThenCancelKeepsEverything) {
    writeValidPreferences();
    const std::string sample = writeSampleMission("keep.tie");
    auto& frame = start();
    frame.show();
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    const QString title = frame.windowTitle();

    prompter.answers = {Answer::Cancel};
    run(app::cmd::Exit);
    EXPECT_EQ(prompter.shown.back().text, "Are you sure?");
    EXPECT_EQ(prompter.shown.back().caption, "Exit");
    EXPECT_EQ(prompter.shown.back().buttons, core::Buttons::OkCancel);
    EXPECT_TRUE(frame.isVisible());
    EXPECT_EQ(frame.windowTitle(), title);
    EXPECT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_TRUE(frame.toolbar(app::kMapToolbar)->isVisible());

    prompter.answers = {Answer::Ok};
    run(app::cmd::Exit);
    EXPECT_FALSE(frame.isVisible());
}

TEST_F(MainFrameTest, BriefingModeBarsZoomAndLockRefusals) {
    writeValidPreferences();
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
    frame.commands().find(app::cmd::System1 + 2)->execute();
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
    writeValidPreferences();
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
    writeValidPreferences();
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
    writeValidPreferences();
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

TEST_F(MainFrameTest, ScreenshotWithSampleMission) {
    writeValidPreferences();
    // The sample mission bundled with the editor, opened from a copy.
    const std::string sample = (m_dir / "lantern-run.tie").string();
    fs::copy_file(fs::path(QUENDAR_DATA_DIR) / "samples" / "lantern-run.tie", sample);
    auto& frame = start();
    frame.resize(1200, 800);
    frame.show();
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    EXPECT_EQ(editor.store.shipgroupCount, 10);
    EXPECT_EQ(frame.selector()->itemText(0), "Red Lantern");
    QCoreApplication::processEvents();
    const QImage shot = frame.grab().toImage();
    ASSERT_FALSE(shot.isNull());
    const QString out =
        QDir(QCoreApplication::applicationDirPath()).absoluteFilePath("../quendar-mainframe.png");
    ASSERT_TRUE(shot.save(out));
    std::cout << "screenshot: " << QDir::cleanPath(out).toStdString() << "\n";

    // Two of the shipgroup forms, as the binder lays them out.
    const QDir build(QCoreApplication::applicationDirPath() + "/..");
    for (auto [id, key, file] :
         {std::tuple{app::cmd::Basic, app::form::Basic, "quendar-form-basic.png"},
          std::tuple{app::cmd::Shipgroups, app::form::Shipgroups, "quendar-form-shipgroups.png"}}) {
        ASSERT_TRUE(run(id));
        ui::FormDialog* d = frame.forms().dialog(key);
        ASSERT_NE(d, nullptr);
        QCoreApplication::processEvents();
        ASSERT_TRUE(d->grab().toImage().save(build.absoluteFilePath(file)));
    }

    // The same window in briefing mode, with the three briefing bars.
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    QCoreApplication::processEvents();
    ASSERT_TRUE(
        frame.grab().toImage().save(QDir(QCoreApplication::applicationDirPath())
                                        .absoluteFilePath("../quendar-mainframe-briefing.png")));
}

TEST_F(MainFrameTest, DroppedMissionOpensAfterTheNewQuestion) {
    writeValidPreferences();
    const std::string sample = writeSampleMission("dropped.tie");
    auto& frame = start();
    frame.show();
    auto drop = [&](const QString& path) {
        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(path)});
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &enter);
        const bool accepted = enter.isAccepted();
        QDropEvent dropEvent(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton,
                             Qt::NoModifier);
        QCoreApplication::sendEvent(&frame, &dropEvent);
        QCoreApplication::processEvents();
        return accepted;
    };
    EXPECT_FALSE(drop(QString::fromStdString((m_dir / "notes.txt").string())));
    EXPECT_EQ(editor.store.shipgroupCount, 1);

    prompter.answers = {Answer::Cancel};
    EXPECT_TRUE(drop(QString::fromStdString(sample)));
    EXPECT_EQ(prompter.shown.back().caption, "Discard last mission");
    EXPECT_EQ(editor.store.shipgroupCount, 1);
    prompter.answers = {Answer::Ok};
    drop(QString::fromStdString(sample));
    EXPECT_EQ(editor.store.shipgroupCount, 3);
    EXPECT_EQ(frame.windowTitle().toStdString(), "Quendar - " + sample);
}

TEST_F(MainFrameTest, PreferencesThroughTheWindowRewriteQdDat) {
    writeValidPreferences();
    auto& frame = start();
    fs::remove("qd.dat");
    // Cancel after a click: the check box keeps its change, qd.dat is rewritten.
    frame.forms().modalHook = [](ui::FormDialog& d) {
        qobject_cast<QAbstractButton*>(d.widgetFor("ecc"))->click();
        qobject_cast<QAbstractButton*>(d.widgetFor("cancel"))->click();
    };
    ASSERT_TRUE(run(app::cmd::Preferences));
    EXPECT_EQ(editor.settings.runEccBeforeSave, 0);
    ASSERT_TRUE(fs::exists("qd.dat"));
    core::DisplaySettings reread;
    app::readPreferencesFile("qd.dat", reread);
    EXPECT_EQ(reread.runEccBeforeSave, 0);

    // The display dialogs write their settings as they change, then qd.dat.
    frame.forms().modalHook = [](ui::FormDialog& d) {
        auto radios = d.widgetFor("axisMode")->findChildren<QAbstractButton*>();
        ASSERT_EQ(radios.size(), 3);
        radios[1]->click();  // "Y-Z" is the second entry and stores 2
        d.model().click("ok");
    };
    ASSERT_TRUE(run(app::cmd::AxisProperties));
    EXPECT_EQ(editor.settings.projection, 2);
    app::readPreferencesFile("qd.dat", reread);
    EXPECT_EQ(reread.projection, 2);
    EXPECT_TRUE(frame.action(app::cmd::ViewYZ)->isChecked());
}

TEST_F(MainFrameTest, SplashShowsDuringStartUpAndClosesAtItsEnd) {
    ui::FrameOptions o;
    o.dataDir = QUENDAR_DATA_DIR;
    o.prompter = &prompter;
    o.chooser = &chooser;
    ui::CMainFrame frame(editor, o);
    auto splashes = [] {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->windowFlags().testFlag(Qt::SplashScreen) && w->isVisible()) ++n;
        return n;
    };
    int duringStartUp = -1;
    // The first-run picture comes up in the middle of start-up.
    frame.pictureHook = [&](QDialog& d) {
        duringStartUp = splashes();
        d.accept();
    };
    frame.forms().modalHook = [](ui::FormDialog& d) { d.model().click("ok"); };
    frame.startUp();
    QCoreApplication::processEvents();
    EXPECT_EQ(duringStartUp, 1);
    EXPECT_EQ(splashes(), 0);
}

// The sample's briefing played in the window: the timer moves the time and
// the map shows the briefing's ships.
TEST_F(MainFrameTest, BriefingPlaysInTheWindow) {
    writeValidPreferences();
    const std::string sample = (m_dir / "lantern-run.tie").string();
    fs::copy_file(fs::path(QUENDAR_DATA_DIR) / "samples" / "lantern-run.tie", sample);
    auto& frame = start();
    frame.resize(1000, 700);
    frame.show();
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    ASSERT_TRUE(run(app::cmd::BriefingMode));
    EXPECT_EQ(frame.mapView().zoom(), 40) << "the sample's briefing zooms to 40 at time 0";
    frame.updateCommandStates();
    EXPECT_FALSE(frame.action(app::kUndoCommand)->isEnabled()) << "nothing to undo";

    ASSERT_TRUE(run(32854));  // next action: the ships appear at 14
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

    ASSERT_TRUE(run(32800));  // play
    EXPECT_TRUE(frame.playbackTimer().running());
    EXPECT_EQ(frame.playbackTimer().interval(), 56);
    QTest::qWait(400);
    EXPECT_GT(editor.briefing.currentTime(), 16);
    ASSERT_TRUE(run(32801));  // stop
    EXPECT_FALSE(frame.playbackTimer().running());
}

TEST_F(MainFrameTest, TypingIsOneUndoStepAndTheTitleMarksTheChange) {
    writeValidPreferences();
    const std::string sample = writeSampleMission("three.tie");
    auto& frame = start();
    ASSERT_TRUE(frame.openMissionPath(sample, false));
    const QString clean = QString::fromStdString("Quendar - " + sample);
    EXPECT_EQ(frame.windowTitle(), clean);
    EXPECT_EQ(frame.action(app::cmd::Undo)->shortcuts(), QList<QKeySequence>{QKeySequence("Ctrl+Z")});
    EXPECT_EQ(frame.action(app::cmd::Redo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")}));

    ASSERT_TRUE(run(app::cmd::Basic));
    auto* name = qobject_cast<QLineEdit*>(
        frame.forms().dialog(app::form::Basic)->widgetFor("name"));
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
}

// The Orders wizard runs on its dialog's one timer, and writes into the
// region and order slot the map showed when it opened.
TEST_F(MainFrameTest, OrdersWizardRunsOnOneTimerAndKeepsTheRegionItOpenedIn) {
    writeValidPreferences();
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
