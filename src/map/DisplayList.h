#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "map/Canvas.h"
#include "map/PixelOps.h"

namespace quendar::map {

// A rectangle of window pixels, right and bottom edges exclusive.
struct Rect {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool empty() const { return x2 <= x1 || y2 <= y1; }
    bool intersects(const Rect& o) const {
        return x1 < o.x2 && o.x1 < x2 && y1 < o.y2 && o.y1 < y2;
    }
    Rect intersected(const Rect& o) const;
    Rect united(const Rect& o) const;
    long long area() const { return empty() ? 0 : 1LL * (x2 - x1) * (y2 - y1); }
    bool operator==(const Rect&) const = default;
};

// The toolkit's part of a paint: it draws texts and knows where they land.
class TextPainter {
  public:
    virtual ~TextPainter() = default;
    // Draws as Canvas::text does, changing no pixel outside `clip`.
    virtual void text(int x, int y, std::string_view text, Colour colour, const Font& font,
                      const Rect& clip) = 0;
    // Every pixel text() may change for this text.
    virtual Rect textBounds(int x, int y, std::string_view text, const Font& font) = 0;
};

// A paint kept as a list of drawing calls, which can be replayed into memory
// within any rectangle with exactly the pixels of drawing it at once (the
// drawing rules do not depend on where a call lands), and compared with the
// list of an earlier paint moved by some pixels: the window keeps its last
// frame, moves it when the view scrolls and redraws only where the two lists
// differ.
class DisplayList : public Canvas {
  public:
    // Another thread replaying the calls while they are being recorded: it is
    // told how many calls are complete, and it stops reading before any of the
    // list's tables moves in memory and starts again after.
    class Stream {
      public:
        virtual ~Stream() = default;
        virtual void published(size_t calls) = 0;
        virtual void pause() = 0;
        virtual void resume() = 0;
    };
    // Until the next reset; null: none.
    void setStream(Stream* stream) { m_stream = stream; }

    // `texts` says where texts land; without it a text may cover the whole surface.
    void reset(int width, int height, TextPainter* texts);

    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void setPen(const Pen& pen) override { m_pen = pen; }
    void setBrush(const Brush& brush) override { m_brush = brush; }
    void fill(Colour colour) override;
    void line(int x1, int y1, int x2, int y2) override;
    void rectangle(int x1, int y1, int x2, int y2) override;
    void ellipse(int x1, int y1, int x2, int y2) override;
    void setPixel(int x, int y, Colour colour) override;
    void text(int x, int y, std::string_view text, Colour colour, const Font& font = {}) override;
    void drawImage(int x, int y, const core::RgbaImage& image) override;
    void drawImage(int x, int y, const core::RgbaImage& image, const ImageRuns& runs) override;

    // Draws every recorded call within `clip` into `target` (of the list's size).
    void replay(PixelBuffer& target, const Rect& clip, TextPainter* texts) const {
        replay(target, clip, texts, 0, m_ops.size());
    }
    // The same for calls [from, to) only; with a stream, from another thread
    // for calls already published.
    void replay(PixelBuffer& target, const Rect& clip, TextPainter* texts, size_t from,
                size_t to) const;
    // Where this list draws otherwise than `before` with everything moved by
    // (dx, dy) pixels: the pixels of all other places are those of `before`'s
    // picture moved. Overlapping places are merged.
    std::vector<Rect> changesFrom(const DisplayList& before, int dx, int dy) const;
    // The text calls whose place touches `clip`, in the order they were made.
    struct TextCall {
        size_t index = 0;
        Rect place;  // every pixel the text may change
    };
    std::vector<TextCall> textCalls(const Rect& clip) const;
    // Draws the text call `index` with `texts`, within `clip`.
    void drawText(size_t index, TextPainter& texts, const Rect& clip) const;
    // Draws the calls from `from` on that are not texts, within `place`, into
    // `target`, which holds only that place (its pixel 0, 0 is the place's
    // top-left corner). True when any call touched the place.
    bool replayShapes(PixelBuffer& target, const Rect& place, size_t from) const;
    // False when a coordinate lies so far out that moving it could overflow.
    bool movable() const { return m_movable; }
    size_t size() const { return m_ops.size(); }

  private:
    enum class Kind : uint8_t { Fill, Line, FillRect, RectOutline, Ellipse, Image, Text };
    struct Op {
        Kind kind = Kind::Fill;
        bool flag = false;  // Line: dashed; Ellipse: outline
        bool fill = false;  // Ellipse: filled
        int width = 1;      // Line, RectOutline
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        Colour colour = 0, colour2 = 0;
        int ref = 0;  // Ellipse: shape; Image: image; Text: text
        Rect bounds;  // every pixel the call may change
    };
    struct TextItem {
        std::string text;
        Font font;
    };
    // Images with runs are the renderer's cached icons, which live through a
    // paint; any other image is copied.
    struct ImageItem {
        const core::RgbaImage* image = nullptr;  // null: `copy`
        const ImageRuns* runs = nullptr;
        core::RgbaImage copy;
        const core::RgbaImage& pixels() const { return image ? *image : copy; }
    };

    void add(Op op);
    // Room for one more entry in `table`, moved (if it must be) while the stream is paused.
    template <class Table>
    void makeRoom(Table& table);
    bool sameMoved(const Op& before, const Op& after, const DisplayList& list, int dx,
                   int dy) const;
    void draw(const Op& op, PixelBuffer& target, const Rect& clip, TextPainter* texts) const;
    // `b` holds the pixels from (ox, oy) on.
    void drawShape(const Op& op, PixelBuffer& b, int ox, int oy) const;

    int m_width = 0;
    int m_height = 0;
    TextPainter* m_texts = nullptr;
    Stream* m_stream = nullptr;
    Pen m_pen;
    Brush m_brush;
    bool m_movable = true;
    std::vector<Op> m_ops;
    std::vector<TextItem> m_textItems;
    std::vector<ImageItem> m_images;
    std::vector<EllipseShape> m_shapes;
};

}  // namespace quendar::map
