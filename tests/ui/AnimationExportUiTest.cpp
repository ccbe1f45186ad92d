#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QProgressDialog>
#include <QTest>
#include <filesystem>

#include "MainFrameFixture.h"
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
    const auto* menu = qobject_cast<QMenu*>(exporter.action()->associatedObjects().value(0));
    ASSERT_TRUE(menu && menu->title() == "&Briefing");
    using Fields = std::vector<std::pair<const char*, const char*>>;
    auto exportAs = [&](const std::string& name, const Fields& fields) {
        chooser.saves = {folder + "/" + name};
        frame.forms().modalHook = [&, fields](ui::FormDialog& d) {
            EXPECT_EQ(d.model().textOf("to"), "420");
            for (const auto& [field, text] : fields) type(d, field, text);
            d.model().click("ok");
        };
        exporter.action()->trigger();
        ASSERT_TRUE(exporter.job() && exporter.progressBox() && !exporter.progressBox()->isModal());
    };
    auto message = [&] {  // once the box's timer saw the end and let the job go
        while (exporter.job()) QTest::qWait(20);
        return frame.pane(app::Pane::Message)->text().toStdString();
    };
    exportAs("run.gif", {{"width", "160"}, {"height", "90"}});
    editor.briefing.appendCommand(briefing::BRC_LOWER, 1, {0});  // after the copy: not drawn
    EXPECT_EQ(message().substr(0, 41), "Exported run.gif: 421 frames, 10 pictures");

    // Cancelled at once: no file; the dialog starts in the last folder.
    exportAs("big.webp", {{"fps", "60"}, {"width", "2000"}, {"height", "1500"}});
    EXPECT_EQ(chooser.requests.back().initialName, folder + "/briefing.webp");
    Q_EMIT exporter.progressBox()->canceled();  // its Cancel button
    EXPECT_EQ(message(), "Export of big.webp cancelled");
    EXPECT_FALSE(std::filesystem::exists(folder + "/big.webp"));
}

}  // namespace
}  // namespace quendar::test
