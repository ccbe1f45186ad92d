#include "map/BriefingLayer.h"

#include <algorithm>
#include <cmath>

#include "map/IconImages.h"

namespace quendar::map {

using core::rgb;

Colour selectionBoxColour(int iff) {
    switch (iff) {
        case 0: return rgb(0, 155, 0);
        case 1:
        case 4: return rgb(155, 0, 0);
        case 2: return rgb(0, 0, 155);
        case 3: return rgb(155, 155, 0);
        case 5: return rgb(155, 0, 155);
        default: return rgb(155, 155, 155);
    }
}

// Directions 1 and 3 swap the icon's columns and rows; 2 and 3 count them
// from the far side.
PixelPoint turnedIconOffset(int direction, int col, int row, int cols, int rows) {
    switch (direction & 3) {
        case 1: return {row - rows / 2, col - cols / 2};
        case 2: return {(cols - col) - cols / 2, (rows - row) - rows / 2};
        case 3: return {(rows - row) - rows / 2, (cols - col) - cols / 2};
        default: return {col - cols / 2, row - rows / 2};
    }
}

IconImage renderTurnedIcon(const CraftIcon& icon, int iff, int direction, bool boxed) {
    IconImage out;
    if (icon.empty()) return out;
    const int cols = icon.width, rows = icon.height;
    // The offsets are monotonic in col and row, so the corners bound the image.
    const PixelPoint a = turnedIconOffset(direction, 0, 0, cols, rows);
    const PixelPoint b = turnedIconOffset(direction, cols - 1, rows - 1, cols, rows);
    out.offsetX = std::min(a.x, b.x);
    out.offsetY = std::min(a.y, b.y);
    const bool swapped = (direction & 1) != 0;
    out.image = core::RgbaImage(swapped ? rows : cols, swapped ? cols : rows, 0u);
    const Colour box = selectionBoxColour(iff);
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row) {
            const PixelPoint p = turnedIconOffset(direction, col, row, cols, rows);
            const bool clear = icon.transparent(col, row);
            if (clear && !boxed) continue;
            out.image.set(p.x - out.offsetX, p.y - out.offsetY,
                          clear ? box : iconPixelColour(iff, icon.pixel(col, row)));
        }
    return out;
}

const IconImage& BriefingLayer::turned(int craftType, int iff, int direction, bool boxed) {
    const int type = craftType & 0xFF;
    const int iffKey = std::clamp(iff, 0, 6);
    const uint32_t key = (static_cast<uint32_t>(type) << 8) | (static_cast<uint32_t>(iffKey) << 3) |
                         (static_cast<uint32_t>(direction & 3) << 1) | (boxed ? 1u : 0u);
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, renderTurnedIcon(m_icons.icon(type), iffKey, direction, boxed))
                 .first;
    return it->second;
}

bool BriefingLayer::onScreen(double x, double y, const MapView& v) {
    const int W = v.width(), H = v.height();
    return x >= v.scrollX() - W / 2 && x <= v.scrollX() + W && y >= v.scrollY() - H / 2 &&
           y <= v.scrollY() + 2 * H;
}

// A pixel lands at X + offset − scroll, truncated. On the window (where that
// sum is not negative) this is floor(X) + offset − scroll, so the whole icon
// is placed from floor(X).
void BriefingLayer::drawShip(Canvas& c, const briefing::ShipState& s, const MapView& v,
                             bool boxed) {
    const double X = mapPixel(s.x, v.zoom()), Y = mapPixel(s.y, v.zoom());
    if (!onScreen(X, Y, v)) return;
    const IconImage& img = turned(s.craftType, s.iff, s.direction, boxed);
    if (img.image.empty()) return;
    const int x = static_cast<int>(std::floor(X)) - v.scrollX();
    const int y = static_cast<int>(std::floor(Y)) - v.scrollY();
    c.drawImage(x + img.offsetX, y + img.offsetY, img.image);
}

void BriefingLayer::draw(Canvas& c, const briefing::BriefingView& view,
                         const mission::MissionStore& store, const MapView& v) {
    for (const auto& s : view.ships) drawShip(c, s, v, false);
    for (const auto& sel : view.selections) drawShip(c, sel.ship, v, true);
    for (const auto& t : view.tags) {
        const double X = mapPixel(t.x, v.zoom()) - v.scrollX();
        const double Y = mapPixel(t.y, v.zoom()) - v.scrollY();
        // A tag far outside the window is not drawn (its pixel would not fit an int).
        if (std::abs(X) > 1e6 || std::abs(Y) > 1e6) continue;
        c.text(static_cast<int>(X), static_cast<int>(Y), briefingTagText(store, t.tag),
               iffColour(t.colour));
    }
}

BriefingFrame BriefingLayer::frame(const briefing::BriefingView& view,
                                   const mission::MissionStore& store, const MapView& mapView) {
    BriefingFrame f;
    f.technicalData = view.techData;
    f.regionChange = view.regionScreen;
    if (view.bottomText) {
        f.hasCaption = true;
        f.caption = briefingBottomText(store, *view.bottomText);
    }
    f.drawContent = [this, &view, &store, &mapView](Canvas& c) { draw(c, view, store, mapView); };
    return f;
}

namespace {
std::string stringEntry(const mission::MissionStore& store, mission::Table t, int index) {
    if (index < 0 || index >= mission::kBriefingStrings) return {};
    return store.text(t, index, 0, 255);
}
}  // namespace

std::string briefingTagText(const mission::MissionStore& store, int index) {
    return stringEntry(store, mission::Table::Briefing1Tags, index);
}

std::string briefingBottomText(const mission::MissionStore& store, int index) {
    return stringEntry(store, mission::Table::Briefing1Texts, index);
}

}  // namespace quendar::map
