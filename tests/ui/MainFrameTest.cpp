// The window's start-up, its files and preferences, as a user drives them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>
#include <filesystem>
#include <iostream>

#include "MainFrameFixture.h"
#include "app/files/PreferencesFile.h"
#include "ui/CSliderBar.h"

using namespace quendar;
namespace fs = std::filesystem;
using core::Answer;
using test::MainFrameTest;

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
    writePreferences();
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
    writePreferences();
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

TEST_F(MainFrameTest, DroppedMissionOpensAfterTheNewQuestion) {
    writePreferences();
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
    writePreferences();
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

TEST_F(MainFrameTest, ScreenshotWithSampleMission) {
    // The sample mission bundled with the editor, opened from a copy.
    auto& frame = startShown(1200, 800);
    ASSERT_TRUE(frame.openMissionPath(copySample("lantern-run.tie"), false));
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
