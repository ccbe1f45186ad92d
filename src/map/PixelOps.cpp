#include "map/PixelOps.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace quendar::map {

namespace {

constexpr int kDashOn = 4;
constexpr int kDashPeriod = 6;

long long floorDiv(long long a, long long b) {
    long long q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}
long long ceilDiv(long long a, long long b) { return -floorDiv(-a, b); }

// Walks i = lo..hi; the minor coordinate of step i is (acc + i * slope) >> 16.
// `majorStep` is the pointer step along the major axis; a step along the minor
// axis is a row (`stride`) for lines that run across, one pixel otherwise.
// Lines that run across put four steps that stay on one row (most of them: the
// map's paths are long and flat) as one store of four neighbouring pixels.
template <bool Dashed, bool XMajor>
void walk(uint32_t* origin, long long lo, long long hi, long long acc, long long slope,
          long long majorStep, long long stride, uint32_t colour) {
    auto put = [&](long long i) {
        const long long a = acc + i * slope;
        if constexpr (XMajor)
            origin[i * majorStep + (a >> 16) * stride] = colour;
        else
            origin[i * majorStep + (a >> 16)] = colour;
    };
    // Steps i .. i + 3.
    auto four = [&](long long i) {
        if constexpr (XMajor) {
            const long long a = acc + i * slope;
            if ((a >> 16) == ((a + 3 * slope) >> 16)) {
                uint32_t* p = origin + i * majorStep + (a >> 16) * stride;
                if (majorStep < 0) p -= 3;
                const uint32_t quad[4] = {colour, colour, colour, colour};
                std::memcpy(p, quad, sizeof quad);
                return;
            }
        }
        put(i), put(i + 1), put(i + 2), put(i + 3);
    };
    if constexpr (!Dashed) {
        long long i = lo;
        for (; i + 3 <= hi; i += 4) four(i);
        for (; i <= hi; ++i) put(i);
    } else {
        // Whole dashes: runs of kDashOn steps every kDashPeriod, cut to [lo, hi].
        static_assert(kDashOn == 4);
        for (long long start = lo - lo % kDashPeriod; start <= hi; start += kDashPeriod) {
            if (start >= lo && start + kDashOn - 1 <= hi) {
                four(start);
                continue;
            }
            const long long from = std::max(start, lo), to = std::min(start + kDashOn - 1, hi);
            for (long long i = from; i <= to; ++i) put(i);
        }
    }
}

// One-pixel line by a fixed-point walk along its major axis. The walk is cut
// beforehand to the steps whose pixel lies inside the buffer, so the loop
// itself checks nothing and far-away end points cost nothing.
void thinLine(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour, bool dashed) {
    const long long dx = static_cast<long long>(x2) - x1;
    const long long dy = static_cast<long long>(y2) - y1;
    const long long n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0) {
        if (x1 >= 0 && y1 >= 0 && x1 < b.width && y1 < b.height)
            b.bits[static_cast<size_t>(y1) * b.stride + x1] = colour;
        return;
    }
    const bool xMajor = std::llabs(dx) >= std::llabs(dy);
    const long long m1 = xMajor ? x1 : y1;
    const int s = (xMajor ? dx : dy) > 0 ? 1 : -1;
    const long long minorDelta = xMajor ? dy : dx;
    const long long minor1 = xMajor ? y1 : x1;
    const long long majorExtent = xMajor ? b.width : b.height;
    const long long minorExtent = xMajor ? b.height : b.width;
    long long lo, hi;  // steps whose major coordinate lies inside
    if (s > 0) {
        lo = std::max(0LL, -m1);
        hi = std::min(n, majorExtent - 1 - m1);
    } else {
        lo = std::max(0LL, m1 - (majorExtent - 1));
        hi = std::min(n, m1);
    }
    if (lo > hi) return;
    // Minor coordinate of step i: floor((acc0 + i * slope) / 65536), kept in [0, extent).
    const long long slope = (minorDelta * 65536) / n;
    const long long acc0 = minor1 * 65536 + 0x8000;
    const long long top = minorExtent * 65536 - 1;  // acc must stay in [0, top]
    if (slope == 0) {
        if (acc0 < 0 || acc0 > top) return;
    } else if (slope > 0) {
        lo = std::max(lo, ceilDiv(-acc0, slope));
        hi = std::min(hi, floorDiv(top - acc0, slope));
    } else {
        lo = std::max(lo, ceilDiv(top - acc0, slope));
        hi = std::min(hi, floorDiv(-acc0, slope));
    }
    if (lo > hi) return;
    const long long stride = b.stride;
    // Pointer to step 0's major position on row/column 0 of the minor axis.
    uint32_t* origin = xMajor ? b.bits + m1 : b.bits + m1 * stride;
    const long long majorStep = xMajor ? s : s * stride;
    if (xMajor) {
        if (dashed)
            walk<true, true>(origin, lo, hi, acc0, slope, majorStep, stride, colour);
        else
            walk<false, true>(origin, lo, hi, acc0, slope, majorStep, stride, colour);
    } else {
        if (dashed)
            walk<true, false>(origin, lo, hi, acc0, slope, majorStep, stride, colour);
        else
            walk<false, false>(origin, lo, hi, acc0, slope, majorStep, stride, colour);
    }
}

}  // namespace

