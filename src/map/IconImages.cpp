#include "map/IconImages.h"

#include <algorithm>

#include "map/PixelOps.h"

namespace quendar::map {

using core::rgb;

Colour iffColour(int iff) {
    switch (iff) {
        case 0: return rgb(0, 255, 0);
        case 1:
        case 4: return rgb(255, 0, 0);
        case 2: return rgb(0, 0, 255);
        case 3: return rgb(255, 255, 0);
        case 5: return rgb(255, 0, 255);
        default: return rgb(255, 255, 255);
    }
}

Colour iconPixelColour(int iff, const uint8_t* b) {
    const int r = 255 - b[0], g = 255 - b[1], bl = 255 - b[2];
    switch (iff) {
        case 0: return rgb(0, g, 0);
        case 1:
        case 4: return rgb(r, 0, 0);
        case 2: return rgb(0, 0, bl);
        case 3: return rgb(r, g, 0);
        case 5: return rgb(r, 0, bl);
        default: return rgb(r, g, bl);
    }
}

int iconOffsetX(int col, int width, int zoom) {
    if (zoom > 100) return col - width / 2;
    return (col * zoom) / 100 - ((width * zoom) / 100) / 2;
}

int iconOffsetY(int row, int height, int zoom) {
    if (zoom > 100) return row - height / 2;
    return (row * zoom) / 100 - ((3 * height * zoom) / 100 / 3) / 2;
}

void drawIconPixelByPixel(Canvas& canvas, const CraftIcon& icon, int iff, int zoom, int cx,
                          int cy) {
    if (icon.empty()) return;
    for (int col = 0; col < icon.width; ++col)
        for (int row = 0; row < icon.height; ++row) {
            if (icon.transparent(col, row)) continue;
            canvas.setPixel(cx + iconOffsetX(col, icon.width, zoom),
                            cy + iconOffsetY(row, icon.height, zoom),
                            iconPixelColour(iff, icon.pixel(col, row)));
        }
}

IconImage renderIconImage(const CraftIcon& icon, int iff, int zoom) {
    IconImage out;
    if (icon.empty()) return out;
    // The offsets grow with col and row, so the first and last pixels bound the image.
    out.offsetX = iconOffsetX(0, icon.width, zoom);
    out.offsetY = iconOffsetY(0, icon.height, zoom);
    const int w = iconOffsetX(icon.width - 1, icon.width, zoom) - out.offsetX + 1;
    const int h = iconOffsetY(icon.height - 1, icon.height, zoom) - out.offsetY + 1;
    out.image = core::RgbaImage(w, h, 0u);
    for (int col = 0; col < icon.width; ++col) {
        const int x = iconOffsetX(col, icon.width, zoom) - out.offsetX;
        for (int row = 0; row < icon.height; ++row) {
            if (icon.transparent(col, row)) continue;
            out.image.set(x, iconOffsetY(row, icon.height, zoom) - out.offsetY,
                          iconPixelColour(iff, icon.pixel(col, row)));
        }
    }
    out.runs = findImageRuns(out.image);
    return out;
}

const IconImage& IconImageCache::get(const IconTable& table, int number, int iff, int zoom) {
    number &= 0xFF;
    const int iffKey = std::clamp(iff, 0, 6);
    const int zoomKey = std::clamp(zoom, 1, 101);
    const uint32_t key = (static_cast<uint32_t>(number) << 16) |
                         (static_cast<uint32_t>(iffKey) << 8) | static_cast<uint32_t>(zoomKey);
    auto it = m_images.find(key);
    if (it == m_images.end()) {
        IconImage img = renderIconImage(table.icon(number), iffKey, zoomKey);
        const size_t size = img.image.pixels.size() * sizeof(uint32_t) +
                            img.runs.runs.size() * sizeof(ImageRuns::Run) + sizeof(IconImage);
        if (m_bytes + size > kByteLimit) {
            m_old.merge(m_images);
            m_images.clear();
            m_bytes = 0;
            ++m_generation;
        }
        m_bytes += size;
        it = m_images.emplace(key, std::move(img)).first;
    }
    return it->second;
}

}  // namespace quendar::map
