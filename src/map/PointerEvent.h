#pragma once

namespace quendar::map {

// A mouse event on a custom-drawn window, as the window's toolkit layer hands
// it to the logic: what happened, which button, the modifier keys held and
// the position in client pixels.
enum class PointerAction { Press, Release, DoubleClick, Move };
enum class PointerButton { None, Left, Right, Middle };

struct PointerEvent {
    PointerAction action = PointerAction::Move;
    PointerButton button = PointerButton::None;
    bool shift = false;
    bool control = false;
    int x = 0;
    int y = 0;

    bool is(PointerAction a, PointerButton b) const { return action == a && button == b; }
    // Neither Shift nor Control held.
    bool plain() const { return !shift && !control; }
};

// The mouse cursor a window shows over the map.
enum class CursorShape { Arrow, Cross, Hand };

}  // namespace quendar::map
