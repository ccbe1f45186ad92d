#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace quendar::core {

// A plain 32-bit image (0xAARRGGBB per pixel, row-major), the toolkit-free
// form in which pictures travel from the logic to the window.
struct RgbaImage {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> pixels;

    RgbaImage() = default;
    RgbaImage(int w, int h, uint32_t fill = 0)
        : width(w), height(h), pixels(static_cast<size_t>(w > 0 ? w : 0) * (h > 0 ? h : 0), fill) {}
    bool empty() const { return width <= 0 || height <= 0; }
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    void set(int x, int y, uint32_t c) { pixels[static_cast<size_t>(y) * width + x] = c; }
};

constexpr uint32_t rgb(int r, int g, int b) {
    return 0xFF000000u | (static_cast<uint32_t>(r & 0xFF) << 16) |
           (static_cast<uint32_t>(g & 0xFF) << 8) | static_cast<uint32_t>(b & 0xFF);
}

}  // namespace quendar::core
