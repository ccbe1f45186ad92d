#include "iconsgen/IconArt.h"

#include <algorithm>
#include <cmath>

namespace quendar::iconsgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kHull = 190, kBright = 235, kDeck = 160, kDim = 120;
}  // namespace

Silhouette::Silhouette(int width, int height)
    : m_w(std::clamp(width, 1, 128)),
      m_h(std::clamp(height, 1, 128)),
      m_level(static_cast<size_t>(m_w) * m_h, 0) {}

uint8_t Silhouette::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return 0;
    return m_level[static_cast<size_t>(y) * m_w + x];
}

// Levels stop at 247 so that the stored byte (255 - level) is never 0, which
// would be a transparent pixel.
void Silhouette::plot(int x, int y, int level) {
    if (x < 0 || y < 0 || x >= m_w || y >= m_h) return;
    m_level[static_cast<size_t>(y) * m_w + x] = static_cast<uint8_t>(std::clamp(level, 0, 247));
}

void Silhouette::ellipse(double cx, double cy, double rx, double ry, int level) {
    if (rx <= 0 || ry <= 0) return;
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) plot(x, y, level);
        }
}

void Silhouette::rect(double x1, double y1, double x2, double y2, int level) {
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x)
            if (x + 0.5 >= x1 && x + 0.5 <= x2 && y + 0.5 >= y1 && y + 0.5 <= y2) plot(x, y, level);
}

void Silhouette::polygon(const std::vector<std::pair<double, double>>& pts, int level) {
    const size_t n = pts.size();
    if (n < 3) return;
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            bool inside = false;
            for (size_t i = 0, j = n - 1; i < n; j = i++) {
                const auto [xi, yi] = pts[i];
                const auto [xj, yj] = pts[j];
                if ((yi > py) != (yj > py) && px < (xj - xi) * (py - yi) / (yj - yi) + xi)
                    inside = !inside;
            }
            if (inside) plot(x, y, level);
        }
}

void Silhouette::ring(double cx, double cy, double outer, double inner, int level) {
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
            if (d <= outer && d >= inner) plot(x, y, level);
        }
}

void Silhouette::line(double x1, double y1, double x2, double y2, double thickness, int level) {
    const double dx = x2 - x1, dy = y2 - y1, len2 = dx * dx + dy * dy;
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            const double px = x + 0.5 - x1, py = y + 0.5 - y1;
            const double t = len2 > 0 ? std::clamp((px * dx + py * dy) / len2, 0.0, 1.0) : 0.0;
            if (std::hypot(px - t * dx, py - t * dy) <= thickness / 2) plot(x, y, level);
        }
}

void Silhouette::cutEllipse(double cx, double cy, double rx, double ry) {
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            const double u = (x + 0.5 - cx) / rx, v = (y + 0.5 - cy) / ry;
            if (u * u + v * v <= 1.0) m_level[static_cast<size_t>(y) * m_w + x] = 0;
        }
}

void Silhouette::cutRect(double x1, double y1, double x2, double y2) {
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x)
            if (x + 0.5 >= x1 && x + 0.5 <= x2 && y + 0.5 >= y1 && y + 0.5 <= y2)
                m_level[static_cast<size_t>(y) * m_w + x] = 0;
}

void Silhouette::mirror() {
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w / 2; ++x)
            m_level[static_cast<size_t>(y) * m_w + (m_w - 1 - x)] =
                m_level[static_cast<size_t>(y) * m_w + x];
}

void Silhouette::shadeRim(int rimLevel) {
    std::vector<uint8_t> out = m_level;
    for (int y = 0; y < m_h; ++y)
        for (int x = 0; x < m_w; ++x) {
            if (!at(x, y)) continue;
            if (!at(x - 1, y) || !at(x + 1, y) || !at(x, y - 1) || !at(x, y + 1))
                out[static_cast<size_t>(y) * m_w + x] =
                    static_cast<uint8_t>(std::min<int>(at(x, y), rimLevel));
        }
    m_level = std::move(out);
}

