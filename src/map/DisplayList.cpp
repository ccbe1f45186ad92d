#include "map/DisplayList.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace quendar::map {

namespace {

// Coordinates beyond this are not moved (the list is then not movable).
constexpr long long kFar = 1LL << 28;

int clampInt(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

Rect box(long long x1, long long y1, long long x2, long long y2) {
    return {clampInt(x1), clampInt(y1), clampInt(x2), clampInt(y2)};
}

// How far the pixels of a line reach beyond its end points (see drawLine).
Rect lineBounds(int x1, int y1, int x2, int y2, int width) {
    const int before = width / 2;
    return box(std::min<long long>(x1, x2) - before, std::min<long long>(y1, y2) - before,
               std::max<long long>(x1, x2) - before + width,
               std::max<long long>(y1, y2) - before + width);
}

}  // namespace

Rect Rect::intersected(const Rect& o) const {
    return {std::max(x1, o.x1), std::max(y1, o.y1), std::min(x2, o.x2), std::min(y2, o.y2)};
}

Rect Rect::united(const Rect& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    return {std::min(x1, o.x1), std::min(y1, o.y1), std::max(x2, o.x2), std::max(y2, o.y2)};
}

void DisplayList::reset(int width, int height, TextPainter* texts) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_texts = texts;
    m_stream = nullptr;
    m_pen = Pen{};
    m_brush = Brush{};
    m_movable = true;
    m_ops.clear();
    m_textItems.clear();
    m_images.clear();
    if (m_shapes.size() > 16) m_shapes.clear();
}

template <class Table>
void DisplayList::makeRoom(Table& table) {
    if (!m_stream || table.size() < table.capacity()) return;
    m_stream->pause();
    struct Resume {
        Stream& s;
        ~Resume() { s.resume(); }
    } resume{*m_stream};
    table.reserve(std::max<size_t>(64, table.capacity() * 2));
}

// Every 256 calls the stream hears how far the list is.
void DisplayList::add(Op op) {
    for (long long v : {op.x1, op.y1, op.x2, op.y2})
        if (v < -kFar || v > kFar) m_movable = false;
    makeRoom(m_ops);
    m_ops.push_back(op);
    if (m_stream && m_ops.size() % 256 == 0) m_stream->published(m_ops.size());
}

void DisplayList::fill(Colour colour) {
    Op op;
    op.kind = Kind::Fill;
    op.colour = colour;
    op.bounds = {0, 0, m_width, m_height};
    add(op);
}

// A solid line along an axis covers a rectangle, kept as one: then a line
// across the whole window (grid lines, axes) draws the same pixels after a
// scroll along it, although its end points moved.
void DisplayList::line(int x1, int y1, int x2, int y2) {
    if (m_pen.style == PenStyle::None) return;
    Op op;
    if (m_pen.style == PenStyle::Solid && (x1 == x2 || y1 == y2)) {
        op.kind = Kind::FillRect;
        op.colour = m_pen.colour;
        op.bounds = lineBounds(x1, y1, x2, y2, std::clamp(m_pen.width, 1, kMaxLineWidth));
        op.x1 = op.bounds.x1, op.y1 = op.bounds.y1, op.x2 = op.bounds.x2, op.y2 = op.bounds.y2;
        add(op);
        return;
    }
    op.kind = Kind::Line;
    op.flag = m_pen.style == PenStyle::Dashed;
    op.width = std::clamp(m_pen.width, 1, kMaxLineWidth);
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    op.colour = m_pen.colour;
    op.bounds = lineBounds(x1, y1, x2, y2, op.width);
    add(op);
}

void DisplayList::rectangle(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    Op op;
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    op.bounds = {x1, y1, x2, y2};
    if (m_brush.solid) {
        op.kind = Kind::FillRect;
        op.colour = m_brush.colour;
        add(op);
    }
    if (m_pen.style != PenStyle::None) {
        op.kind = Kind::RectOutline;
        op.colour = m_pen.colour;
        op.width = std::clamp(m_pen.width, 1, kMaxLineWidth);
        add(op);
    }
}

void DisplayList::ellipse(int x1, int y1, int x2, int y2) {
    if (x2 <= x1 || y2 <= y1) return;
    Op op;
    op.kind = Kind::Ellipse;
    op.x1 = x1, op.y1 = y1, op.x2 = x2, op.y2 = y2;
    op.flag = m_pen.style != PenStyle::None;
    op.colour = m_pen.colour;
    op.fill = m_brush.solid;
    op.colour2 = m_brush.colour;
    op.bounds = {x1, y1, x2, y2};
    // The map draws its circles in one or two sizes.
    const int w = x2 - x1, h = y2 - y1;
    auto it = std::find_if(m_shapes.begin(), m_shapes.end(),
                           [&](const EllipseShape& s) { return s.width == w && s.height == h; });
    if (it == m_shapes.end()) {
        makeRoom(m_shapes);
        m_shapes.push_back(makeEllipseShape(w, h));
        it = m_shapes.end() - 1;
    }
    op.ref = static_cast<int>(it - m_shapes.begin());
    add(op);
}

