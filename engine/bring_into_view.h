// Bringing one window into view: the view moves so that the window shows
// (every other window moves by the same amount, as for any view move), or, in
// its own operation, the window comes to the view. Used when a window out of
// view comes to the front, by the overview and by the command line.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

class VirtualDesk;

// The window is not one the view moves: unknown, gone, hidden, minimized,
// excluded, fixed, or held where it stands by its program.
constexpr int kNotBringable = 1;

// Moves the view so that the window shows: 0 when the view moved or the
// window was already wholly in view; kNotBringable; kNothingToMove when the
// window lies beyond the desktop's border where the view cannot follow. Takes
// the window table afresh first and marks the map changed after a move.
int bringIntoView(VirtualDesk* desk, platform::WindowHandle window);

// Brings the window to the view instead: placed as the gathering places a
// window (its size kept) onto the work area of the monitor under `pointer`;
// the view and every other window stay. 0 when it moved or was already
// wholly in view, kNotBringable, or kGatherRefused when the platform refused.
int bringWindowHere(VirtualDesk* desk, platform::WindowHandle window, platform::Point pointer);

// The rectangle (screen coordinates) shows wholly on the monitors at the
// desk's view: the test both operations make first.
bool standsInView(const VirtualDesk& desk, const platform::Rect& r);

// The geometry of the two, free of any platform call so that it can be
// tested as a table.
namespace view_reach {

struct Geometry {
    int32_t viewX;
    int32_t viewY;
    int32_t virtualWidth;
    int32_t virtualHeight;
    platform::Rect screen;  // the rectangle that bounds all monitors, screen coordinates
    const platform::Monitor* monitors;
    int monitorCount;
    bool pageMode;
    // The window's frame may stand this far outside a monitor and still count
    // as in view (a maximized window's frame, the system's invisible borders
    // of a window snapped to the screen's edge): no move for a few pixels.
    int32_t frame;
};

struct Move {
    int32_t dx;  // positive: the view goes right, every window left
    int32_t dy;
    bool clamped;  // the desktop's border cut the move short
};

// The window's rectangle (screen coordinates) lies wholly on one monitor, or
// within the monitors' bounds with each corner on a monitor.
bool whollyInView(const Geometry& g, const platform::Rect& window);

// The view move that shows the window: (0, 0) when it is wholly in view.
// Otherwise the smallest move that puts it wholly onto one monitor (one larger
// than the monitor: as much as fits, its top-left corner first), or in page
// mode the move to the page holding its centre; either clamped so that the
// view stays on the virtual desktop.
Move moveToShow(const Geometry& g, const platform::Rect& window);

}  // namespace view_reach
