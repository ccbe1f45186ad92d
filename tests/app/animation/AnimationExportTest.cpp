#include <gtest/gtest.h>

#include <filesystem>

#include "app/animation/AnimationJob.h"
#include "support/AnimationFiles.h"
#include "support/TempDir.h"

namespace {

using namespace quendar;
using namespace quendar::app;
using namespace quendar::briefing;
namespace fs = std::filesystem;
using Status = AnimationOutcome::Status;

TEST(AnimationExport, FrameScheduleAndRangeChecks) {
    struct Row {
        AnimationRange range;
        int frames, probe;       // frame count; a frame to look at
        int32_t probeTime;       // the briefing time it shows
        int64_t probeMs, endMs;  // when it starts; when the last frame ends
    };
    // clang-format off
    const Row rows[] = {
        {{0, 420, 14}, 421, 420, 420, 30000, 30071}, {{0, 420, 7}, 211, 210, 420, 30000, 30142},
        {{0, 420, 30}, 903, 902, 420, 30066, 30100}, {{10, 10, 1}, 1, 0, 10, 0, 1000},
        {{0, 13, 1}, 1, 0, 0, 0, 1000},              {{0, 14, 1}, 2, 1, 14, 1000, 2000},
        {{0, 0, 60}, 5, 4, 0, 66, 83},               {{5, 20, 60}, 69, 5, 6, 83, 1150},
    };
    // clang-format on
    for (const Row& r : rows) {
        const FrameSchedule s(r.range);
        SCOPED_TRACE(r.range.from * 1000 + r.range.to + r.range.fps * 1000000);
        EXPECT_EQ(s.frameCount(), r.frames);
        EXPECT_EQ(s.briefingTime(r.probe), r.probeTime);
        EXPECT_GT(s.briefingTime(r.frames), r.range.to);
        EXPECT_EQ(s.startMs(r.probe), r.probeMs);
        EXPECT_EQ(s.startMs(r.frames), r.endMs);
    }
    // clang-format off
    const std::pair<AnimationRange, bool> checks[] = {
        {{0, 0, 1}, true},   {{0, 0, 0}, false},  {{0, 0, 60}, true},     {{0, 0, 61}, false},
        {{-1, 5, 14}, false}, {{5, 4, 14}, false}, {{0, 65534, 14}, true}, {{0, 65535, 14}, false}};
    // clang-format on
    for (const auto& [range, ok] : checks)
        EXPECT_EQ(animationRangeProblem(range).empty(), ok) << range.from << " " << range.to;
    EXPECT_EQ(FrameSchedule({5, 4, 14}).frameCount(), 0);

    EXPECT_EQ(animationFormatOf("a.webp"), AnimationFormat::WebP);
    EXPECT_EQ(animationFormatOf("dir/B.GIF"), AnimationFormat::Gif);
    for (const char* name : {"a.png", "webp", "a.webp/b", "a.gif.part", "a.webpx"})
        EXPECT_FALSE(animationFormatOf(name)) << name;
}

// Paints each view in one colour from its bottom text and ship count; texts 1
// and 2 look alike, so a change between them draws the same picture.
struct FlatPainter : FramePainter {
    core::RgbaImage image{6, 4};
    std::vector<int32_t> paintedAt;
    std::function<void()> after;
    FramePixels paint(const BriefingView& v) override {
        paintedAt.push_back(v.time);
        const int text = v.bottomText.value_or(0);
        std::fill(image.pixels.begin(), image.pixels.end(),
                  core::rgb(text == 2 ? 40 : text * 40, int(v.ships.size()) * 100, 7));
        if (after) after();
        return {image.pixels.data(), image.width, image.height};
    }
};

class AnimationFiles : public ::testing::Test {
  protected:
    quendar::testing::TempDir temp{"quendar-animation"};
    mission::MissionStore store;
    BriefingModel briefing{store};
    FlatPainter painter;
    AnimationProgress progress;

    void SetUp() override {
        briefing.appendCommand(BRC_LOWER, 3, {1});
        briefing.appendCommand(BRC_LOWER, 6, {2});
        briefing.appendCommand(BRC_SHOW, 9, {4, 12, 1});
    }
    AnimationOutcome run(const std::string& name, FramePainter* p = nullptr,
                         AnimationRange range = {0, 11, 14}) {
        return exportAnimation(briefing, p ? *p : painter, range, *animationFormatOf(name),
                               temp / name, progress);
    }
};

// Times 0..11 at 14 frames per second: three pictures, 0..2, 3..8 (two texts
// that look alike) and 9..11, each as long as its frames together (WebP in
// milliseconds, GIF in hundredths).
TEST_F(AnimationFiles, StillFramesMergeIntoOneLongerFrame) {
    const uint32_t looks[] = {core::rgb(0, 0, 7), core::rgb(40, 0, 7), core::rgb(40, 100, 7)};
    struct Case {
        const char* name;
        std::array<int, 3> ends;
        size_t paints;  // a GIF looks at the colours first
    };
    for (const Case& c : {Case{"a.webp", {214, 642, 857}, 4}, Case{"a.gif", {21, 64, 86}, 8}}) {
        painter.paintedAt.clear();
        const AnimationOutcome o = run(c.name);
        ASSERT_EQ(o.status, Status::Written) << o.message;
        EXPECT_EQ(o.frames, 12);
        EXPECT_EQ(o.pictures, 3);
        EXPECT_EQ(painter.paintedAt.size(), c.paints);  // only views that changed
        EXPECT_EQ(painter.paintedAt[3], 9);
        EXPECT_EQ(progress.done, progress.total);
        const auto frames = c.ends[0] > 100 ? quendar::testing::readWebp(temp / c.name)
                                            : quendar::testing::readGif(temp / c.name);
        ASSERT_EQ(frames.size(), 3u) << c.name;
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(frames[i].endMs, c.ends[i]) << c.name;
            EXPECT_EQ(frames[i].picture.pixels, std::vector<uint32_t>(24, looks[i])) << c.name;
        }
    }
}

