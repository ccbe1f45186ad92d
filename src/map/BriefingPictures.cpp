#include "map/BriefingPictures.h"

#include <cmath>

#include "map/PixelOps.h"

namespace quendar::map {

using core::rgb;

namespace {

PixelBuffer bufferOf(core::RgbaImage& img) {
    return {img.pixels.data(), img.width, img.height, img.width};
}

}  // namespace

core::RgbaImage technicalDataPicture() {
    const int w = kBriefingPictureWidth, h = kBriefingPictureHeight;
    core::RgbaImage img(w, h, rgb(0, 20, 60));
    PixelBuffer b = bufferOf(img);
    for (int x = 0; x < w; x += 16) drawLine(b, x, 0, x, h - 1, rgb(0, 40, 100), 1, false);
    for (int y = 0; y < h; y += 16) drawLine(b, 0, y, w - 1, y, rgb(0, 40, 100), 1, false);
    drawRectOutline(b, 0, 0, w, h, rgb(90, 160, 255), 3);

    // A craft in plan view on the left half: hull, wings, engine bells.
    const uint32_t line = rgb(150, 210, 255);
    const int cx = 150, cy = 144;
    drawEllipse(b, cx - 26, cy - 110, cx + 26, cy + 110, true, line, false, 0);
    drawLine(b, cx - 20, cy - 10, cx - 120, cy + 60, line, 1, false);
    drawLine(b, cx - 120, cy + 60, cx - 115, cy + 80, line, 1, false);
    drawLine(b, cx - 115, cy + 80, cx - 22, cy + 50, line, 1, false);
    drawLine(b, cx + 20, cy - 10, cx + 120, cy + 60, line, 1, false);
    drawLine(b, cx + 120, cy + 60, cx + 115, cy + 80, line, 1, false);
    drawLine(b, cx + 115, cy + 80, cx + 22, cy + 50, line, 1, false);
    drawEllipse(b, cx - 10, cy - 80, cx + 10, cy - 50, true, rgb(255, 220, 120), false, 0);
    for (int k = -1; k <= 1; k += 2)
        drawEllipse(b, cx + k * 12 - 7, cy + 100, cx + k * 12 + 7, cy + 118, true, line, true,
                    rgb(40, 80, 160));
    // Dimension lines.
    drawLine(b, cx - 120, cy + 100, cx + 120, cy + 100, rgb(90, 160, 255), 1, true);
    drawLine(b, cx + 60, cy - 110, cx + 60, cy + 110, rgb(90, 160, 255), 1, true);

    // Read-out bars on the right half.
    for (int k = 0; k < 6; ++k) {
        const int y = 40 + k * 36;
        const int len = 40 + (k * 53) % 130;  // stays inside the 176-pixel box
        drawRectOutline(b, 300, y, 480, y + 18, rgb(90, 160, 255), 1);
        fillRect(b, 302, y + 2, 302 + len, y + 16, k % 2 ? rgb(80, 200, 255) : rgb(255, 200, 80));
    }
    return img;
}

core::RgbaImage regionChangePicture() {
    const int w = kBriefingPictureWidth, h = kBriefingPictureHeight;
    core::RgbaImage img(w, h, rgb(0, 0, 10));
    PixelBuffer b = bufferOf(img);
    const int cx = w / 2, cy = h / 2;
    // Streaks leave the centre at fixed angles; the inner end and the length
    // vary so the picture reads as motion.
    for (int k = 0; k < 140; ++k) {
        const double a = k * 2.39996323;  // the golden angle spreads them evenly
        const double inner = 20 + (k * 37) % 90;
        const double outer = inner + 60 + (k * 53) % 180;
        const int shade = 120 + (k * 29) % 136;
        drawLine(b, cx + static_cast<int>(std::cos(a) * inner),
                 cy + static_cast<int>(std::sin(a) * inner * 0.6),
                 cx + static_cast<int>(std::cos(a) * outer),
                 cy + static_cast<int>(std::sin(a) * outer * 0.6),
                 rgb(shade / 2, shade * 3 / 4, shade), 1, false);
    }
    drawEllipse(b, cx - 18, cy - 12, cx + 18, cy + 12, true, rgb(200, 230, 255), true,
                rgb(255, 255, 255));
    drawRectOutline(b, 0, 0, w, h, rgb(90, 160, 255), 3);
    return img;
}

}  // namespace quendar::map
