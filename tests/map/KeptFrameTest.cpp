#include <gtest/gtest.h>

#include "map/KeptFrame.h"
#include "mission/ShipgroupRecord.h"
#include "support/MapScene.h"

using namespace quendar;
namespace sg = mission::sg;

namespace {

// Texts as filled boxes of 6 × 10 pixels per character, so that labels held
// to the window's edges leave visible traces when they are not redrawn.
struct BoxTexts : map::TextPainter {
    void text(int x, int y, std::string_view t, map::Colour colour, const map::Font&,
              const map::Rect& clip) override {
        const map::Rect r = textBounds(x, y, t, {}).intersected(clip);
        map::PixelBuffer b = kept ? kept->frameIn(*target) : *target;
        map::fillRect(b, r.x1, r.y1, r.x2, r.y2, colour);
    }
    map::Rect textBounds(int x, int y, std::string_view t, const map::Font&) override {
        return {x, y, x + 6 * static_cast<int>(t.size()), y + 10};
    }
    map::PixelBuffer* target = nullptr;
    const map::KeptFrame* kept = nullptr;  // when set, `target` is its area
};

map::CraftIcon wedge(int seed) {
    map::CraftIcon icon;
    icon.width = icon.height = 40;
    for (int col = 0; col < 40; ++col)
        for (int row = 0; row < 40; ++row) {
            const bool on = std::abs(col - 20) <= row / 2 + seed % 3;
            const auto b = static_cast<uint8_t>(on ? (col * 5 + row + seed) | 1 : 0);
            icon.bytes.insert(icon.bytes.end(), {b, b, b});
        }
    return icon;
}

struct Scene : quendar::testing::MapScene {
    // Shipgroups with icons and paths spread over the window and beyond its
    // edges (points that leave the window on the left or at the top change
    // their pixel position with the scroll), every kind of label on.
    explicit Scene(int zoom) {
        sizeView(320, 200);
        while (view.zoom() < zoom) view.wheel(1, false);
        while (view.zoom() > zoom) view.wheel(-1, false);
        view.centre(false);
        settings.showHorizontalLabels = settings.showVerticalLabels = 1;
        settings.verticalLabelPosition = 2;
        switches.showOrderWaypoints = {true, true, false, false};
        switches.showIffWaypoints = {true, true, true, true, true, true};
        switches.currentOrder = 1;
        store.shipgroupCount = 14;
        for (int i = 0; i < 14; ++i) {
            icons.setIcon(i, wedge(i));
            mission::ShipgroupRecord r(store, i);
            r.set(sg::craftType, static_cast<uint8_t>(i));
            r.set(sg::iff, static_cast<uint8_t>(i % 6));
            r.setStartPoint(0, {-170 + i * 27, -110 + (i * 53) % 220, 0, 1});
            for (int k = 0; k < 5; ++k)
                r.setWaypoint(
                    0, i % 2, k,
                    {-260 + (i * 97 + k * 61) % 520, -170 + (i * 41 + k * 37) % 340, 0, 1});
        }
    }
    map::PaintInput input() const { return {store, settings, view, switches, nullptr}; }
};

}  // namespace

// After every scroll step the kept frame must hold exactly the pixels of a
// whole paint of the same view: steps in all four directions, across the
// window's edges, and at the ends of the scroll range where a step stops short;
// in an image of the frame's size and in one with a margin, where the frame
// moves and now and then reaches the image's edge.
TEST(KeptFrame, ScrolledFramesEqualWholePaints) {
    struct Row {
        const char* what;
        int zoom, startX, startY;  // start: offset from the centred view (or far: the range's end)
        int stepX, stepY, steps;
    } rows[] = {
        {"right", 240, 0, 0, 10, 0, 6},
        {"left", 240, 0, 0, -10, 0, 6},
        {"down", 240, 0, 0, 0, 10, 6},
        {"up", 240, 0, 0, 0, -10, 6},
        {"diagonal, zoom 60", 60, 0, 0, 7, -3, 6},
        {"left end", 100, -99999, 0, -10, 0, 3},
        {"right end", 100, 99999, 0, 10, 0, 3},
        {"top end", 100, 0, -99999, 0, -10, 3},
        {"bottom end", 100, 0, 99999, 0, 10, 3},
    };
    for (const Row& row : rows)
        for (const int margin : {0, 13}) {
            Scene s(row.zoom);
            s.view.setScroll(s.view.scrollX() + row.startX, s.view.scrollY() + row.startY);
            const int areaW = 320 + 2 * margin, areaH = 200 + 2 * margin;
            core::RgbaImage area(areaW, areaH, 0), whole(320, 200, 0);
            map::PixelBuffer areaPixels{area.pixels.data(), areaW, areaH, areaW};
            map::PixelBuffer wholePixels{whole.pixels.data(), 320, 200, 320};
            map::KeptFrame frame, fresh;
            BoxTexts texts;
            texts.kept = &frame;
            texts.target = &areaPixels;
            BoxTexts freshTexts;
            freshTexts.target = &wholePixels;
            frame.paint(s.renderer, s.input(), areaPixels, 320, 200, texts);
            int scrolled = 0;
            for (int k = 0; k < row.steps; ++k) {
                s.view.setScroll(s.view.scrollX() + row.stepX, s.view.scrollY() + row.stepY);
                scrolled += frame.paint(s.renderer, s.input(), areaPixels, 320, 200, texts) ==
                            map::KeptFrame::Paint::Scrolled;
                fresh.invalidate();
                fresh.paint(s.renderer, s.input(), wholePixels, freshTexts);
                const map::PixelBuffer kept = frame.frameIn(areaPixels);
                int differing = 0;
                for (int y = 0; y < 200; ++y)
                    for (int x = 0; x < 320; ++x)
                        differing += kept.bits[y * kept.stride + x] != whole.pixels[y * 320 + x];
                ASSERT_EQ(differing, 0) << row.what << ", margin " << margin << ", step " << k;
            }
            EXPECT_GT(scrolled, 0) << row.what << ": the frame was never moved";
        }
}