void fillRect(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, b.width);
    y2 = std::min(y2, b.height);
    for (int y = y1; y < y2; ++y) {
        uint32_t* row = b.bits + static_cast<size_t>(y) * b.stride;
        std::fill(row + x1, row + std::max(x1, x2), colour);
    }
}

void drawLine(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour, int width,
              bool dashed) {
    width = std::clamp(width, 1, kMaxLineWidth);
    const int before = width / 2;
    if (width > 1 && !dashed && (x1 == x2 || y1 == y2)) {
        fillRect(b, std::min(x1, x2) - before, std::min(y1, y2) - before,
                 std::max(x1, x2) - before + width, std::max(y1, y2) - before + width, colour);
        return;
    }
    if (width <= 3) {
        for (int oy = 0; oy < width; ++oy)
            for (int ox = 0; ox < width; ++ox)
                thinLine(b, x1 + ox - before, y1 + oy - before, x2 + ox - before, y2 + oy - before,
                         colour, dashed);
        return;
    }
    // Wider lines: one thin line per pixel across, shifted along the minor
    // axis, so the cost grows with the width and not with its square.
    const bool mostlyHorizontal = std::abs(x2 - x1) >= std::abs(y2 - y1);
    for (int o = 0; o < width; ++o) {
        const int dx = mostlyHorizontal ? 0 : o - before;
        const int dy = mostlyHorizontal ? o - before : 0;
        thinLine(b, x1 + dx, y1 + dy, x2 + dx, y2 + dy, colour, dashed);
    }
}

void drawRectOutline(PixelBuffer& b, int x1, int y1, int x2, int y2, uint32_t colour, int width) {
    if (x2 <= x1 || y2 <= y1) return;
    width = std::clamp(width, 1, kMaxLineWidth);
    fillRect(b, x1, y1, x2, std::min(y1 + width, y2), colour);
    fillRect(b, x1, std::max(y2 - width, y1), x2, y2, colour);
    fillRect(b, x1, y1, std::min(x1 + width, x2), y2, colour);
    fillRect(b, std::max(x2 - width, x1), y1, x2, y2, colour);
}

EllipseShape makeEllipseShape(int width, int height) {
    EllipseShape e;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return e;
    e.width = width;
    e.height = height;
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    const double rx = width / 2.0, ry = height / 2.0;
    // Span of inside pixel centres per row (first > last when empty), with an
    // empty row above and below.
    std::vector<int> first(height + 2, 1), last(height + 2, 0);
    for (int r = 0; r < height; ++r) {
        const double v = (r - cy) / ry;
        const double q = 1.0 - v * v;
        if (q < 0) continue;
        const double half = rx * std::sqrt(q);
        first[r + 1] = static_cast<int>(std::ceil(cx - half - 1e-9));
        last[r + 1] = static_cast<int>(std::floor(cx + half + 1e-9));
    }
    // Outline = the span minus the part that also lies inside the rows above
    // and below; the rest of the span is inside.
    e.rows.resize(height);
    for (int r = 0; r < height; ++r) {
        EllipseShape::Row& row = e.rows[r];
        row.first = first[r + 1];
        row.last = last[r + 1];
        row.innerFirst = std::max({row.first + 1, first[r], first[r + 2]});
        row.innerLast = std::min({row.last - 1, last[r], last[r + 2]});
        if (row.innerFirst > row.innerLast) row.innerFirst = row.last + 1, row.innerLast = row.last;
    }
    return e;
}

