#pragma once

#include <cstddef>
#include <cstdint>
#include <random>

#include "map/IconTable.h"

namespace quendar::testing {

// Icons for the drawing tests: column-major, three bytes a pixel, the bytes
// 0, 0, 0 transparent.

// Random pixels from `seed`, about `transparentPercent` of them transparent.
inline map::CraftIcon makeIcon(int w, int h, uint32_t seed, int transparentPercent = 30) {
    map::CraftIcon i;
    i.width = w;
    i.height = h;
    i.bytes.resize(static_cast<size_t>(w) * h * 3);
    std::mt19937 gen(seed);
    for (size_t p = 0; p < i.bytes.size(); p += 3) {
        if (static_cast<int>(gen() % 100) < transparentPercent) continue;
        i.bytes[p] = static_cast<uint8_t>(gen());
        i.bytes[p + 1] = static_cast<uint8_t>(gen());
        i.bytes[p + 2] = static_cast<uint8_t>(gen());
    }
    return i;
}

// Every pixel the same three bytes.
inline map::CraftIcon solidIcon(int w, int h, uint8_t b0, uint8_t b1, uint8_t b2) {
    map::CraftIcon i;
    i.width = w;
    i.height = h;
    for (int k = 0; k < w * h; ++k) i.bytes.insert(i.bytes.end(), {b0, b1, b2});
    return i;
}
inline map::CraftIcon solidIcon(int w, int h, uint8_t b) { return solidIcon(w, h, b, b, b); }

// A fixed pattern of colours with a transparent pixel every few.
inline map::CraftIcon patternIcon(int w, int h, int seed) {
    map::CraftIcon i;
    i.width = w;
    i.height = h;
    for (int c = 0; c < w; ++c)
        for (int r = 0; r < h; ++r) {
            const bool on = (c * 7 + r * 3 + seed) % 5 != 0;
            const auto b = static_cast<uint8_t>(on ? (c * 13 + r * 5 + seed) | 1 : 0);
            i.bytes.insert(i.bytes.end(), {b, static_cast<uint8_t>(on ? 255 - b : 0), b});
        }
    return i;
}

}  // namespace quendar::testing
