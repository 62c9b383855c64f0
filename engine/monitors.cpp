// The monitor layout and the geometry built on it.
#include "engine/monitors.h"

#include <cstring>

#include "engine/gather_rules.h"

namespace {

int64_t overlap(const platform::Rect& a, const platform::Rect& b) {
    const int64_t w = int64_t{a.right < b.right ? a.right : b.right} - (a.left > b.left ? a.left : b.left);
    const int64_t h = int64_t{a.bottom < b.bottom ? a.bottom : b.bottom} - (a.top > b.top ? a.top : b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

// Squared gap between two rectangles, 0 when they touch or overlap.
int64_t gap(const platform::Rect& a, const platform::Rect& b) {
    int64_t dx = int64_t{a.left} - b.right;
    if (int64_t{b.left} - a.right > dx) dx = int64_t{b.left} - a.right;
    int64_t dy = int64_t{a.top} - b.bottom;
    if (int64_t{b.top} - a.bottom > dy) dy = int64_t{b.top} - a.bottom;
    if (dx < 0) dx = 0;
    if (dy < 0) dy = 0;
    return dx * dx + dy * dy;
}

int32_t clampTo(int32_t v, int32_t low, int32_t high) { return v < low ? low : (v > high ? high : v); }

}  // namespace

MonitorLayout::MonitorLayout() : monitors_{}, count_(0), bounds_{}, lastPointerMonitor_(0) {
    const platform::Monitor one{{0, 0, 1, 1}, {0, 0, 1, 1}, true};
    set(&one, 1);
}

int MonitorLayout::load() {
    platform::Monitor list[platform::kMaxMonitors];
    int n = platform::getMonitors(list, platform::kMaxMonitors);
    if (n <= 0) {
        const platform::Rect d = platform::desktopRect();
        list[0] = {{0, 0, d.right, d.bottom}, {0, 0, d.right, d.bottom}, true};
        n = 1;
    }
    set(list, n);
    return count_;
}

void MonitorLayout::set(const platform::Monitor* list, int count) {
    if (count > platform::kMaxMonitors) count = platform::kMaxMonitors;
    count_ = 0;
    for (int i = 0; i < count; ++i) {
        const platform::Rect& a = list[i].area;
        // An empty monitor would have no centre and no edges.
        if (a.right <= a.left || a.bottom <= a.top) continue;
        monitors_[count_++] = list[i];
    }
    if (count_ == 0) monitors_[count_++] = {{0, 0, 1, 1}, {0, 0, 1, 1}, true};
    bounds_ = monitors_[0].area;
    for (int i = 1; i < count_; ++i) {
        const platform::Rect& a = monitors_[i].area;
        if (a.left < bounds_.left) bounds_.left = a.left;
        if (a.top < bounds_.top) bounds_.top = a.top;
        if (a.right > bounds_.right) bounds_.right = a.right;
        if (a.bottom > bounds_.bottom) bounds_.bottom = a.bottom;
    }
    lastPointerMonitor_ = 0;
}

const platform::Monitor& MonitorLayout::primary() const {
    for (int i = 0; i < count_; ++i) {
        if (monitors_[i].primary) return monitors_[i];
    }
    return monitors_[0];
}

bool MonitorLayout::sameAs(const MonitorLayout& other) const {
    if (count_ != other.count_) return false;
    for (int i = 0; i < count_; ++i) {
        const platform::Monitor& a = monitors_[i];
        const platform::Monitor& b = other.monitors_[i];
        if (std::memcmp(&a.area, &b.area, sizeof a.area) != 0 ||
            std::memcmp(&a.work, &b.work, sizeof a.work) != 0 || a.primary != b.primary)
            return false;
    }
    return true;
}

bool MonitorLayout::contains(int32_t x, int32_t y) const {
    for (int i = 0; i < count_; ++i) {
        const platform::Rect& a = monitors_[i].area;
        if (a.left <= x && x < a.right && a.top <= y && y < a.bottom) return true;
    }
    return false;
}

int MonitorLayout::nearestOf(const platform::Rect* rects, int count, const platform::Rect& r) {
    int best = 0;
    int64_t bestOverlap = -1;
    for (int i = 0; i < count; ++i) {
        const int64_t o = overlap(rects[i], r);
        if (o > bestOverlap) {
            bestOverlap = o;
            best = i;
        }
    }
    if (bestOverlap > 0) return best;
    int64_t bestGap = -1;
    for (int i = 0; i < count; ++i) {
        const int64_t g = gap(rects[i], r);
        if (bestGap < 0 || g < bestGap) {
            bestGap = g;
            best = i;
        }
    }
    return best;
}

int MonitorLayout::nearestTo(const platform::Rect& r) const {
    platform::Rect areas[platform::kMaxMonitors];
    for (int i = 0; i < count_; ++i) areas[i] = monitors_[i].area;
    return nearestOf(areas, count_, r);
}

int MonitorLayout::monitorAt(platform::Point p) const {
    // A one-pixel rectangle: the monitor holding it overlaps it.
    const platform::Rect dot{p.x, p.y, p.x + 1, p.y + 1};
    return nearestTo(dot);
}

bool MonitorLayout::shows(const platform::Rect& r) const {
    for (int i = 0; i < count_; ++i) {
        if (overlap(monitors_[i].area, r) > 0) return true;
    }
    return false;
}

void MonitorLayout::edgeAt(platform::Point p, int32_t band, int* dirX, int* dirY) {
    const int i = monitorAt(p);
    lastPointerMonitor_ = i;
    const platform::Rect& a = monitors_[i].area;
    // Where to look for a neighbour: the pointer's own row and column,
    // brought onto the monitor (a pointer can report a place off it).
    const int32_t x = clampTo(p.x, a.left, a.right - 1);
    const int32_t y = clampTo(p.y, a.top, a.bottom - 1);
    if (p.x <= a.left + band) {
        if (!contains(a.left - 1, y)) *dirX = -1;
    } else if (p.x >= a.right - band) {
        if (!contains(a.right, y)) *dirX = 1;
    }
    if (p.y <= a.top + band) {
        if (!contains(x, a.top - 1)) *dirY = -1;
    } else if (p.y >= a.bottom - band) {
        if (!contains(x, a.bottom)) *dirY = 1;
    }
}

platform::Point MonitorLayout::pageHome() const {
    const platform::Rect& a = monitors_[lastPointerMonitor_ < count_ ? lastPointerMonitor_ : 0].area;
    return {a.left + (a.right - a.left) / 2, a.top + (a.bottom - a.top) / 2};
}

platform::Point MonitorLayout::placeOnMonitor(platform::Point p) const {
    if (contains(p.x, p.y)) return p;
    const platform::Rect& w = primary().work;
    return {w.left, w.top};
}

void MonitorLayout::workAreas(platform::Rect* out) const {
    gather_rules::Margins margins[platform::kMaxMonitors];

    // Every taskbar, visible or not, counts for the monitor nearest it; a
    // later one overwrites what its rules set.
    gather_rules::forEachTaskbar([&](const platform::Rect& r) {
        const int i = count_ == 1 ? 0 : nearestTo(r);
        const platform::Rect& a = monitors_[i].area;
        const platform::Rect onMonitor{r.left - a.left, r.top - a.top, r.right - a.left, r.bottom - a.top};
        gather_rules::addTaskbar(&margins[i], onMonitor, a.right - a.left, a.bottom - a.top);
    });

    // The tighter of the margins and the system's work area on each side.
    for (int i = 0; i < count_; ++i) {
        const platform::Rect& a = monitors_[i].area;
        const platform::Rect& s = monitors_[i].work;
        platform::Rect r{a.left + margins[i].left, a.top + margins[i].top, a.right - margins[i].right,
                         a.bottom - margins[i].bottom};
        if (s.right > s.left && s.bottom > s.top) {
            if (s.left > r.left) r.left = s.left;
            if (s.top > r.top) r.top = s.top;
            if (s.right < r.right) r.right = s.right;
            if (s.bottom < r.bottom) r.bottom = s.bottom;
        }
        out[i] = r;
    }
}

RefitArea::RefitArea(const MonitorLayout& layout, int32_t viewX, int32_t viewY, int32_t virtualWidth,
                     int32_t virtualHeight)
    : layout_(layout), swept_{}, kept_{}, keptCount_(0) {
    // Over all view positions a monitor shows, in screen coordinates at the
    // view (viewX, viewY), from its own left edge less the view so far to its
    // right edge plus the rest of the view's range.
    const platform::Rect& b = layout.bounds();
    const int32_t rangeX = virtualWidth - (b.right - b.left) - viewX;
    const int32_t rangeY = virtualHeight - (b.bottom - b.top) - viewY;
    for (int i = 0; i < layout.count(); ++i) {
        const platform::Rect& a = layout.at(i).area;
        swept_[i] = {a.left - viewX, a.top - viewY, a.right + rangeX, a.bottom + rangeY};
    }
}

void RefitArea::keepOnScreen(platform::WindowHandle window) {
    if (keptCount_ < kMaxKept) kept_[keptCount_++] = window;
}

platform::Rect RefitArea::boundsFor(platform::WindowHandle window, const platform::Rect& r) const {
    for (int i = 0; i < keptCount_; ++i) {
        if (kept_[i] == window) return layout_.at(layout_.nearestTo(r)).area;
    }
    return swept_[MonitorLayout::nearestOf(swept_, layout_.count(), r)];
}

void shiftInside(platform::Rect* r, const platform::Rect& bounds) {
    if (r->left < bounds.left) {
        const int shift = bounds.left - r->left;
        r->left += shift;
        r->right += shift;
    } else if (r->right > bounds.right) {
        const int shift = r->right - bounds.right;
        r->left -= shift;
        r->right -= shift;
    }
    if (r->top < bounds.top) {
        const int shift = bounds.top - r->top;
        r->top += shift;
        r->bottom += shift;
    } else if (r->bottom > bounds.bottom) {
        const int shift = r->bottom - bounds.bottom;
        r->top -= shift;
        r->bottom -= shift;
    }
}