void drawEllipse(PixelBuffer& b, int x1, int y1, const EllipseShape& shape, bool outline,
                 uint32_t outlineColour, bool fill, uint32_t fillColour) {
    if (x1 + shape.width <= 0 || y1 + shape.height <= 0 || x1 >= b.width || y1 >= b.height) return;
    for (int r = 0; r < shape.height; ++r) {
        const int y = y1 + r;
        if (y < 0 || y >= b.height) continue;
        const EllipseShape::Row& sr = shape.rows[r];
        if (sr.first > sr.last) continue;
        uint32_t* row = b.bits + static_cast<size_t>(y) * b.stride + x1;
        auto span = [&](int from, int to, uint32_t c) {
            from = std::max(from, -x1);
            to = std::min(to, b.width - 1 - x1);
            for (int x = from; x <= to; ++x) row[x] = c;
        };
        if (outline && fill && outlineColour == fillColour) {
            span(sr.first, sr.last, fillColour);  // ring and inside in one run
            continue;
        }
        if (outline) {
            span(sr.first, sr.innerFirst - 1, outlineColour);
            span(sr.innerLast + 1, sr.last, outlineColour);
        }
        if (fill) span(sr.innerFirst, sr.innerLast, fillColour);
    }
}

void drawEllipse(PixelBuffer& b, int x1, int y1, int x2, int y2, bool outline,
                 uint32_t outlineColour, bool fill, uint32_t fillColour) {
    if (x2 <= x1 || y2 <= y1) return;
    if (x2 <= 0 || y2 <= 0 || x1 >= b.width || y1 >= b.height) return;
    drawEllipse(b, x1, y1, makeEllipseShape(x2 - x1, y2 - y1), outline, outlineColour, fill,
                fillColour);
}

void drawImage(PixelBuffer& b, int x, int y, const core::RgbaImage& image) {
    const int c1 = std::max(0, -x), c2 = std::min(image.width, b.width - x);
    const int r1 = std::max(0, -y), r2 = std::min(image.height, b.height - y);
    for (int row = r1; row < r2; ++row) {
        const uint32_t* __restrict src =
            image.pixels.data() + static_cast<size_t>(row) * image.width;
        uint32_t* __restrict dst = b.bits + static_cast<size_t>(y + row) * b.stride + x;
        // Rows of opaque and transparent pixels only (every map icon) are a
        // plain select, which the compiler turns into vector code.
        uint32_t partial = 0;
        for (int col = c1; col < c2; ++col) {
            const uint32_t a = src[col] >> 24;
            partial |= static_cast<uint32_t>(a != 0 && a != 255);
        }
        if (!partial) {
            for (int col = c1; col < c2; ++col) dst[col] = (src[col] >> 24) ? src[col] : dst[col];
            continue;
        }
        for (int col = c1; col < c2; ++col) {
            const uint32_t p = src[col];
            const uint32_t a = p >> 24;
            if (a == 255) {
                dst[col] = p;
            } else if (a != 0) {
                const uint32_t d = dst[col], k = 255 - a;
                uint32_t out = 0;
                for (int shift = 0; shift < 32; shift += 8) {
                    const uint32_t ch =
                        ((p >> shift) & 0xFF) + (((d >> shift) & 0xFF) * k + 127) / 255;
                    out |= std::min<uint32_t>(ch, 255) << shift;
                }
                dst[col] = out;
            }
        }
    }
}

ImageRuns findImageRuns(const core::RgbaImage& image) {
    ImageRuns out;
    if (image.empty()) return out;
    out.rowStart.reserve(static_cast<size_t>(image.height) + 1);
    for (int row = 0; row < image.height; ++row) {
        out.rowStart.push_back(static_cast<int>(out.runs.size()));
        const uint32_t* src = image.pixels.data() + static_cast<size_t>(row) * image.width;
        for (int col = 0; col < image.width;) {
            const uint32_t a = src[col] >> 24;
            if (a != 0 && a != 255) return {};
            if (a == 0) {
                ++col;
                continue;
            }
            const int from = col;
            while (col < image.width && (src[col] >> 24) == 255) ++col;
            out.runs.push_back({from, col});
        }
    }
    out.rowStart.push_back(static_cast<int>(out.runs.size()));
    return out;
}

void drawImage(PixelBuffer& b, int x, int y, const core::RgbaImage& image, const ImageRuns& runs) {
    if (runs.empty() || runs.rowStart.size() != static_cast<size_t>(image.height) + 1) {
        drawImage(b, x, y, image);
        return;
    }
    const int c1 = std::max(0, -x), c2 = std::min(image.width, b.width - x);
    const int r1 = std::max(0, -y), r2 = std::min(image.height, b.height - y);
    if (c1 >= c2) return;
    for (int row = r1; row < r2; ++row) {
        const uint32_t* src = image.pixels.data() + static_cast<size_t>(row) * image.width;
        uint32_t* dst = b.bits + static_cast<size_t>(y + row) * b.stride + x;
        for (int k = runs.rowStart[row]; k < runs.rowStart[row + 1]; ++k) {
            const int from = std::max(runs.runs[k].from, c1), to = std::min(runs.runs[k].to, c2);
            if (from < to) std::copy(src + from, src + to, dst + from);
        }
    }
}

}  // namespace quendar::map