std::vector<uint8_t> Silhouette::maskBytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<size_t>(m_w) * m_h * 3);
    for (int x = 0; x < m_w; ++x)
        for (int y = 0; y < m_h; ++y) {
            const uint8_t l = at(x, y);
            const uint8_t b = l ? static_cast<uint8_t>(255 - l) : 0;
            bytes.insert(bytes.end(), {b, b, b});
        }
    return bytes;
}

int Silhouette::opaqueCount() const {
    return static_cast<int>(
        std::count_if(m_level.begin(), m_level.end(), [](uint8_t l) { return l != 0; }));
}

namespace {

using Points = std::vector<std::pair<double, double>>;

Silhouette fighter(Dice& d, int lo, int hi) {
    const int s = d.range(lo, hi);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.ellipse(c, s * 0.5, s * (0.07 + 0.04 * d.unit()), s * 0.47, kHull);
    switch (d.range(0, 3)) {
        case 0:  // swept wings
            g.polygon(
                {{c, s * 0.42}, {c - s * 0.48, s * 0.8}, {c - s * 0.46, s * 0.9}, {c, s * 0.72}},
                kHull);
            break;
        case 1:  // delta
            g.polygon({{c, s * 0.2}, {c - s * 0.45, s * 0.92}, {c, s * 0.86}}, kHull);
            break;
        case 2:  // straight wings with tip pods
            g.rect(c - s * 0.44, s * 0.55, c, s * 0.68, kHull);
            g.ellipse(c - s * 0.42, s * 0.58, s * 0.05, s * 0.2, kBright);
            break;
        default:  // forward-swept wings and canards
            g.polygon(
                {{c, s * 0.7}, {c - s * 0.47, s * 0.5}, {c - s * 0.44, s * 0.58}, {c, s * 0.85}},
                kHull);
            g.polygon({{c, s * 0.25}, {c - s * 0.2, s * 0.32}, {c, s * 0.36}}, kHull);
    }
    g.rect(c - s * 0.12, s * 0.86, c, s, kDeck);  // engines
    g.mirror();
    g.ellipse(c, s * 0.28, s * 0.05, s * 0.1, kBright);  // canopy
    g.shadeRim(kDim);
    return g;
}

Silhouette bomber(Dice& d) {
    const int s = d.range(30, 42);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.ellipse(c, s * 0.5, s * 0.15, s * 0.48, kHull);
    g.polygon({{c, s * 0.45}, {c - s * 0.49, s * 0.6}, {c - s * 0.49, s * 0.72}, {c, s * 0.7}},
              kHull);
    g.ellipse(c - s * 0.3, s * 0.62, s * 0.07, s * 0.17, kBright);
    g.rect(c - s * 0.2, s * 0.88, c, s, kDeck);
    g.mirror();
    g.ellipse(c, s * 0.22, s * 0.07, s * 0.09, kBright);
    g.shadeRim(kDim);
    return g;
}

Silhouette gunboat(Dice& d) {
    const int s = d.range(34, 44);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.rect(c - s * 0.22, s * 0.25, c, s * 0.95, kHull);
    g.polygon({{c - s * 0.22, s * 0.25}, {c - s * 0.12, 0}, {c - s * 0.04, s * 0.25}}, kHull);
    g.ellipse(c - s * 0.32, s * 0.55, s * 0.12, s * 0.12, kDeck);
    g.mirror();
    g.ellipse(c, s * 0.55, s * 0.09, s * 0.12, kBright);
    g.shadeRim(kDim);
    return g;
}

Silhouette smallHull(Dice& d, int lo, int hi, bool fins) {
    const int s = d.range(lo, hi);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.ellipse(c, s * 0.5, s * (0.2 + 0.1 * d.unit()), s * 0.45, kHull);
    if (fins) {
        g.polygon({{c - s * 0.1, s * 0.55}, {c - s * 0.46, s * 0.9}, {c - s * 0.1, s * 0.85}},
                  kDeck);
        g.mirror();
    }
    g.ellipse(c, s * 0.3, s * 0.1, s * 0.12, kBright);
    g.shadeRim(kDim);
    return g;
}

Silhouette drone(Dice& d, bool probe) {
    const int s = d.range(16, 24);
    Silhouette g(s, s);
    const double c = s / 2.0;
    if (probe) {
        g.ellipse(c, c, s * 0.22, s * 0.22, kHull);
        g.line(c, c, c, 0, 1.2, kDeck);
        g.line(c, c, s * 0.1, s * 0.9, 1.2, kDeck);
        g.line(c, c, s * 0.9, s * 0.9, 1.2, kDeck);
    } else {
        g.polygon({{c, 0}, {s, c}, {c, s}, {0, c}}, kHull);
        g.ellipse(c, c, s * 0.15, s * 0.15, kBright);
    }
    g.shadeRim(kDim);
    return g;
}

// Long hulls: a blunt nose, cargo modules in pairs along the spine, engines aft.
Silhouette hauler(Dice& d, int wLo, int wHi, int hLo, int hHi) {
    const int w = d.range(wLo, wHi), h = d.range(hLo, hHi);
    Silhouette g(w, h);
    const double c = w / 2.0;
    g.ellipse(c, h * 0.12, w * 0.22, h * 0.12, kHull);
    g.rect(c - w * 0.12, h * 0.1, c, h * 0.92, kHull);
    const int modules = d.range(2, 5);
    for (int m = 0; m < modules; ++m) {
        const double top = h * (0.2 + 0.65 * m / modules),
                     bottom = h * (0.2 + 0.65 * (m + 1) / modules) - 1.5;
        g.rect(c - w * 0.48, top, c - w * 0.14, bottom, m % 2 ? kDeck : kHull);
    }
    g.rect(c - w * 0.3, h * 0.9, c, h, kDeck);
    g.mirror();
    g.ellipse(c, h * 0.1, w * 0.1, h * 0.05, kBright);
    g.shadeRim(kDim);
    return g;
}

Silhouette container(Dice& d) {
    const int w = d.range(14, 20), h = d.range(20, 28);
    Silhouette g(w, h);
    g.rect(0, 0, w, h, kHull);
    for (int r = 1; r < 4; ++r) g.rect(1, h * r / 4.0 - 0.6, w - 1, h * r / 4.0 + 0.6, kDeck);
    g.shadeRim(kDim);
    return g;
}

// Capital ships: a long dagger hull, a raised command block aft, and by kind
// a flight deck, gun towers or side sponsons.
Silhouette capital(Dice& d, int wLo, int wHi, int hLo, int hHi, int kind) {
    const int w = d.range(wLo, wHi), h = d.range(hLo, hHi);
    Silhouette g(w, h);
    const double c = w / 2.0;
    const double waist = 0.35 + 0.12 * d.unit();
    g.polygon(
        {{c, 0}, {c - w * waist, h * 0.7}, {c - w * 0.49, h * 0.9}, {c - w * 0.35, h}, {c, h}},
        kHull);
    if (kind == 1) {  // carrier: broad deck
        g.rect(c - w * 0.42, h * 0.35, c, h * 0.95, kHull);
        g.rect(c - w * 0.34, h * 0.4, c - w * 0.28, h * 0.9, kDeck);
    }
    if (kind == 2) {  // battleship: gun towers
        for (int t = 0; t < 3; ++t)
            g.ellipse(c - w * 0.2, h * (0.35 + 0.15 * t), w * 0.07, w * 0.07, kBright);
    }
    if (kind == 3) g.rect(c - w * 0.48, h * 0.45, c - w * 0.3, h * 0.62, kDeck);  // sponsons
    g.rect(c - w * 0.3, h * 0.93, c - w * 0.05, h, kDeck);                        // engines
    g.mirror();
    g.ellipse(c, h * 0.72, w * 0.12, h * 0.08, kBright);                     // command block
    if (kind == 1) g.cutRect(c - w * 0.04, h * 0.3, c + w * 0.04, h * 0.6);  // hangar slot
    g.shadeRim(kDim);
    return g;
}

Silhouette station(Dice& d, bool platform) {
    const int s = platform ? d.range(56, 96) : d.range(72, 128);
    Silhouette g(s, s);
    const double c = s / 2.0;
    if (!platform) {
        g.ring(c, c, s * 0.49, s * 0.38, kHull);
        const int spokes = d.range(3, 6);
        for (int k = 0; k < spokes; ++k) {
            const double a = 2 * kPi * k / spokes;
            g.line(c, c, c + std::cos(a) * s * 0.4, c + std::sin(a) * s * 0.4, s * 0.05, kDeck);
        }
        g.ellipse(c, c, s * 0.16, s * 0.16, kHull);
        g.ellipse(c, c, s * 0.07, s * 0.07, kBright);
    } else {
        g.rect(c - s * 0.12, 0, c + s * 0.12, s, kHull);
        g.rect(0, c - s * 0.12, s, c + s * 0.12, kHull);
        for (double p : {0.12, 0.88}) {
            g.rect(s * p - s * 0.1, s * p - s * 0.1, s * p + s * 0.1, s * p + s * 0.1, kDeck);
            g.rect(s * (1 - p) - s * 0.1, s * p - s * 0.1, s * (1 - p) + s * 0.1, s * p + s * 0.1,
                   kDeck);
        }
        g.ellipse(c, c, s * 0.16, s * 0.16, kBright);
    }
    g.shadeRim(kDim);
    return g;
}

Silhouette emplacement(Dice& d) {
    const int s = d.range(22, 30);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.rect(s * 0.1, s * 0.3, s * 0.9, s * 0.95, kDeck);
    g.ellipse(c, s * 0.6, s * 0.25, s * 0.25, kHull);
    g.line(c, s * 0.6, c, 0, s * 0.1, kBright);
    g.shadeRim(kDim);
    return g;
}

Silhouette mine(Dice& d) {
    const int s = d.range(12, 16);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.ellipse(c, c, s * 0.3, s * 0.3, kHull);
    for (int k = 0; k < 8; ++k) {
        const double a = kPi * k / 4;
        g.line(c, c, c + std::cos(a) * s * 0.48, c + std::sin(a) * s * 0.48, 1.1, kBright);
    }
    return g;
}

Silhouette buoy(Dice& d) {
    const int s = d.range(14, 18);
    Silhouette g(s, s);
    const double c = s / 2.0;
    g.ring(c, c, s * 0.48, s * 0.32, kHull);
    g.ellipse(c, c, s * 0.14, s * 0.14, kBright);
    return g;
}

Silhouette satellite(Dice& d) {
    const int w = d.range(24, 32), h = d.range(14, 20);
    Silhouette g(w, h);
    const double c = w / 2.0, m = h / 2.0;
    g.rect(c - w * 0.12, m - h * 0.3, c + w * 0.12, m + h * 0.3, kHull);
    g.rect(0, m - h * 0.4, c - w * 0.18, m + h * 0.4, kDeck);
    g.line(c - w * 0.18, m, c, m, 1.2, kBright);
    g.mirror();
    for (double x = 2.5; x < c - w * 0.2; x += 3) g.cutRect(x, m - h * 0.4, x + 0.6, m + h * 0.4);
    g.mirror();
    return g;
}

Silhouette rock(Dice& d, int lo, int hi) {
    const int s = d.range(lo, hi);
    Silhouette g(s, s);
    const double c = s / 2.0;
    double phase[4], amp[4];
    for (int k = 0; k < 4; ++k) phase[k] = d.unit() * 2 * kPi, amp[k] = 0.08 + 0.1 * d.unit();
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const double dx = x + 0.5 - c, dy = y + 0.5 - c;
            const double a = std::atan2(dy, dx);
            double r = 0.36 * s;
            for (int k = 0; k < 4; ++k)
                r *= 1 + amp[k] * std::sin((k + 2) * a + phase[k]) / (k + 1);
            const double dist = std::hypot(dx, dy);
            if (dist <= std::min(r, c - 0.5))
                g.rect(x, y, x + 1, y + 1, kHull - static_cast<int>(40 * dist / c));
        }
    for (int k = d.range(1, 4); k > 0; --k)
        g.ellipse(c + (d.unit() - 0.5) * s * 0.4, c + (d.unit() - 0.5) * s * 0.4, s * 0.07,
                  s * 0.07, kDim);
    return g;
}