void DisplayList::setPixel(int x, int y, Colour colour) {
    Op op;
    op.kind = Kind::FillRect;
    op.x1 = x, op.y1 = y, op.x2 = x + (x < INT_MAX), op.y2 = y + (y < INT_MAX);
    op.colour = colour;
    op.bounds = {op.x1, op.y1, op.x2, op.y2};
    add(op);
}

void DisplayList::text(int x, int y, std::string_view text, Colour colour, const Font& font) {
    Op op;
    op.kind = Kind::Text;
    op.x1 = op.x2 = x, op.y1 = op.y2 = y;
    op.colour = colour;
    op.ref = static_cast<int>(m_textItems.size());
    op.bounds =
        m_texts ? m_texts->textBounds(x, y, text, font) : Rect{INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    makeRoom(m_textItems);
    m_textItems.push_back({std::string(text), font});
    add(op);
}

void DisplayList::drawImage(int x, int y, const core::RgbaImage& image) {
    static const ImageRuns none;
    drawImage(x, y, image, none);
}

// An image with runs must stay unchanged, at its place, until the list has
// been replayed and compared: the map's icons live in the renderer's cache.
void DisplayList::drawImage(int x, int y, const core::RgbaImage& image, const ImageRuns& runs) {
    if (image.empty()) return;
    ImageItem item;
    if (runs.empty())
        item.copy = image;
    else
        item.image = &image, item.runs = &runs;
    Op op;
    op.kind = Kind::Image;
    op.x1 = x, op.y1 = y;
    op.x2 = clampInt(1LL * x + image.width), op.y2 = clampInt(1LL * y + image.height);
    op.ref = static_cast<int>(m_images.size());
    op.bounds = {op.x1, op.y1, op.x2, op.y2};
    makeRoom(m_images);
    m_images.push_back(std::move(item));
    add(op);
}

void DisplayList::replay(PixelBuffer& target, const Rect& clip, TextPainter* texts, size_t from,
                         size_t to) const {
    const Rect c = clip.intersected(
        {0, 0, std::min(m_width, target.width), std::min(m_height, target.height)});
    if (c.empty()) return;
    // Read through the tables' start only: the recording thread may be adding to them.
    const Op* ops = m_ops.data();
    for (size_t i = from; i < to; ++i)
        if (ops[i].bounds.intersects(c)) draw(ops[i], target, c, texts);
}

// A call clipped to `clip` draws into the part of the target under the clip,
// with its coordinates moved by the clip's corner; the drawing rules give the
// same pixels wherever a call lands.
void DisplayList::draw(const Op& op, PixelBuffer& target, const Rect& clip,
                       TextPainter* texts) const {
    if (op.kind == Kind::Text) {
        if (texts) {
            const TextItem& t = m_textItems[op.ref];
            texts->text(op.x1, op.y1, t.text, op.colour, t.font, clip);
        }
        return;
    }
    const bool whole = clip == Rect{0, 0, target.width, target.height};
    const int ox = whole ? 0 : clip.x1, oy = whole ? 0 : clip.y1;
    PixelBuffer b{target.bits + static_cast<size_t>(oy) * target.stride + ox, clip.x2 - clip.x1,
                  clip.y2 - clip.y1, target.stride};
    drawShape(op, b, ox, oy);
}

void DisplayList::drawShape(const Op& op, PixelBuffer& b, int ox, int oy) const {
    const int x1 = op.x1 - ox, y1 = op.y1 - oy, x2 = op.x2 - ox, y2 = op.y2 - oy;
    switch (op.kind) {
        case Kind::Fill: fillRect(b, 0, 0, b.width, b.height, op.colour); break;
        case Kind::Line: drawLine(b, x1, y1, x2, y2, op.colour, op.width, op.flag); break;
        case Kind::FillRect: fillRect(b, x1, y1, x2, y2, op.colour); break;
        case Kind::RectOutline: drawRectOutline(b, x1, y1, x2, y2, op.colour, op.width); break;
        case Kind::Ellipse:
            drawEllipse(b, x1, y1, m_shapes[op.ref], op.flag, op.colour, op.fill, op.colour2);
            break;
        case Kind::Image: {
            const ImageItem& im = m_images[op.ref];
            if (im.runs)
                map::drawImage(b, x1, y1, im.pixels(), *im.runs);
            else
                map::drawImage(b, x1, y1, im.pixels());
            break;
        }
        case Kind::Text: break;
    }
}

std::vector<DisplayList::TextCall> DisplayList::textCalls(const Rect& clip) const {
    std::vector<TextCall> calls;
    for (size_t i = 0; i < m_ops.size(); ++i)
        if (m_ops[i].kind == Kind::Text && m_ops[i].bounds.intersects(clip))
            calls.push_back({i, m_ops[i].bounds});
    return calls;
}

void DisplayList::drawText(size_t index, TextPainter& texts, const Rect& clip) const {
    if (index >= m_ops.size() || m_ops[index].kind != Kind::Text) return;
    const Op& op = m_ops[index];
    const TextItem& t = m_textItems[op.ref];
    texts.text(op.x1, op.y1, t.text, op.colour, t.font, clip);
}

bool DisplayList::replayShapes(PixelBuffer& target, const Rect& place, size_t from) const {
    bool any = false;
    for (size_t i = from; i < m_ops.size(); ++i) {
        const Op& op = m_ops[i];
        if (op.kind == Kind::Text || !op.bounds.intersects(place)) continue;
        drawShape(op, target, place.x1, place.y1);
        any = true;
    }
    return any;
}

bool DisplayList::sameMoved(const Op& a, const Op& b, const DisplayList& before, int dx,
                            int dy) const {
    if (a.kind != b.kind || a.flag != b.flag || a.fill != b.fill || a.width != b.width ||
        a.colour != b.colour || a.colour2 != b.colour2)
        return false;
    if (a.kind == Kind::Fill) return true;
    if (a.kind == Kind::FillRect) {
        // Only the pixels that stay in the window count.
        const Rect kept =
            Rect{0, 0, m_width, m_height}.intersected({dx, dy, m_width + dx, m_height + dy});
        const Rect ra = box(1LL * a.x1 + dx, 1LL * a.y1 + dy, 1LL * a.x2 + dx, 1LL * a.y2 + dy)
                            .intersected(kept);
        const Rect rb = Rect{b.x1, b.y1, b.x2, b.y2}.intersected(kept);
        return ra == rb || (ra.empty() && rb.empty());
    }
    if (1LL * a.x1 + dx != b.x1 || 1LL * a.y1 + dy != b.y1 || 1LL * a.x2 + dx != b.x2 ||
        1LL * a.y2 + dy != b.y2)
        return false;
    switch (a.kind) {
        case Kind::Ellipse: return a.fill == b.fill;  // the shape follows from the box
        case Kind::Image:
            // Copies are never taken for the same image.
            return before.m_images[a.ref].image &&
                   before.m_images[a.ref].image == m_images[b.ref].image &&
                   before.m_images[a.ref].runs == m_images[b.ref].runs;
        case Kind::Text: {
            const TextItem& ta = before.m_textItems[a.ref];
            const TextItem& tb = m_textItems[b.ref];
            return ta.text == tb.text && ta.font == tb.font;
        }
        default: return true;
    }
}

// The two lists are walked side by side: equal calls (after the move) keep
// their pixels. Where they part, a call of one list is looked for a little
// further in the other (calls that appear or disappear at the window's edges,
// such as grid lines, labels and icons); whatever is left unpaired is a
// change, in its place before (moved) and after. Pairs keep their order, so
// every pixel outside the changes ends as the same last call drew it.
std::vector<Rect> DisplayList::changesFrom(const DisplayList& before, int dx, int dy) const {
    constexpr size_t kLookAhead = 64;
    const Rect surface{0, 0, m_width, m_height};
    std::vector<Rect> out;
    auto mark = [&](Rect r) {
        r = r.intersected(surface);
        if (r.empty()) return;
        // Merge with every place it touches until none is left.
        for (size_t k = 0; k < out.size();) {
            const Rect& o = out[k];
            if (r.x1 <= o.x2 && o.x1 <= r.x2 && r.y1 <= o.y2 && o.y1 <= r.y2) {
                r = r.united(o);
                out.erase(out.begin() + static_cast<long>(k));
                k = 0;
            } else {
                ++k;
            }
        }
        out.push_back(r);
        // Scattered changes: one place around them all.
        if (out.size() > 32) {
            Rect all;
            for (const Rect& o : out) all = all.united(o);
            out.assign(1, all);
        }
    };
    auto moved = [&](const Rect& r) {
        return box(1LL * r.x1 + dx, 1LL * r.y1 + dy, 1LL * r.x2 + dx, 1LL * r.y2 + dy);
    };
    const auto& a = before.m_ops;
    const auto& b = m_ops;
    size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (sameMoved(a[i], b[j], before, dx, dy)) {
            ++i, ++j;
            continue;
        }
        size_t gone = 0, added = 0;  // 0: not found
        for (size_t k = 1; k <= kLookAhead && !gone && i + k < a.size(); ++k)
            if (sameMoved(a[i + k], b[j], before, dx, dy)) gone = k;
        for (size_t k = 1; k <= kLookAhead && !added && j + k < b.size(); ++k)
            if (sameMoved(a[i], b[j + k], before, dx, dy)) added = k;
        if (added && (!gone || added <= gone)) {
            for (; added; --added) mark(b[j++].bounds);
        } else if (gone) {
            for (; gone; --gone) mark(moved(a[i++].bounds));
        } else {
            mark(moved(a[i++].bounds));
            mark(b[j++].bounds);
        }
    }
    for (; i < a.size(); ++i) mark(moved(a[i].bounds));
    for (; j < b.size(); ++j) mark(b[j].bounds);
    return out;
}

}  // namespace quendar::map
