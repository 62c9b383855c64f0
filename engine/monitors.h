// The monitor layout and the geometry built on it: the virtual screen that
// bounds all monitors (the viewport), which pointer positions are outer
// edges, the work area of the monitor nearest a window, and the part of the
// desktop that some monitor shows once the view is moved there.
//
// With one monitor at (0, 0) every answer equals the single-screen one: the
// edges are the screen's, the work area is the screen less its taskbars and
// the re-fit bounds are the whole virtual desktop.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

class MonitorLayout {
public:
    MonitorLayout();

    // Reads the present monitors; with none reported, the desktop window's
    // rectangle is the one monitor. Returns the count.
    int load();
    // Takes the given monitors (at most kMaxMonitors; none: one of 1 x 1).
    void set(const platform::Monitor* list, int count);

    int count() const { return count_; }
    const platform::Monitor& at(int i) const { return monitors_[i]; }
    // The virtual screen: the rectangle that bounds all monitors.
    const platform::Rect& bounds() const { return bounds_; }
    int32_t width() const { return bounds_.right - bounds_.left; }
    int32_t height() const { return bounds_.bottom - bounds_.top; }
    const platform::Monitor& primary() const;
    bool sameAs(const MonitorLayout& other) const;

    // True when the point lies on a monitor.
    bool contains(int32_t x, int32_t y) const;
    // The monitor that holds the point, else the nearest one.
    int monitorAt(platform::Point p) const;
    // The monitor with the largest share of the rectangle, else the nearest.
    int nearestTo(const platform::Rect& r) const;
    // True when the rectangle overlaps a monitor.
    bool shows(const platform::Rect& r) const;

    // The edge test for a pointer at p: the bands of the monitor under it
    // (0 .. band from its low edges, the last `band` positions of its high
    // ones), and only where no monitor lies beyond that edge at the
    // pointer's height (or width). Remembers the monitor for pageHome.
    void edgeAt(platform::Point p, int32_t band, int* dirX, int* dirY);
    // Where page mode puts the pointer after a page: the centre of the
    // monitor of the last edge test.
    platform::Point pageHome() const;

    // The saved top-left corner of one of our windows when it lies on a
    // monitor, else the top-left corner of the primary monitor's work area.
    platform::Point placeOnMonitor(platform::Point p) const;

    // Work areas of every monitor: its work area as the system reports it,
    // narrowed by the taskbars (windows of the taskbar class) nearest it,
    // each by the single-screen margin rules applied to that monitor.
    void workAreas(platform::Rect* out) const;

    // Index of the rectangle with the largest overlap with r, else of the
    // nearest one; ties go to the first.
    static int nearestOf(const platform::Rect* rects, int count, const platform::Rect& r);

private:
    platform::Monitor monitors_[platform::kMaxMonitors];
    int count_;
    platform::Rect bounds_;
    int lastPointerMonitor_;
};

// Where the re-fit keeps each window once the view is at (viewX, viewY):
// the part of the virtual desktop that the monitor nearest the window shows
// over all view positions, in screen coordinates. After a display change, a
// window that was on a monitor of the old layout (marked with keepOnScreen)
// stays on one: it is kept inside the nearest monitor of the new layout.
class RefitArea {
public:
    RefitArea(const MonitorLayout& layout, int32_t viewX, int32_t viewY, int32_t virtualWidth,
              int32_t virtualHeight);
    // Up to kMaxKept windows; later ones are re-fitted like the others.
    void keepOnScreen(platform::WindowHandle window);
    platform::Rect boundsFor(platform::WindowHandle window, const platform::Rect& r) const;

    static constexpr int kMaxKept = 512;

private:
    const MonitorLayout& layout_;
    platform::Rect swept_[platform::kMaxMonitors];
    platform::WindowHandle kept_[kMaxKept];
    int keptCount_;
};

// Shifts r so that it lies inside the bounds on each axis where it sticks
// out (the left and top edges first, so a window larger than the bounds
// keeps its top-left corner inside).
void shiftInside(platform::Rect* r, const platform::Rect& bounds);
