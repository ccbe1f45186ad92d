#include <gtest/gtest.h>

#include "map/FrameScaler.h"

using namespace quendar;
using map::Rect;

namespace {

constexpr uint32_t kBlack = 0xFF000000u, kRed = 0xFFFF0000u, kGreen = 0xFF00FF00u,
                   kBlue = 0xFF0000FFu, kWhite = 0xFFFFFFFFu, kGrey = 0xFF808080u;

// Texts as boxes of 6 × 10 logical pixels per character, drawn at twice the
// resolution into `device`.
struct DeviceBoxes : map::TextPainter {
    void text(int x, int y, std::string_view t, map::Colour colour, const map::Font&,
              const Rect& clip) override {
        const Rect r = textBounds(x, y, t, {}).intersected(clip);
        map::fillRect(*device, 2 * r.x1, 2 * r.y1, 2 * r.x2, 2 * r.y2, colour);
    }
    Rect textBounds(int x, int y, std::string_view t, const map::Font&) override {
        return {x, y, x + 6 * static_cast<int>(t.size()), y + 10};
    }
    map::PixelBuffer* device = nullptr;
};

}  // namespace

// Screen pixels show the logical pixel under their centres: at 150 % every
// other logical pixel takes two screen pixels, at 200 % each takes four. An
// empty pixel (0) skipped leaves the screen pixels under it as they were.
TEST(FrameScaler, EnlargesEachPixelToTheScreenPixelsItCovers) {
    struct Row {
        double scale;
        bool skipEmpty, whole;
        std::vector<uint32_t> logical;  // 4 × 2
        int width;                      // of the screen, which holds 90, 91, ... before
        Rect place;                     // the screen pixels of logical {1, 0, 3, 1}
        std::vector<uint32_t> screen;
    };
    // clang-format off
    const Row rows[] = {
        {1.5, false, false, {1, 2, 3, 4, 5, 6, 7, 8}, 6, {1, 0, 4, 1},
         {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 8, 5, 6, 6, 7, 8, 8}},
        {1.5, true, false, {1, 0, 3, 4, 0, 6, 0, 8}, 6, {1, 0, 4, 1},
         {1, 91, 92, 3, 4, 4, 96, 6, 6, 99, 8, 8, 102, 6, 6, 105, 8, 8}},
        {2.0, false, true, {1, 2, 3, 4, 5, 6, 7, 8}, 8, {2, 0, 6, 2},
         {1, 1, 2, 2, 3, 3, 4, 4, 1, 1, 2, 2, 3, 3, 4, 4, 5, 5, 6, 6, 7, 7, 8, 8, 5, 5, 6, 6, 7, 7, 8, 8}}};
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.scale * 10 + r.skipEmpty);
        map::FrameScaler s;
        s.setSize(4, 2, r.scale);
        const int h = static_cast<int>(r.screen.size()) / r.width;
        ASSERT_EQ(s.deviceWidth(), r.width);
        ASSERT_EQ(s.deviceHeight(), h);
        EXPECT_EQ(s.whole(), r.whole);
        EXPECT_EQ(s.devicePlace({1, 0, 3, 1}), r.place);
        std::vector<uint32_t> logical = r.logical, screen(r.screen.size());
        for (size_t i = 0; i < screen.size(); ++i) screen[i] = 90 + static_cast<uint32_t>(i);
        map::PixelBuffer from{logical.data(), 4, 2, 4}, to{screen.data(), r.width, h, r.width};
        s.enlarge(from, 0, 0, to, {0, 0, 4, 2}, r.skipEmpty);
        EXPECT_EQ(screen, r.screen);
    }
}

// A text drawn at the screen's resolution stays under what was drawn over it
// at 100 %, and over what was drawn before it; a place leaves the rest alone.
TEST(FrameScaler, TextsAreDrawnSharpUnderWhatCoveredThem) {
    DeviceBoxes boxes;
    map::DisplayList list;
    list.reset(40, 30, &boxes);
    list.fill(kBlack);
    list.setPen({kGrey, 1});
    list.line(0, 6, 39, 6);       // under the first text
    list.text(4, 4, "ab", kRed);  // (4, 4) .. (16, 14)
    list.setPen({kGreen, 1, map::PenStyle::None});
    list.setBrush(map::Brush::of(kGreen));
    list.rectangle(10, 8, 20, 20);  // over part of it
    list.text(30, 20, "c", kBlue);  // nothing over it
    std::vector<uint32_t> logical(40 * 30), screen(80 * 60, kWhite);
    map::PixelBuffer frame{logical.data(), 40, 30, 40}, device{screen.data(), 80, 60, 80};
    list.replay(frame, {0, 0, 40, 30}, nullptr);
    boxes.device = &device;
    map::FrameScaler s;
    s.setSize(40, 30, 2.0);
    // Screen pixels after drawing the place {0, 0, 12, 12}, then the whole frame.
    struct {
        bool whole;
        int x, y;
        uint32_t colour;
    } const rows[] = {{false, 8, 8, kRed},     {false, 8, 12, kRed},    {false, 8, 20, kRed},
                      {false, 23, 23, kGreen}, {false, 0, 12, kGrey},   {false, 0, 0, kBlack},
                      {false, 20, 16, kGreen}, {false, 23, 16, kGreen}, {false, 23, 15, kRed},
                      {false, 24, 16, kWhite}, {false, 8, 24, kWhite},  {false, 62, 42, kWhite},
                      {true, 30, 18, kGreen},  {true, 30, 14, kRed},    {true, 62, 42, kBlue},
                      {true, 79, 59, kBlack}};
    for (const bool whole : {false, true}) {
        s.draw(list, frame, device, whole ? Rect{0, 0, 40, 30} : Rect{0, 0, 12, 12}, boxes);
        for (const auto& r : rows)
            EXPECT_TRUE(r.whole != whole || screen[static_cast<size_t>(r.y) * 80 + r.x] == r.colour)
                << r.x << "," << r.y;
    }
}