// Beyond 256 colours the most used ones make the palette and a rare colour
// is drawn in the nearest of them.
TEST_F(AnimationFiles, GifPaletteKeepsTheMostUsedColoursAndTakesTheNearest) {
    painter.image = core::RgbaImage(258, 2);
    painter.after = [&] {
        for (int x = 0; x < 256; ++x) painter.image.set(x, 0, core::rgb(x, 0, 0));
        for (int x = 0; x < 256; ++x) painter.image.set(x, 1, core::rgb(x, 0, 0));
        painter.image.set(256, 0, core::rgb(10, 0, 3));
        painter.image.set(257, 0, core::rgb(200, 9, 0));
    };
    ASSERT_EQ(run("m.gif", nullptr, {0, 0, 14}).status, Status::Written);
    const auto g = quendar::testing::readGif(temp / "m.gif");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].picture.at(100, 1), core::rgb(100, 0, 0));
    EXPECT_EQ(g[0].picture.at(256, 0), core::rgb(10, 0, 0));
    EXPECT_EQ(g[0].picture.at(257, 0), core::rgb(200, 0, 0));
}

// Cancel or a frame of another size midway leaves the file already there as
// it was and no other; a folder that is not there fails before any paint.
TEST_F(AnimationFiles, CancelAndFailuresLeaveNoFile) {
    for (const char* name : {"c.webp", "c.gif", "s.webp", "s.gif"}) {
        SCOPED_TRACE(name);
        const bool cancel = name[0] == 'c';
        ASSERT_TRUE(mission::writeFileAtomic(temp / name, std::vector<uint8_t>{1, 2, 3}));
        painter.paintedAt.clear();
        painter.image = core::RgbaImage(6, 4);
        painter.after = [&] {
            if (painter.paintedAt.size() != 2) return;
            progress.cancel = cancel;
            if (!cancel) painter.image = core::RgbaImage(5, 4);
        };
        EXPECT_EQ(run(name).status, cancel ? Status::Cancelled : Status::Failed);
        EXPECT_EQ(mission::readWholeFile(temp / name), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
        fs::remove(temp / name);
        progress.cancel = false;
    }
    painter.paintedAt.clear();
    const AnimationOutcome missing = run("none/a.webp");
    EXPECT_EQ(missing.status, Status::Failed);
    EXPECT_NE(missing.message.find("none/a.webp"), std::string::npos);
    EXPECT_TRUE(painter.paintedAt.empty());
}

// The editor's export draws from a copy: later edits do not reach it.
TEST(AnimationSnapshot, CopiesTheBriefingAndKeepsItWhileTheEditorGoesOn) {
    Editor editor;
    editor.briefing.appendCommand(BRC_SHOW, 5, {3, 40, 2});
    editor.briefing.appendCommand(BRC_COORD, 8, {3, -700, 320});
    editor.briefing.appendCommand(BRC_ZOOM, 9, {300, 300});
    editor.briefing.appendCommand(BRC_TAG2, 12, {4, -20, 40, 5});
    editor.briefing.setBriefingEndTime(77);
    editor.icons.setIcon(40, {2, 1, {1, 2, 3, 4, 5, 6}});
    const BriefingSnapshot copy(editor);
    editor.briefing.appendCommand(BRC_SHOW, 6, {3, 41, 1});
    editor.icons.setIcon(40, {});

    EXPECT_EQ(copy.briefing.briefingEndTime(), 77);
    EXPECT_EQ(copy.icons.icon(40).bytes, (std::vector<uint8_t>{1, 2, 3, 4, 5, 6}));
    const BriefingView v = briefingViewAt(copy.briefing, 20);
    EXPECT_EQ(v.ships, (std::vector<ShipState>{{3, 40, 2, -700, 320, 0}}));
    EXPECT_EQ(v.lockedView.zoom, 44);
    EXPECT_EQ(v.tags, (std::vector<TagState>{{2, 4, -20, 40, 5}}));
}

TEST(AnimationExportForm, DefaultsToTheWholeBriefingAndRefusesBadNumbers) {
    const std::pair<const char*, const char*> bad[] = {
        {"from", "-1"}, {"to", "x"}, {"fps", "61"}, {"width", "0"}, {"height", "16385"}};
    for (const auto& [field, text] : bad) {
        AnimationExportForm f(420, 800, 600);
        f.type(field, text);
        f.click("ok");
        EXPECT_FALSE(f.accepted) << field;
    }
    AnimationExportForm form(420, 800, 600);
    EXPECT_EQ(form.textOf("note"), "421 frames, 30.0 seconds");
    form.type("fps", "7");
    form.type("width", "16384");
    form.click("ok");
    EXPECT_TRUE(form.accepted);
    EXPECT_EQ(form.width(), 16384);
}

}  // namespace