Silhouette debris(Dice& d) {
    const int s = d.range(16, 32);
    Silhouette g(s, s);
    for (int k = d.range(2, 4); k > 0; --k) {
        const double cx = s * (0.2 + 0.6 * d.unit()), cy = s * (0.2 + 0.6 * d.unit());
        Points pts;
        for (int v = 0; v < 4; ++v) {
            const double a = v * kPi / 2 + d.unit();
            const double r = s * (0.1 + 0.15 * d.unit());
            pts.emplace_back(cx + std::cos(a) * r, cy + std::sin(a) * r);
        }
        g.polygon(pts, k % 2 ? kHull : kDeck);
    }
    g.shadeRim(kDim);
    return g;
}

Silhouette planet(Dice& d) {
    const int s = d.range(96, 128);
    Silhouette g(s, s);
    const double c = s / 2.0;
    const int bands = d.range(3, 7);
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x) {
            const double dx = (x + 0.5 - c) / (s * 0.46), dy = (y + 0.5 - c) / (s * 0.46);
            const double r2 = dx * dx + dy * dy;
            if (r2 > 1) continue;
            const int band = static_cast<int>((dy + 1) * bands) % 2;
            const int lit = static_cast<int>(60 * (1 - std::sqrt(r2)));  // brighter in the middle
            g.rect(x, y, x + 1, y + 1, (band ? 150 : 175) + lit);
        }
    return g;
}

