#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QProgressDialog>
#include <QTest>
#include <filesystem>

#include "MainFrameFixture.h"
#include "support/AnimationFiles.h"
#include "ui/AnimationExporter.h"

namespace quendar::test {
namespace {

// Briefing > Export Animation... through the window: the file, the range
// form, the export on its own thread from a copy (the editor changes the
// briefing meanwhile), the box that counts and cancels, the folder kept for
// the next dialog.
TEST_F(MainFrameTest, ExportAnimationFromTheBriefingMenu) {
    writePreferences();
    const std::string mission = copySample("sample.tie");
    auto& frame = start();
    ASSERT_TRUE(frame.openMissionPath(mission, false));
    const std::string folder = std::filesystem::absolute(mission).parent_path().string();
    ui::AnimationExporter& exporter = *frame.animationExporter();
    QAction* entry = nullptr;
    for (QAction* top : frame.menuBar()->actions())
        if (top->text() == "&Briefing")
            for (QAction* a : top->menu()->actions())
                if (a->text() == "Export &Animation...") entry = a;
    ASSERT_NE(entry, nullptr);
    chooser.saves = {folder + "/run.gif"};
    frame.forms().modalHook = [&](ui::FormDialog& d) {
        EXPECT_EQ(d.model().textOf("to"), "420");
        type(d, "width", "160");
        type(d, "height", "90");
        d.model().click("ok");
    };
    entry->trigger();
    ASSERT_TRUE(exporter.job() && exporter.progressBox());
    EXPECT_FALSE(exporter.progressBox()->isModal());
    editor.briefing.appendCommand(briefing::BRC_LOWER, 1, {0});  // after the copy
    // The box's timer sees the end and lets the job go.
    auto finish = [&] {
        while (exporter.job()) QTest::qWait(20);
    };
    finish();
    EXPECT_EQ(frame.pane(app::Pane::Message)->text().left(41).toStdString(),
              "Exported run.gif: 421 frames, 10 pictures");
    const auto frames = quendar::testing::readGif(folder + "/run.gif");
    ASSERT_EQ(frames.size(), 10u);
    EXPECT_EQ(frames[0].endMs, 143);  // the first text at 20 (the one at 1 came after the copy)

    // Cancelled at once: no file; the dialog starts in the last folder.
    chooser.saves = {folder + "/big.webp"};
    frame.forms().modalHook = [&](ui::FormDialog& d) {
        type(d, "fps", "60");
        type(d, "width", "2000");
        type(d, "height", "1500");
        d.model().click("ok");
    };
    entry->trigger();
    EXPECT_EQ(chooser.requests.back().initialName, folder + "/briefing.webp");
    Q_EMIT exporter.progressBox()->canceled();  // its Cancel button
    finish();
    EXPECT_EQ(frame.pane(app::Pane::Message)->text().toStdString(), "Export of big.webp cancelled");
    EXPECT_FALSE(std::filesystem::exists(folder + "/big.webp"));
}

}  // namespace
}  // namespace quendar::test
