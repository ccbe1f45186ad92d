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

TEST(AnimationExport, FrameScheduleRangeChecksAndFormats) {
    constexpr auto W = AnimationFormat::WebP, G = AnimationFormat::Gif;
    // A range, its frame count; frame k, its time and start; when the last one ends.
    // clang-format off
    const std::tuple<AnimationRange, int, int, int32_t, int64_t, int64_t> rows[] = {
        {{0, 420, 14}, 421, 420, 420, 30000, 30071}, {{0, 420, 7}, 211, 210, 420, 30000, 30142},
        {{0, 420, 30}, 903, 902, 420, 30066, 30100}, {{10, 10, 1}, 1, 0, 10, 0, 1000},
        {{0, 13, 1}, 1, 0, 0, 0, 1000},              {{0, 14, 1}, 2, 1, 14, 1000, 2000},
        {{0, 0, 60}, 5, 4, 0, 66, 83},               {{5, 20, 60}, 69, 5, 6, 83, 1150}};
    const std::pair<AnimationRange, bool> checks[] = {
        {{0, 0, 1}, true},    {{0, 0, 0}, false},  {{0, 0, 60}, true},     {{0, 0, 61}, false},
        {{-1, 5, 14}, false}, {{5, 4, 14}, false}, {{0, 65534, 14}, true}, {{0, 65535, 14}, false}};
    const std::pair<const char*, std::optional<AnimationFormat>> names[] = {
        {"a.webp", W},           {"a.webpx", {}},  {"dir/B.GIF", G}, {"a.gif.part", {}},
        {"../v1.2/run.x.Gif", G}, {"a.webp/b", {}}, {"webp", {}},     {"a.png", {}}};
    // clang-format on
    for (const auto& [range, frames, k, time, ms, endMs] : rows) {
        const FrameSchedule s(range);
        SCOPED_TRACE(range.from * 1000 + range.to + range.fps * 1000000);
        EXPECT_EQ(s.frameCount(), frames);
        EXPECT_EQ(s.briefingTime(k), time);
        EXPECT_EQ(s.startMs(k), ms);
        EXPECT_EQ(s.startMs(frames), endMs);
    }
    for (const auto& [range, ok] : checks) {  // and no frames when it cannot be exported
        EXPECT_EQ(animationRangeProblem(range).empty(), ok) << range.from << " " << range.to;
        EXPECT_EQ(FrameSchedule(range).frameCount() > 0, ok) << range.from << " " << range.to;
    }
    for (const auto& [name, format] : names) EXPECT_EQ(animationFormatOf(name), format) << name;
}

// Paints each view in one colour from its bottom text and ship count; texts 1
// and 2 look alike, so a change between them draws the same picture.
class AnimationFiles : public ::testing::Test, public FramePainter {
  protected:
    quendar::testing::TempDir temp{"quendar-animation"};
    mission::MissionStore store;
    BriefingModel briefing{store};
    AnimationProgress progress;
    core::RgbaImage image{6, 4};
    std::vector<int32_t> paintedAt;
    std::function<void()> after;

    void SetUp() override {
        briefing.appendCommand(BRC_LOWER, 3, {1});
        briefing.appendCommand(BRC_LOWER, 6, {2});
        briefing.appendCommand(BRC_SHOW, 9, {4, 12, 1});
    }
    FramePixels paint(const BriefingView& v) override {
        paintedAt.push_back(v.time);
        const int text = std::min(v.bottomText.value_or(0), 1) * 40;
        image.pixels.assign(image.pixels.size(), core::rgb(text, int(v.ships.size()) * 100, 7));
        if (after) after();
        return {image.pixels.data(), image.width, image.height};
    }
    AnimationOutcome run(const std::string& name, AnimationRange range = {0, 11, 14}) {
        return exportAnimation(briefing, *this, range, *animationFormatOf(name), temp / name,
                               progress);
    }
};

