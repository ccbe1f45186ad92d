#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quendar::iconsgen {

// A small deterministic random source (the same sequence on every platform,
// so the generated file never changes unless the drawing does).
class Dice {
  public:
    explicit Dice(uint32_t seed) : m_state(seed * 2654435761u + 0x9E3779B9u) {}
    uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    int range(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1));
    }
    double unit() { return (next() & 0xFFFFFF) / double(0x1000000); }

  private:
    uint32_t m_state;
};

// A top-down silhouette being drawn: one brightness per pixel (0 = empty,
// 1..255 = how bright the map shows it). Ships point up: nose at row 0.
class Silhouette {
  public:
    Silhouette(int width, int height);
    int width() const { return m_w; }
    int height() const { return m_h; }
    uint8_t at(int x, int y) const;

    void ellipse(double cx, double cy, double rx, double ry, int level);
    void rect(double x1, double y1, double x2, double y2, int level);
    void polygon(const std::vector<std::pair<double, double>>& points, int level);
    void ring(double cx, double cy, double outer, double inner, int level);
    void line(double x1, double y1, double x2, double y2, double thickness, int level);
    // Clears (cuts) the given shapes: hangar slots, gaps between modules.
    void cutEllipse(double cx, double cy, double rx, double ry);
    void cutRect(double x1, double y1, double x2, double y2);
    // Copies the left half onto the right half (ships are symmetric).
    void mirror();
    // Darkens the rim so the outline reads at small zooms.
    void shadeRim(int rimLevel);

    // The icon bytes: column by column, three equal channels per pixel, the
    // inverse of the brightness (dark source pixels draw bright); empty
    // pixels are (0, 0, 0).
    std::vector<uint8_t> maskBytes() const;
    int opaqueCount() const;

  private:
    void plot(int x, int y, int level);
    int m_w, m_h;
    std::vector<uint8_t> m_level;
};

// The icon of one craft type, from its category name and a seed.
Silhouette drawCraft(const std::string& category, int craftType);

}  // namespace quendar::iconsgen
