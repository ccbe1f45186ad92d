#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QMenu>
#include <QToolBar>
#include <filesystem>
#include <fstream>

#include "WindowFixture.h"
#include "ui/FrameSettings.h"

using namespace quendar;
namespace fs = std::filesystem;

namespace {

// Two sessions of the editor sharing one settings file, in a working folder
// of their own.
class RecentMenuTest : public test::WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        // The checks before saving show their own box; they have tests of
        // their own, and here a Save must show no form.
        writePreferences([](core::DisplaySettings& s) { s.runEccBeforeSave = 0; });
    }

    ui::CMainFrame& start() {
        restart();
        makeFrame([this](ui::FrameOptions& o) {
            o.settingsFile = QString::fromStdString((m_dir / "Quendar.conf").string());
        });
        // qd.dat is there, so no form may appear; one that does is closed.
        frame->forms().modalHook = [](ui::FormDialog& d) {
            ADD_FAILURE() << "unexpected form " << d.model().title();
            d.reject();
        };
        frame->pictureHook = [](QDialog& d) {
            ADD_FAILURE() << "unexpected first-run picture";
            d.reject();
        };
        frame->restoreLayout();
        frame->startUp();
        return *frame;
    }

    // The entries of the recent submenu above its separator.
    std::vector<QAction*> entries() {
        frame->recentMenu()->rebuild();
        std::vector<QAction*> out;
        for (QAction* a : frame->recentMenu()->menu()->actions()) {
            if (a->isSeparator()) break;
            out.push_back(a);
        }
        return out;
    }

    QAction* command(const char* text) {
        for (QAction* a : frame->recentMenu()->menu()->actions())
            if (a->text() == text) return a;
        return nullptr;
    }

    static std::string bytes(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), {}};
    }
};

}  // namespace

TEST_F(RecentMenuTest, OpenedAndSavedMissionsAndTheLayoutOutliveARestart) {
    const std::string raid = writeMission("raid.tie");
    const std::string patrol = writeMission("patrol.tie");
    const std::string qdBefore = bytes(m_dir / "qd.dat");

    auto& first = start();
    ASSERT_NE(first.recentMenu(), nullptr);
    EXPECT_TRUE(entries().size() == 1 && !entries()[0]->isEnabled()) << "only the empty-list line";

    chooser.opens.push_back(raid);
    first.action(app::cmd::Open)->trigger();
    chooser.saves.push_back((m_dir / "copy.tie").string());
    first.action(app::cmd::SaveAs)->trigger();
    chooser.opens.push_back(patrol);
    first.action(app::cmd::Open)->trigger();
    chooser.opens.push_back((m_dir / "nowhere.tie").string());
    first.action(app::cmd::Open)->trigger();  // fails: not listed

    auto list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[0]->text().startsWith("&1 patrol.tie"));
    EXPECT_TRUE(list[1]->text().startsWith("&2 copy.tie"));
    EXPECT_TRUE(list[2]->text().startsWith("&3 raid.tie"));

    // A layout of the user's own: smaller window, control bar on the left.
    first.show();
    first.resize(640, 480);
    first.addToolBar(Qt::LeftToolBarArea, first.toolbar(app::kControlBar));
    QCoreApplication::processEvents();
    ASSERT_TRUE(first.close());

    // Second session: the layout and the list are back; a deleted file greys.
    fs::remove(m_dir / "copy.tie");
    auto& second = start();
    EXPECT_EQ(second.size(), QSize(640, 480));
    EXPECT_EQ(second.toolBarArea(second.toolbar(app::kControlBar)), Qt::LeftToolBarArea);
    list = entries();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_TRUE(list[0]->isEnabled());
    EXPECT_FALSE(list[1]->isEnabled()) << "copy.tie is gone";
    EXPECT_TRUE(list[2]->isEnabled());

    // Choosing an entry asks before discarding the mission, then opens it.
    prompter.shown.clear();
    list[2]->trigger();
    EXPECT_EQ(editor.store.missionPath, raid);
    ASSERT_EQ(prompter.shown.size(), 1u);
    EXPECT_EQ(prompter.shown[0].text, "Are you sure?");
    QCoreApplication::processEvents();
    list = entries();
    EXPECT_TRUE(list[0]->text().startsWith("&1 raid.tie"));

    ASSERT_NE(command("Remove Missing Entries"), nullptr);
    ASSERT_TRUE(command("Remove Missing Entries")->isEnabled());
    command("Remove Missing Entries")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(second.recentMenu()->list().paths(), (std::vector<std::string>{raid, patrol}));

    // The window's own settings never reach the preferences file.
    EXPECT_EQ(bytes(m_dir / "qd.dat"), qdBefore);
    EXPECT_TRUE(fs::exists(m_dir / "Quendar.conf"));
}

TEST_F(RecentMenuTest, WithoutASettingsFileNothingIsKept) {
    // The window of the tests (and of any caller without a file) writes none.
    app::Editor e;
    ui::FrameOptions o;
    o.prompter = &prompter;
    o.chooser = &chooser;
    o.showSplash = false;
    ui::CMainFrame frame(e, o);
    EXPECT_FALSE(frame.restoreLayout());
    frame.recentMenu()->add(writeMission("kept.tie"));
    EXPECT_EQ(frame.recentMenu()->list().paths().size(), 1u);
    EXPECT_EQ(std::distance(fs::directory_iterator(m_dir), fs::directory_iterator()), 2)
        << "qd.dat and kept.tie only";
}