// Times 0..11 at 14 frames per second: three pictures, 0..2, 3..8 (two texts
// that look alike) and 9..11, each as long as its frames together (WebP in ms,
// GIF in hundredths). A GIF paints twice: it counts the colours first.
TEST_F(AnimationFiles, StillFramesMergeIntoOneLongerFrame) {
    const uint32_t looks[] = {core::rgb(0, 0, 7), core::rgb(40, 0, 7), core::rgb(40, 100, 7)};
    const std::tuple<const char*, std::array<int, 3>, std::vector<int32_t>> cases[] = {
        {"a.webp", {214, 642, 857}, {0, 3, 6, 9}},
        {"a.gif", {21, 64, 86}, {0, 3, 6, 9, 0, 3, 6, 9}}};
    for (const auto& [name, ends, paints] : cases) {
        SCOPED_TRACE(name);
        paintedAt.clear();
        const AnimationOutcome o = run(name);
        ASSERT_EQ(o.status, Status::Written) << o.message;
        EXPECT_EQ(std::tie(o.frames, o.pictures), std::make_tuple(12, 3));
        EXPECT_EQ(paintedAt, paints);  // only views that changed
        EXPECT_EQ(progress.done, progress.total);
        const auto frames = quendar::testing::readFrames(temp / name);
        ASSERT_EQ(frames.size(), 3u);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(frames[i].end, ends[i]);
            EXPECT_EQ(frames[i].picture.pixels, std::vector<uint32_t>(24, looks[i]));
        }
    }
}

// Beyond 256 colours the most used ones make the palette and a rare colour
// is drawn in the one nearest in all three channels.
TEST_F(AnimationFiles, GifPaletteKeepsTheMostUsedColoursAndTakesTheNearest) {
    // clang-format off
    const std::pair<uint32_t, uint32_t> rare[] = {
        {core::rgb(0, 80, 0), core::rgb(0, 90, 0)},   {core::rgb(0, 0, 80), core::rgb(0, 0, 90)},
        {core::rgb(200, 9, 0), core::rgb(200, 0, 0)}, {core::rgb(10, 0, 3), core::rgb(10, 0, 0)}};
    // clang-format on
    image = core::RgbaImage(258, 2);
    after = [&] {
        for (int x = 0; x < 512; ++x)  // 256 colours, each twice
            image.set(x % 256, x / 256,
                      x % 256 < 254 ? core::rgb(x % 256, 0, 0)
                                    : core::rgb(0, (1 - x % 2) * 90, x % 2 * 90));
        for (int i = 0; i < 4; ++i) image.set(256 + i % 2, i / 2, rare[i].first);
    };
    ASSERT_EQ(run("m.gif", {0, 0, 14}).status, Status::Written);
    for (int i = 0; i < 4; ++i) image.set(256 + i % 2, i / 2, rare[i].second);
    const auto g = quendar::testing::readFrames(temp / "m.gif");
    ASSERT_EQ(g.size(), 1u);
    EXPECT_EQ(g[0].picture.pixels, image.pixels);
}

// A cancel (midway or at the last picture) or a picture of another size leaves
// the old file as it was and no other; a missing folder fails before any paint.
TEST_F(AnimationFiles, CancelAndFailuresLeaveNoFile) {
    // The picture that cancels, the one of another size (0: none); times 0..9.
    const std::tuple<std::string, size_t, size_t> rows[] = {{"c.webp", 2, 0}, {"c.gif", 2, 0},
                                                            {"l.webp", 4, 0}, {"l.gif", 8, 0},
                                                            {"s.webp", 0, 2}, {"s.gif", 0, 2}};
    for (const auto& [name, cancelAt, otherAt] : rows) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(mission::writeFileAtomic(temp / name, std::vector<uint8_t>{1, 2, 3}));
        paintedAt.clear();
        progress.cancel = false;
        after = [&, c = cancelAt, o = otherAt] {
            progress.cancel = paintedAt.size() == c;
            image = core::RgbaImage(paintedAt.size() == o ? 5 : 6, 4);
        };
        EXPECT_EQ(run(name, {0, 9, 14}).status, cancelAt ? Status::Cancelled : Status::Failed);
        EXPECT_EQ(mission::readWholeFile(temp / name), (std::vector<uint8_t>{1, 2, 3}));
        EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
        fs::remove(temp / name);
    }
    paintedAt.clear();
    const AnimationOutcome missing = run("none/a.webp");
    EXPECT_EQ(missing.status, Status::Failed);
    EXPECT_NE(missing.message.find("none/a.webp"), std::string::npos);
    EXPECT_TRUE(paintedAt.empty());
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
    EXPECT_EQ(AnimationExportForm(420, 800, 600).textOf("note"), "421 frames, 30.0 seconds");
    const std::tuple<const char*, const char*, bool> typed[] = {
        {"from", "-1", false}, {"from", "420", true},      {"to", "x", false},
        {"fps", "61", false},  {"fps", "60", true},        {"width", "0", false},
        {"width", "1", true},  {"height", "16385", false}, {"height", "16384", true}};
    for (const auto& [field, text, ok] : typed) {
        AnimationExportForm f(420, 800, 600);
        f.type(field, text);
        f.click("ok");
        EXPECT_EQ(f.accepted, ok) << field << " " << text;
    }
}

}  // namespace
