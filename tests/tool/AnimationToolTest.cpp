// `render --briefing --animate` run as a whole process; its frames read back
// and compared with the single pictures `render --briefing --time` draws.
#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>

#include "app/animation/AnimationExport.h"
#include "app/files/MissionIO.h"
#include "support/AnimationFiles.h"
#include "support/TempDir.h"
#include "tool/ToolRun.h"

namespace {

namespace fs = std::filesystem;
using namespace quendar;
using namespace quendar::briefing;

class AnimationToolTest : public ::testing::Test {
  protected:
    quendar::testing::TempDir temp{"quendar-tool-animation"};
    std::string mission = temp / "b.tie";

    void SetUp() override {
        app::Editor e;
        e.craftListPath = "";
        app::resetEditorToNewMission(e);
        const std::tuple<Kind, int32_t, std::vector<int>> commands[] = {
            {BRC_ZOOM, 10, {300, 300}},      {BRC_SHOW, 20, {7, 12, 2}},
            {BRC_COORD, 30, {7, -320, 160}}, {BRC_ORIENT, 40, {7, 3}},
            {BRC_TAG6, 50, {3, -20, 40, 5}}, {BRC_LOWER, 60, {2}},
            {BRC_SELECT2, 65, {7}},          {BRC_REGION, 80, {1}}};
        for (const auto& [kind, time, p] : commands) e.briefing.appendCommand(kind, time, p);
        e.briefing.setBriefingEndTime(90);
        ASSERT_TRUE(mission::writeFileAtomic(mission, app::buildMissionImage(e)));
    }
    int render(const std::string& in, const std::string& out, const std::string& args) {
        return quendar::testing::tool("render " + in + " " + out + " --briefing " + args +
                                      " --size 320x200 --icons " + QUENDAR_DATA_DIR +
                                      "/iconslist.dat")
            .exitCode;
    }
    std::vector<uint32_t> single(int32_t time) {
        const std::string png = temp / ("t" + std::to_string(time) + ".png");
        EXPECT_EQ(render(mission, png, "--time " + std::to_string(time)), 0);
        const QImage image =
            QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        const auto* bits = reinterpret_cast<const uint32_t*>(image.constBits());
        return {bits, bits + image.width() * image.height()};
    }
};

// Frame k of an export is the picture of time T_k; the merged frames last as
// long as the frames they stand for (WebP in milliseconds, GIF in hundredths).
TEST_F(AnimationToolTest, EveryFrameIsTheSinglePictureOfItsTime) {
    const app::FrameSchedule schedule({5, 90, 7});
    for (const std::string name : {"a.webp", "a.gif"}) {
        SCOPED_TRACE(name);
        const int unit = name == "a.gif" ? 10 : 1;  // ms per step of the file's clock
        auto at = [&](int k) { return (schedule.startMs(k) + unit / 2) / unit; };
        ASSERT_EQ(render(mission, temp / name, "--animate --fps 7 --from 5 --to 90"), 0);
        const auto frames = quendar::testing::readFrames(temp / name);
        ASSERT_TRUE(frames.size() >= 6 && frames.size() < size_t(schedule.frameCount()));
        int start = 0, k = 0;
        for (const auto& f : frames) {
            while (k < schedule.frameCount() && at(k) < start) ++k;
            ASSERT_EQ(at(k), start) << "no frame starts there";
            EXPECT_TRUE(f.picture.pixels == single(schedule.briefingTime(k))) << "frame " << k;
            start = f.end;
        }
        EXPECT_EQ(start, at(schedule.frameCount()));
    }
}

TEST_F(AnimationToolTest, RefusalsExitWithTwoAndWriteNothing) {
    // clang-format off
    const std::tuple<const char*, const char*, int> rows[] = {
        {"--from 10 --to 9", "a.webp", 2},  {"--fps 0", "d.gif", 2},   {"", "h.png", 2},
        {"--from 10 --to 10", "b.webp", 0}, {"--fps 1", "e.gif", 0},   {"", "none/i.webp", 2},
        {"--fps 60 --to 3", "g.webp", 0},   {"--fps 61", "f.webp", 2}, {"--from -1", "c.webp", 2}};
    // clang-format on
    for (const auto& [args, name, exitCode] : rows) {
        EXPECT_EQ(render(mission, temp / name, std::string("--animate ") + args), exitCode) << name;
        EXPECT_EQ(fs::exists(temp / name), exitCode == 0) << name;
    }
    EXPECT_EQ(render(temp / "missing.tie", temp / "j.webp", "--animate"), 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 4)
        << "the mission, three animations and no temporary file";
}

}  // namespace
