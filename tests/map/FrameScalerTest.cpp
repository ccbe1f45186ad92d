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
// other logical pixel takes two screen pixels.
TEST(FrameScaler, EnlargesEachPixelToTheScreenPixelsItCovers) {
    map::FrameScaler s;
    s.setSize(4, 2, 1.5);
    ASSERT_EQ(s.deviceWidth(), 6);
    ASSERT_EQ(s.deviceHeight(), 3);
    EXPECT_FALSE(s.whole());
    EXPECT_EQ(s.devicePlace({1, 0, 3, 1}), (Rect{1, 0, 4, 1}));
    uint32_t logical[] = {1, 2, 3, 4, 5, 6, 7, 8}, screen[18] = {};
    map::PixelBuffer from{logical, 4, 2, 4}, to{screen, 6, 3, 6};
    s.enlarge(from, 0, 0, to, {0, 0, 4, 2}, false);
    const uint32_t want[] = {1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 8, 5, 6, 6, 7, 8, 8};
    for (int i = 0; i < 18; ++i) EXPECT_EQ(screen[i], want[i]) << i;
    s.setSize(3, 1, 2.0);
    EXPECT_TRUE(s.whole());
    EXPECT_EQ(s.devicePlace({1, 0, 3, 1}), (Rect{2, 0, 6, 2}));
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
    s.draw(list, frame, device, {0, 0, 12, 12}, boxes);
    auto at = [&](int x, int y) { return screen[static_cast<size_t>(y) * 80 + x]; };
    struct {
        int x, y;
        uint32_t colour;
    } rows[] = {{8, 8, kRed},   {8, 12, kRed},    {8, 20, kRed},    {23, 23, kGreen},
                {0, 12, kGrey}, {0, 0, kBlack},   {20, 16, kGreen}, {23, 16, kGreen},
                {23, 15, kRed}, {24, 16, kWhite}, {8, 24, kWhite},  {62, 42, kWhite}};
    for (const auto& r : rows) EXPECT_EQ(at(r.x, r.y), r.colour) << r.x << "," << r.y;
    s.draw(list, frame, device, {0, 0, 40, 30}, boxes);
    EXPECT_EQ(at(30, 18), kGreen);
    EXPECT_EQ(at(30, 14), kRed);
    EXPECT_EQ(at(62, 42), kBlue);
    EXPECT_EQ(at(79, 59), kBlack);
}
