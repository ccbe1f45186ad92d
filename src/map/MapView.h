#pragma once

#include <cstdint>
#include <string>

#include "core/DisplaySettings.h"
#include "mission/ShipgroupRecord.h"

namespace quendar::map {

// Status-bar texts of the refused view commands.
inline constexpr const char* kZoomLockedMessage =
    "You can't change zoom because briefing lock-position engaged.";
inline constexpr const char* kRegionLockedMessage =
    "You can't change region because briefing lock-position engaged.";

enum class Projection : int { XY = 0, XZ = 1, YZ = 2 };
enum class ScrollAxis { Horizontal, Vertical };
enum class ScrollRequest {
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    ThumbPosition,
    ThumbTrack,
    EndScroll
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
};

// A click turned into mission units: the values for the horizontal and the
// vertical axis of the projection.
struct ClickPosition {
    int16_t horizontal = 0;
    int16_t vertical = 0;
};

// The map's view state and the operations on it, without any toolkit: where
// the window looks (zoom in pixels per km, scroll position = map pixel of the
// window's top-left corner, the shown region), how mission positions become
// window pixels and back, and the zoom, scroll, centre, projection and region
// commands. The window translates its events into these calls and repaints.
//
// The projection itself is the persisted `projection` of the display settings
// (the axis dialog edits the live value), so the calls that need it take the
// settings. `lockEngaged` arguments mean: the briefing lock is on while the map
// is in briefing mode.
class MapView {
  public:
    static constexpr int kInitialZoom = 100;
    static constexpr int kHalfSpanKm = 204;  // the map spans ±204 km around the origin
    static constexpr int kCentringNotifications = 7;

    // --- state
    int zoom() const { return m_zoom; }
    int previousZoom() const { return m_previousZoom; }
    int scrollX() const { return m_scrollX; }
    int scrollY() const { return m_scrollY; }
    // Drag and edge scrolling move the view directly, within the scroll bars' ranges.
    void setScroll(int x, int y);
    int currentRegion() const { return m_region; }
    int mouseX() const { return m_mouseX; }
    int mouseY() const { return m_mouseY; }
    void setMouse(int x, int y) {
        m_mouseX = x;
        m_mouseY = y;
    }
    int centreMode() const { return m_centreMode; }
    bool setCentreMode(int mode);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // --- positions and pixels
    // km of a stored position: high byte (signed) × 1.6 + low byte × 0.00625.
    static double km(int16_t position);
    // A projection outside 0..2 (a damaged preferences file) shows as X-Y.
    static int normalProjection(int projection) {
        return projection >= 0 && projection <= 2 ? projection : 0;
    }
    // Which component of a point runs across (first) and down (second).
    static int horizontalAxis(int projection) {  // 0 = X, 1 = Y, 2 = Z
        return normalProjection(projection) == 2 ? 1 : 0;
    }
    static int verticalAxis(int projection) { return normalProjection(projection) == 0 ? 1 : 2; }
    static int component(const mission::Point3& p, int axis) {
        return axis == 0 ? p.x : axis == 1 ? p.y : p.z;
    }
    // Map pixel (km × zoom, before the scroll) and window pixel of a position.
    double mapPixel(int16_t position) const { return km(position) * m_zoom; }
    // km × zoom − scroll rounded down (towards minus infinity), worked out
    // exactly: in floating point a product that should be whole can fall just
    // below it, and then the point would sit one pixel left of (or above) its
    // place at some scroll positions and not at others, wobbling against the
    // grid while the map is dragged. Rounding down keeps a point's offset
    // from the content the same on both sides of the window's left and top
    // edges, so a point crossing them moves exactly with the scroll.
    int windowX(int16_t horizontal) const { return windowPixel(horizontal, m_scrollX); }
    int windowY(int16_t vertical) const { return windowPixel(vertical, m_scrollY); }
    PixelPoint project(const mission::Point3& p, int projection) const {
        return {windowX(static_cast<int16_t>(component(p, horizontalAxis(projection)))),
                windowY(static_cast<int16_t>(component(p, verticalAxis(projection))))};
    }
    // Window pixel to mission units; the two quotients are truncated apart.
    int16_t positionFromX(int clientX) const;
    int16_t positionFromY(int clientY) const;
    ClickPosition clickPosition() const {
        return {positionFromX(m_mouseX), positionFromY(m_mouseY)};
    }

    // --- zoom
    // Zoom In (+20) and Zoom Out (−20). Returns the status message, empty when none.
    std::string zoomStep(int step, bool lockEngaged);
    // One wheel notch: forward (delta > 0) +10, backward −10; refused silently under the lock.
    void wheel(int delta, bool lockEngaged);
    bool zoomInEnabled(bool lockEngaged) const { return !lockEngaged && m_zoom <= 254; }
    bool zoomOutEnabled(bool lockEngaged) const { return !lockEngaged && m_zoom >= 5; }

    // --- size, scroll ranges, centring, scroll bars
    // A size notification of the window (also sent after zoom steps and after
    // Map Properties): re-applies the scroll ranges and, during the first seven,
    // centres the origin.
    void resize(int width, int height);
    void sizeNotification() { resize(m_width, m_height); }
    // How many of the centring notifications have been received (at most
    // kCentringNotifications).
    int centringNotificationsSeen() const { return m_sizeNotifications; }
    bool hasScrollRanges() const { return m_centreMode == 0; }
    ScrollRange horizontalRange() const;
    ScrollRange verticalRange() const;
    // "Move to center position". False when refused or not possible.
    bool centre(bool lockEngaged);
    bool centreEnabled(bool lockEngaged) const { return !lockEngaged; }
    // A scroll-bar request; `thumb` is used by the thumb requests. False when ignored.
    bool scroll(ScrollAxis axis, ScrollRequest request, int thumb, bool lockEngaged);

    // --- projection and region
    // False (nothing done) in briefing mode.
    bool setProjection(core::DisplaySettings& settings, int projection, bool briefingMode);
    static bool projectionEnabled(int projection, bool briefingMode) {
        return !briefingMode || projection == 0;
    }
    // Returns the status message of a refusal, empty when done.
    std::string setRegion(int region, bool lockEngaged);

    // --- status read-out ("Position X", "Position Y")
    std::string readoutX() const { return formatHundredths(hundredthsX()); }
    std::string readoutY() const { return formatHundredths(hundredthsY()); }
    int hundredthsX() const;
    int hundredthsY() const;
    static std::string formatHundredths(int h);

    // --- briefing mode
    void enterBriefingMode(core::DisplaySettings& settings);
    void leaveBriefingMode();
    // The locked briefing view: zoom, and the point (x, y in position units) in
    // the middle of the window, in region `region`.
    void applyBriefingView(int zoom, int x, int y, int region);

  private:
    int windowPixel(int16_t position, int scroll) const {
        const long long n = 1LL * position * m_zoom - 160LL * scroll;
        return static_cast<int>(n >= 0 ? n / 160 : -((159 - n) / 160));
    }
    void applyZoomStep(int step, bool allowed);
    int withinRange(ScrollRange r, int pos) const;

    int m_zoom = kInitialZoom;
    int m_previousZoom = kInitialZoom;
    int m_scrollX = 0;
    int m_scrollY = 0;
    int m_region = 0;
    int m_mouseX = 0;
    int m_mouseY = 0;
    int m_centreMode = 0;
    int m_width = 0;
    int m_height = 0;
    int m_sizeNotifications = 0;
    int m_zoomBeforeBriefing = kInitialZoom;
};

}  // namespace quendar::map
