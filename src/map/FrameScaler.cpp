#include "map/FrameScaler.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace quendar::map {

void FrameScaler::setSize(int width, int height, double scale) {
    if (!(scale >= 1.0 && scale <= 16.0)) scale = 1.0;
    m_width = std::max(width, 0), m_height = std::max(height, 0);
    const long rounded = std::lround(scale);
    m_factor =
        std::abs(scale - static_cast<double>(rounded)) < 1e-9 ? static_cast<int>(rounded) : 0;
    // Each screen pixel shows the logical pixel under its centre.
    auto fill = [scale](std::vector<int>& to, int logical) {
        const int n = static_cast<int>(std::ceil(logical * scale - 1e-9));
        to.resize(static_cast<size_t>(std::max(n, 0)));
        for (int i = 0; i < n; ++i)
            to[i] = std::min(logical - 1, static_cast<int>((i + 0.5) / scale));
    };
    fill(m_columns, m_width);
    fill(m_rows, m_height);
}

Rect FrameScaler::devicePlace(const Rect& r) const {
    auto from = [](const std::vector<int>& v, int at) {
        return static_cast<int>(std::lower_bound(v.begin(), v.end(), at) - v.begin());
    };
    return {from(m_columns, r.x1), from(m_rows, r.y1), from(m_columns, r.x2), from(m_rows, r.y2)};
}

void FrameScaler::enlarge(const PixelBuffer& from, int fromX, int fromY, PixelBuffer& device,
                          const Rect& place, bool skipEmpty) const {
    const Rect p = place.intersected({fromX, fromY, fromX + from.width, fromY + from.height});
    const Rect d = devicePlace(p).intersected({0, 0, device.width, device.height});
    if (d.empty()) return;
    const size_t rowBytes = static_cast<size_t>(d.x2 - d.x1) * sizeof(uint32_t);
    int lastRow = -1;
    for (int y = d.y1; y < d.y2; ++y) {
        uint32_t* out = device.bits + static_cast<size_t>(y) * device.stride;
        const int row = m_rows[y];
        if (row == lastRow && !skipEmpty) {
            std::memcpy(out + d.x1, out - device.stride + d.x1, rowBytes);
            continue;
        }
        lastRow = row;
        const uint32_t* in = from.bits + static_cast<size_t>(row - fromY) * from.stride;
        if (m_factor == 2 && !skipEmpty && d.x2 - d.x1 == 2 * (p.x2 - p.x1)) {
            // The common 200 %: each logical pixel fills two screen pixels.
            uint32_t* o = out + d.x1;
            for (int x = p.x1 - fromX; x < p.x2 - fromX; ++x, o += 2) o[0] = o[1] = in[x];
            continue;
        }
        for (int x = d.x1; x < d.x2; ++x) {
            const uint32_t v = in[m_columns[x] - fromX];
            if (v != 0 || !skipEmpty) out[x] = v;
        }
    }
}

void FrameScaler::draw(const DisplayList& list, const PixelBuffer& frame, PixelBuffer& device,
                       const Rect& place, TextPainter& deviceTexts) {
    const Rect p =
        place.intersected({0, 0, std::min(m_width, frame.width), std::min(m_height, frame.height)});
    if (p.empty()) return;
    enlarge(frame, 0, 0, device, p, false);
    for (const auto& call : list.textCalls(p)) {
        const Rect r = call.place.intersected(p);
        list.drawText(call.index, deviceTexts, r);
        // What was drawn over the text at 100 % goes over it again: the calls
        // after it, drawn into an empty copy of its place, and enlarged
        // where they drew.
        m_scratch.assign(static_cast<size_t>(r.area()), 0);
        PixelBuffer s{m_scratch.data(), r.x2 - r.x1, r.y2 - r.y1, r.x2 - r.x1};
        if (list.replayShapes(s, r, call.index + 1)) enlarge(s, r.x1, r.y1, device, r, true);
    }
}

}  // namespace quendar::map
