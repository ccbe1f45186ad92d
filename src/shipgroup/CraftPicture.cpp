#include "shipgroup/CraftPicture.h"

#include <algorithm>
#include <cmath>

#include "shipgroup/CodeTables.h"

namespace quendar::shipgroup {

using core::rgb;
using core::RgbaImage;

namespace {
constexpr uint32_t kBackground = rgb(8, 10, 24);

uint32_t hashOf(int n) {
    uint32_t h = static_cast<uint32_t>(n) * 2654435761u;
    h ^= h >> 15;
    h *= 2246822519u;
    return h ^ (h >> 13);
}

bool isEmptyPixel(uint32_t p) { return (p & 0xFF000000u) == 0 || (p & 0x00FFFFFFu) == 0; }

// A top-down silhouette, mirrored about the horizontal centre line: a hull
// whose length, width and wing span follow bits of the type's hash.
RgbaImage silhouette(int craftType) {
    RgbaImage img(kPictureWidth, kPictureHeight, kBackground);
    const uint32_t h = hashOf(craftType + 1);
    const int len = 40 + static_cast<int>(h % 60);          // hull length
    const int half = 3 + static_cast<int>((h >> 8) % 10);   // hull half-width
    const int span = 6 + static_cast<int>((h >> 16) % 26);  // wing half-span
    const int wingAt = static_cast<int>((h >> 24) % 3);     // wing position along the hull
    const int x0 = (kPictureWidth - len) / 2;
    const int cy = kPictureHeight / 2;
    const uint32_t hull = rgb(150 + (h & 0x3F), 160, 175);
    const uint32_t wing = rgb(90, 105 + ((h >> 4) & 0x3F), 130);
    for (int x = 0; x < len; ++x) {
        // The nose tapers over the first third of the hull.
        const int w = x < len / 3 ? std::max(1, half * x * 3 / std::max(1, len)) : half;
        for (int dy = -w; dy <= w; ++dy) img.set(x0 + x, cy + dy, hull);
    }
    const int wx = x0 + len / 4 + wingAt * len / 6;
    const int chord = std::max(4, len / 5);
    for (int dy = half; dy <= span; ++dy) {
        const int sweep = (dy - half) / 2;
        for (int x = 0; x < chord; ++x) {
            const int px = std::min(kPictureWidth - 1, wx + sweep + x);
            img.set(px, std::clamp(cy + dy, 0, kPictureHeight - 1), wing);
            img.set(px, std::clamp(cy - dy, 0, kPictureHeight - 1), wing);
        }
    }
    // A cockpit light on the hull's centre line.
    img.set(x0 + len / 3, cy, rgb(250, 220, 120));
    return img;
}

// A shaded sphere whose colour follows the backdrop number.
RgbaImage backdropPicture(int backdrop) {
    RgbaImage img(kPictureWidth, kPictureHeight, kBackground);
    const uint32_t h = hashOf(backdrop + 1000);
    const int r0 = 60 + static_cast<int>(h % 196), g0 = 60 + static_cast<int>((h >> 8) % 196),
              b0 = 60 + static_cast<int>((h >> 16) % 196);
    constexpr int kLeft = 32, kTop = 20, kSize = 50;
    const double c = (kSize - 1) / 2.0, rad = kSize / 2.0;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const double dx = x - c, dy = y - c;
            const double d = std::sqrt(dx * dx + dy * dy);
            if (d > rad) continue;
            // Light from the upper left.
            const double shade =
                std::clamp(1.0 - (std::hypot(dx + rad / 2, dy + rad / 2) / (rad * 2)), 0.15, 1.0);
            img.set(kLeft + x, kTop + y,
                    rgb(static_cast<int>(r0 * shade), static_cast<int>(g0 * shade),
                        static_cast<int>(b0 * shade)));
        }
    return img;
}
}  // namespace

RgbaImage enlargeIcon(const RgbaImage& icon) {
    RgbaImage img(kPictureWidth, kPictureHeight, kBackground);
    if (icon.empty()) return img;
    // Small icons grow by the largest whole factor that fits (crisp pixels);
    // icons larger than the frame shrink to fit it.
    const int whole = std::min(kPictureWidth / icon.width, kPictureHeight / icon.height);
    const double scale = whole >= 1 ? whole
                                    : std::min(static_cast<double>(kPictureWidth) / icon.width,
                                               static_cast<double>(kPictureHeight) / icon.height);
    const int w = std::clamp(static_cast<int>(icon.width * scale), 1, kPictureWidth);
    const int hgt = std::clamp(static_cast<int>(icon.height * scale), 1, kPictureHeight);
    const int ox = (kPictureWidth - w) / 2, oy = (kPictureHeight - hgt) / 2;
    for (int y = 0; y < hgt; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = std::min(icon.width - 1, static_cast<int>((x + 0.5) / scale));
            const int sy = std::min(icon.height - 1, static_cast<int>((y + 0.5) / scale));
            const uint32_t p = icon.at(sx, sy);
            if (!isEmptyPixel(p)) img.set(ox + x, oy + y, p | 0xFF000000u);
        }
    return img;
}

RgbaImage craftPicture(const ShipgroupContext& ctx, int craftType, int backdrop) {
    if (craftType == kBackdropCraft) return backdropPicture(backdrop);
    const RgbaImage icon = ctx.port.craftIcon(craftType);
    if (!icon.empty()) return enlargeIcon(icon);
    return silhouette(craftType);
}

}  // namespace quendar::shipgroup