// A change of the mission between two paints without a scroll redraws where
// it changed; a new icon table redraws everything.
TEST(KeptFrame, ChangesAndNewIconsAreDrawn) {
    Scene s(100);
    core::RgbaImage kept(320, 200, 0);
    map::PixelBuffer pixels{kept.pixels.data(), 320, 200, 320};
    BoxTexts texts;
    texts.target = &pixels;
    map::KeptFrame frame;
    frame.paint(s.renderer, s.input(), pixels, texts);
    mission::ShipgroupRecord(s.store, 3).setStartPoint(0, {40, 30, 0, 1});
    EXPECT_EQ(frame.paint(s.renderer, s.input(), pixels, texts), map::KeptFrame::Paint::Scrolled);
    core::RgbaImage whole(320, 200, 0);
    map::PixelBuffer wholePixels{whole.pixels.data(), 320, 200, 320};
    texts.target = &wholePixels;
    map::KeptFrame().paint(s.renderer, s.input(), wholePixels, texts);
    EXPECT_TRUE(kept.pixels == whole.pixels);
    s.renderer.iconsChanged();
    texts.target = &pixels;
    EXPECT_EQ(frame.paint(s.renderer, s.input(), pixels, texts), map::KeptFrame::Paint::Whole);
}

// Two threads draw the pixels one thread draws, texts included (each thread
// with its own painter): replaying a recorded list within the whole frame,
// places of odd heights (one row: the upper half is empty) and places that
// overlap; and drawing while a fresh list is being recorded (its tables move
// while the worker reads them), over rounds in which the threads' shares change.
TEST(ReplayWorker, TwoThreadsDrawWhatOneDraws) {
    Scene s(240);
    BoxTexts texts, workerTexts;
    map::DisplayList list;
    list.reset(320, 200, &texts);
    s.renderer.paint(list, s.input());
    map::ReplayWorker worker(0);
    const core::RgbaImage blank(320, 200, 0xFF123456);
    // One thread replays `places`; `two` draws the same into another image.
    auto check = [&](const std::vector<map::Rect>& places, const auto& two,
                     const std::string& what) {
        core::RgbaImage one = blank, other = blank;
        map::PixelBuffer onePixels{one.pixels.data(), 320, 200, 320};
        map::PixelBuffer otherPixels{other.pixels.data(), 320, 200, 320};
        texts.target = &onePixels;
        for (const map::Rect& r : places) list.replay(onePixels, r, &texts);
        texts.target = workerTexts.target = &otherPixels;
        two(otherPixels);
        EXPECT_TRUE(one.pixels == other.pixels) << what;
        EXPECT_FALSE(one.pixels == blank.pixels) << what;
    };
    const std::vector<std::vector<map::Rect>> cases = {
        {{0, 0, 320, 200}},
        {{5, 7, 300, 8}, {0, 0, 320, 3}, {17, 40, 211, 177}},
        {{0, 50, 320, 151}, {100, 0, 200, 200}},
    };
    for (size_t k = 0; k < cases.size(); ++k)
        check(
            cases[k],
            [&](map::PixelBuffer& b) { worker.replay(list, b, cases[k], &texts, &workerTexts); },
            "replay, case " + std::to_string(k));
    for (int round = 0; round < 4; ++round)
        for (const map::Rect place :
             {map::Rect{0, 0, 320, 200}, map::Rect{0, 99, 320, 100}, map::Rect{31, 12, 250, 190}})
            check(
                {place},
                [&](map::PixelBuffer& b) {
                    map::DisplayList fresh;
                    fresh.reset(320, 200, &texts);
                    worker.recordAndReplay(
                        fresh, [&] { s.renderer.paint(fresh, s.input()); }, b, place, &texts,
                        &workerTexts);
                    EXPECT_EQ(fresh.size(), list.size());
                },
                "while recording, round " + std::to_string(round) + ", row " +
                    std::to_string(place.y1));
}
