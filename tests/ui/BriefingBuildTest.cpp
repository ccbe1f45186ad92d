#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <array>
#include <filesystem>

#include "WindowFixture.h"
#include "app/briefedit/BriefingTools.h"
#include "briefing/StringTableForms.h"
#include "ui/MapWindow.h"

using namespace quendar;
namespace fs = std::filesystem;
using namespace quendar::briefing;

namespace {

// A short briefing built through the window: its tool buttons, the map's
// mouse clicks and the pickers' own Ok buttons.
class BriefingBuildTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        writePreferences();
        makeFrame().forms().modalHook = [this](ui::FormDialog& d) {
            shown.push_back(d.model().title());
            if (d.model().title() == "Rotating craft") d.model().click("rotate");
            if (d.model().title() == "Select text and colour") {
                d.model().choose("tags", 0);
                d.model().choose("colour", 1);
            }
            d.model().click("ok");
        };
        frame->startUp();
        frame->resize(900, 700);
        frame->show();
        QCoreApplication::processEvents();
        vp = frame->mapWindow()->viewport();
    }
    QPoint at(int x, int y) const {
        return {editor.mapView.windowX(static_cast<int16_t>(x)),
                editor.mapView.windowY(static_cast<int16_t>(y))};
    }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) {
        QTest::mouseClick(vp, b, Qt::NoModifier, p);
    }
    std::array<int, kKindCount> counts() const {
        std::array<int, kKindCount> c{};
        for (int k = 0; k < kKindCount; ++k) c[k] = editor.briefing.count(static_cast<Kind>(k));
        return c;
    }

    QWidget* vp = nullptr;
    std::vector<std::string> shown;
};

}  // namespace

TEST_F(BriefingBuildTest, ShowMoveRotateSelectTagZoomEndMarkUndoSaveReopen) {
    run(app::cmd::BriefingMode);
    ASSERT_TRUE(editor.viewSwitches.briefingMode);

    // A new ship: right click with the show-ship tool, Select ship's Ok.
    run(app::cmd::ShowShip);
    EXPECT_EQ(editor.mapTool, 200);
    click(at(300, 300), Qt::RightButton);
    ASSERT_EQ(editor.briefing.count(BRC_SHOW), 1);
    EXPECT_EQ(shown.back(), "Select ship");
    EXPECT_EQ(editor.briefing.record(BRC_SHOW, 0).param(0), 0);
    EXPECT_EQ(editor.briefing.record(BRC_SHOW, 0).param(1), 1);
    EXPECT_EQ(editor.mapTool, 0);

    // Simple moving from time 0 to 20, towards 200 units to the right.
    run(app::cmd::MoveShip);
    core::FormModel* wizard = frame->openForm(app::form::MotionWizard);
    ASSERT_NE(wizard, nullptr);
    click(at(0, 0));
    wizard->choose("motion", 1);
    editor.briefing.setCurrentTime(20);
    click(at(200, 0));
    ASSERT_EQ(editor.briefing.count(BRC_COORD), 20);
    EXPECT_EQ(editor.briefing.record(BRC_COORD, 0).param(1), 0);
    EXPECT_GT(editor.briefing.record(BRC_COORD, 19).param(1), 150);
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    EXPECT_EQ(frame->openForm(app::form::MotionWizard), nullptr) << "the wizard closes itself";

    // Back at time 0 the ship stands at (0, 0): rotate it, select it.
    editor.briefing.setCurrentTime(0);
    run(app::cmd::RotateCraft);
    click(at(0, 0));
    ASSERT_EQ(editor.briefing.count(BRC_ORIENT), 1);
    EXPECT_EQ(editor.briefing.record(BRC_ORIENT, 0).param(1), 1);
    run(app::cmd::AddSelection);
    run(app::cmd::Waypoint1);  // slot 1
    EXPECT_EQ(editor.mapTool, 401);
    click(at(0, 0));
    ASSERT_EQ(editor.briefing.count(BRC_SELECT1), 1);

    // A tag in slot 2 with the tag and colour chosen first.
    setBriefingString(editor.store, StringTable::Tags, 0, "Convoy");
    run(app::cmd::AddTexts);
    run(app::cmd::Waypoint2);
    EXPECT_EQ(editor.mapTool, 412);
    click(at(100, 100));
    ASSERT_EQ(editor.briefing.count(BRC_TAG2), 1);
    EXPECT_EQ(editor.briefing.record(BRC_TAG2, 0).param(3), 1);

    run(app::cmd::ZoomBriefing);
    EXPECT_EQ(editor.briefing.count(BRC_ZOOM), 1);
    editor.briefing.setCurrentTime(40);
    run(app::cmd::EndMark);
    EXPECT_EQ(editor.briefing.briefingLength(), 40);

    // Undo takes back the tag, redo brings it again.
    run(app::cmd::BriefingUndo);
    EXPECT_EQ(editor.briefing.count(BRC_TAG2), 0);
    run(app::cmd::BriefingRedo);
    EXPECT_EQ(editor.briefing.count(BRC_TAG2), 1);

    const auto before = counts();
    const std::string path = (m_dir / "built.tie").string();
    editor.store.missionPath = path;
    run(app::cmd::Save);
    ASSERT_TRUE(fs::exists(path));
    ASSERT_TRUE(frame->openMissionPath(path, false));
    EXPECT_EQ(counts(), before);
    EXPECT_EQ(editor.briefing.briefingLength(), 40);
    EXPECT_EQ(briefingString(editor.store, StringTable::Tags, 0), "Convoy");
}

// The Motion Wizard is one of the frame's forms: Open and New close it with
// the others, before the mission it points into is replaced.
TEST_F(BriefingBuildTest, OpenAndNewCloseTheMotionWizard) {
    const std::string sample = writeSampleMission("wizard.tie");
    run(app::cmd::BriefingMode);
    const std::function<void()> replaceMission[] = {
        [&] {
            chooser.opens.push_back(sample);
            run(app::cmd::Open);
            EXPECT_EQ(editor.store.missionPath, sample);
        },
        [&] {
            prompter.answers = {core::Answer::Ok};
            run(app::cmd::New);
            EXPECT_EQ(editor.store.shipgroupCount, 1);
        },
    };
    for (const auto& replace : replaceMission) {
        run(app::cmd::MoveShip);
        ASSERT_NE(frame->openForm(app::form::MotionWizard), nullptr);
        replace();
        EXPECT_EQ(frame->openForm(app::form::MotionWizard), nullptr);
    }
}
