// Bringing one window into view.
#include "engine/bring_into_view.h"

#include "engine/gather_rules.h"
#include "engine/virtual_desk.h"

namespace view_reach {

namespace {

// The part of the window that must show: its frame may stand outside.
platform::Rect visiblePart(const platform::Rect& r, int32_t frame) {
    if (frame <= 0) return r;
    platform::Rect v = r;
    if (int64_t{r.right} - r.left > 2 * int64_t{frame}) {
        v.left += frame;
        v.right -= frame;
    }
    if (int64_t{r.bottom} - r.top > 2 * int64_t{frame}) {
        v.top += frame;
        v.bottom -= frame;
    }
    return v;
}

bool inside(const platform::Rect& r, const platform::Rect& m) {
    return r.left >= m.left && r.top >= m.top && r.right <= m.right && r.bottom <= m.bottom;
}

bool onSomeMonitor(const Geometry& g, int64_t x, int64_t y) {
    for (int i = 0; i < g.monitorCount; ++i) {
        const platform::Rect& a = g.monitors[i].area;
        if (a.left <= x && x < a.right && a.top <= y && y < a.bottom) return true;
    }
    return false;
}

// How far the view must go along one axis so that [lo, hi) lies in [mlo, mhi):
// the low edge first when the window is the larger.
int64_t axisShift(int64_t lo, int64_t hi, int64_t mlo, int64_t mhi) {
    if (hi - lo > mhi - mlo || lo < mlo) return lo - mlo;
    if (hi > mhi) return hi - mhi;
    return 0;
}

int64_t magnitude(int64_t v) { return v < 0 ? -v : v; }

// The view position v + d kept within 0 .. range, as a move from v.
int32_t clampedMove(int64_t v, int64_t d, int64_t range) {
    int64_t to = v + d;
    if (to > range) to = range;
    if (to < 0) to = 0;
    return static_cast<int32_t>(to - v);
}

// Largest multiple of `page` not above v (v may be negative).
int64_t pageBelow(int64_t v, int64_t page) {
    if (page <= 0) return v;
    int64_t q = v / page;
    if (v % page != 0 && v < 0) --q;
    return q * page;
}

}  // namespace

bool whollyInView(const Geometry& g, const platform::Rect& window) {
    const platform::Rect v = visiblePart(window, g.frame);
    if (v.right <= v.left || v.bottom <= v.top) return false;
    for (int i = 0; i < g.monitorCount; ++i) {
        if (inside(v, g.monitors[i].area)) return true;
    }
    // Across monitors that meet: inside their bounds, every corner on one.
    if (!inside(v, g.screen)) return false;
    return onSomeMonitor(g, v.left, v.top) && onSomeMonitor(g, int64_t{v.right} - 1, v.top) &&
           onSomeMonitor(g, v.left, int64_t{v.bottom} - 1) &&
           onSomeMonitor(g, int64_t{v.right} - 1, int64_t{v.bottom} - 1);
}

Move moveToShow(const Geometry& g, const platform::Rect& window) {
    if (whollyInView(g, window)) return {0, 0, false};
    const int64_t screenWidth = int64_t{g.screen.right} - g.screen.left;
    const int64_t screenHeight = int64_t{g.screen.bottom} - g.screen.top;
    const int64_t rangeX = int64_t{g.virtualWidth} - screenWidth;
    const int64_t rangeY = int64_t{g.virtualHeight} - screenHeight;
    int64_t dx = 0;
    int64_t dy = 0;
    if (g.pageMode) {
        // The page (a whole screen of the grid) that holds the window's centre.
        const int64_t cx = g.viewX + (int64_t{window.left} + window.right) / 2 - g.screen.left;
        const int64_t cy = g.viewY + (int64_t{window.top} + window.bottom) / 2 - g.screen.top;
        dx = pageBelow(cx, screenWidth) - g.viewX;
        dy = pageBelow(cy, screenHeight) - g.viewY;
    } else {
        // The monitor that needs the smallest move; the first of equals. Once
        // a move is due, the whole window shows, its frame too.
        const platform::Rect& v = window;
        int64_t best = -1;
        for (int i = 0; i < g.monitorCount; ++i) {
            const platform::Rect& a = g.monitors[i].area;
            const int64_t mx = axisShift(v.left, v.right, a.left, a.right);
            const int64_t my = axisShift(v.top, v.bottom, a.top, a.bottom);
            const int64_t cost = magnitude(mx) + magnitude(my);
            if (best < 0 || cost < best) {
                best = cost;
                dx = mx;
                dy = my;
            }
        }
    }
    const Move m{clampedMove(g.viewX, dx, rangeX), clampedMove(g.viewY, dy, rangeY), false};
    return {m.dx, m.dy, m.dx != dx || m.dy != dy};
}

}  // namespace view_reach

namespace {

constexpr int32_t kMaxFrame = 32;

view_reach::Geometry geometryOf(const VirtualDesk& desk) {
    const MonitorLayout& m = desk.monitors;
    const int32_t frame =
        desk.frameInset < 0 ? 0 : (desk.frameInset > kMaxFrame ? kMaxFrame : desk.frameInset);
    return {desk.viewX,         desk.viewY,         desk.virtualWidth,
            desk.virtualHeight, m.bounds(),         &m.at(0),
            m.count(),          desk.pageMode != 0, frame};
}

// The window's row in a fresh table, -1 when the table leaves it out or the
// view leaves it where it stands.
int freshRow(VirtualDesk* desk, platform::WindowHandle window) {
    if (window == 0) return -1;
    desk->snapshotWindows();
    for (int i = 0; i < desk->windowCount; ++i) {
        if (desk->windows[i].window != window) continue;
        const int slot = desk->moves.slotOfRow(i, window);
        if (slot >= 0 && desk->moves.slot(slot).refusing) return -1;
        return i;
    }
    return -1;
}

platform::Rect rectOfRow(const WindowEntry& row) {
    return {row.x, row.y, row.x + row.width, row.y + row.height};
}

}  // namespace

bool standsInView(const VirtualDesk& desk, const platform::Rect& r) {
    return view_reach::whollyInView(geometryOf(desk), r);
}

int bringIntoView(VirtualDesk* desk, platform::WindowHandle window) {
    if (desk == nullptr) return kNotBringable;
    const int row = freshRow(desk, window);
    if (row < 0) return kNotBringable;
    const view_reach::Geometry g = geometryOf(*desk);
    const platform::Rect r = rectOfRow(desk->windows[row]);
    if (view_reach::whollyInView(g, r)) return kStatusOk;
    const view_reach::Move m = view_reach::moveToShow(g, r);
    // The page that holds it is the one in view; or the border stops the view.
    if (m.dx == 0 && m.dy == 0) return m.clamped ? kNothingToMove : kStatusOk;
    const int result = desk->moveViewBy(m.dx, m.dy);
    if (result == kStatusOk) desk->mapDirty = 1;
    return result;
}

int bringWindowHere(VirtualDesk* desk, platform::WindowHandle window, platform::Point pointer) {
    if (desk == nullptr) return kNotBringable;
    const int row = freshRow(desk, window);
    if (row < 0) return kNotBringable;
    platform::Rect r = rectOfRow(desk->windows[row]);
    if (view_reach::whollyInView(geometryOf(*desk), r)) return kStatusOk;
    platform::Rect work[platform::kMaxMonitors];
    desk->monitors.workAreas(work);
    if (!gather_rules::placeGathered(window, r, work[desk->monitors.monitorAt(pointer)]))
        return kGatherRefused;
    desk->mapDirty = 1;
    return kStatusOk;
}