Silhouette starburst() {
    const int s = 32;
    Silhouette g(s, s);
    const double c = s / 2.0;
    for (int k = 0; k < 4; ++k) {
        const double a = kPi * k / 4;
        const double len = k % 2 ? s * 0.3 : s * 0.49;
        g.line(c - std::cos(a) * len, c - std::sin(a) * len, c + std::cos(a) * len,
               c + std::sin(a) * len, 1.5, kDeck);
    }
    g.ellipse(c, c, s * 0.12, s * 0.12, kBright);
    return g;
}

Silhouette crosshair() {
    Silhouette g(12, 12);
    g.line(6, 0, 6, 12, 1.2, kDeck);
    g.line(0, 6, 12, 6, 1.2, kDeck);
    return g;
}

}  // namespace

Silhouette drawCraft(const std::string& category, int craftType) {
    Dice d(static_cast<uint32_t>(craftType) + 1);
    if (category == "Fighter") return fighter(d, 22, 32);
    if (category == "Experimental") return fighter(d, 26, 40);
    if (category == "Bomber") return bomber(d);
    if (category == "Gunboat") return gunboat(d);
    if (category == "Shuttle") return smallHull(d, 26, 34, true);
    if (category == "Courier") return smallHull(d, 22, 30, true);
    if (category == "Yacht") return smallHull(d, 34, 46, true);
    if (category == "Lifeboat") return smallHull(d, 14, 20, false);
    if (category == "Drone") return drone(d, false);
    if (category == "Probe") return drone(d, true);
    if (category == "Transport") return hauler(d, 28, 36, 44, 56);
    if (category == "Freighter") return hauler(d, 36, 48, 60, 80);
    if (category == "Liner") return hauler(d, 32, 44, 70, 90);
    if (category == "Utility craft") return hauler(d, 26, 32, 30, 40);
    if (category == "Container") return container(d);
    if (category == "Corvette") return capital(d, 30, 40, 56, 70, 3);
    if (category == "Frigate") return capital(d, 40, 56, 76, 96, 3);
    if (category == "Cruiser") return capital(d, 56, 72, 100, 124, 0);
    if (category == "Carrier") return capital(d, 70, 90, 110, 128, 1);
    if (category == "Battleship") return capital(d, 80, 100, 118, 128, 2);
    if (category == "Station") return station(d, false);
    if (category == "Platform") return station(d, true);
    if (category == "Weapon emplacement") return emplacement(d);
    if (category == "Mine") return mine(d);
    if (category == "Buoy") return buoy(d);
    if (category == "Satellite") return satellite(d);
    if (category == "Asteroid") return rock(d, 24, 64);
    if (category == "Debris") return debris(d);
    if (category == "Celestial body") return planet(d);
    if (category == "Backdrop") return starburst();
    if (category == "Placeholder") return crosshair();
    return fighter(d, 20, 28);  // a category of a user's own list
}

}  // namespace quendar::iconsgen
