#include "WindowFixture.h"

#include <QAction>

#include "QtTestApp.h"
#include "app/files/FileCommands.h"
#include "app/files/PreferencesFile.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::test {

namespace fs = std::filesystem;

namespace {

std::string folderPrefix() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    return std::string("quendar-ui-") + (info ? info->test_suite_name() : "window");
}

}  // namespace

WindowTest::WindowTest()
    : m_temp(folderPrefix()), m_session(std::in_place), editor(*m_session), m_dir(m_temp.path()) {}

void WindowTest::SetUp() {
    qtApp();
    m_previous = fs::current_path();
    fs::current_path(m_dir);
}

void WindowTest::TearDown() {
    frame.reset();
    fs::current_path(m_previous);
}

void WindowTest::writePreferences(const std::function<void(core::DisplaySettings&)>& edit) {
    core::DisplaySettings s;
    if (edit) edit(s);
    ASSERT_TRUE(app::writePreferencesFile("qd.dat", s, prompter));
}

ui::CMainFrame& WindowTest::makeFrame(const std::function<void(ui::FrameOptions&)>& edit) {
    frame.reset();
    ui::FrameOptions o;
    o.dataDir = QUENDAR_DATA_DIR;
    o.prompter = &prompter;
    o.chooser = &chooser;
    o.showSplash = false;
    if (edit) edit(o);
    frame = std::make_unique<ui::CMainFrame>(editor, o);
    return *frame;
}

void WindowTest::restart() {
    frame.reset();
    // The same storage holds the new editor, so `editor` names it.
    m_session.emplace();
}

std::string WindowTest::copySample(const std::string& name) {
    const fs::path path = m_dir / name;
    fs::copy_file(fs::path(QUENDAR_DATA_DIR) / "samples" / "lantern-run.tie", path);
    return path.string();
}

std::string WindowTest::writeMission(const std::string& name,
                                     const std::function<void(app::Editor&)>& fill) {
    app::Editor e;
    quendar::testing::ScriptedPrompter quiet;
    app::newMission(e, quiet, false);
    if (fill) fill(e);
    e.store.missionPath = (m_dir / name).string();
    EXPECT_TRUE(app::saveMission(e, quiet));
    return e.store.missionPath;
}

std::string WindowTest::writeSampleMission(const std::string& name) {
    return writeMission(name, [](app::Editor& e) {
        const char* names[] = {"Red Lancers", "Ore Hauler", "Picket Station"};
        e.store.shipgroupCount = 3;
        for (int i = 0; i < 3; ++i) {
            mission::ShipgroupRecord r(e.store, i);
            r.setName(names[i]);
            r.set(mission::sg::craftType, static_cast<uint8_t>(1 + i * 3));
            r.set(mission::sg::iff, static_cast<uint8_t>(i % 2));
            r.setStartPoint(0, {(i - 1) * 400, (i % 2) * 300 - 150, 0, 1});
        }
    });
}

bool WindowTest::trigger(app::CommandId id) {
    frame->updateCommandStates();
    QAction* a = frame->action(id);
    if (!a || !a->isEnabled()) return false;
    a->trigger();
    return true;
}

}  // namespace quendar::test
