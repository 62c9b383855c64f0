// The edge guards and the guarded scroll step of the tick.
#include "engine/edge_guards.h"

#include "engine/virtual_desk.h"

namespace {

const EdgeOptions kNoGuards{};

bool inBand(int32_t v, int32_t low, int32_t high, int32_t band) { return v < low + band || v >= high - band; }

// Takes the row of `window` out of the table for one scroll (its slot in the
// move ledger with it) so that it is not moved; -1 when it has no row.
int holdRow(VirtualDesk* desk, platform::WindowHandle window, WindowEntry* held, int* heldSlot) {
    const int n = desk->windowCount;
    for (int i = 0; i < n; ++i) {
        if (desk->windows[i].window != window) continue;
        *held = desk->windows[i];
        *heldSlot = desk->moves.slotOfRow(i, window);
        for (int k = i; k + 1 < n; ++k) {
            desk->windows[k] = desk->windows[k + 1];
            desk->moves.setRowSlot(k, desk->moves.slotOfRow(k + 1, desk->windows[k].window));
        }
        desk->windowCount = n - 1;
        return i;
    }
    return -1;
}

// Puts the held row back in its place in the table order.
void releaseRow(VirtualDesk* desk, int at, const WindowEntry& held, int heldSlot) {
    for (int k = desk->windowCount; k > at; --k) {
        desk->windows[k] = desk->windows[k - 1];
        desk->moves.setRowSlot(k, desk->moves.slotOfRow(k - 1, desk->windows[k].window));
    }
    desk->windows[at] = held;
    desk->moves.setRowSlot(at, heldSlot);
    desk->windowCount += 1;
}

}  // namespace

EdgeVerdict EdgeGuard::judge(const EdgeContact& c) {
    const EdgeOptions& o = options ? *options : kNoGuards;
    int dx = c.dirX;
    int dy = c.dirY;
    if ((dx < 0 && !o.left) || (dx > 0 && !o.right)) dx = 0;
    if ((dy < 0 && !o.top) || (dy > 0 && !o.bottom)) dy = 0;
    if (o.cornerPx > 0) {
        if (dx != 0 && dy != 0) {
            dx = 0;
            dy = 0;
        }
        if (dx != 0 && inBand(c.y, c.screen.top, c.screen.bottom, o.cornerPx)) dx = 0;
        if (dy != 0 && inBand(c.x, c.screen.left, c.screen.right, o.cornerPx)) dy = 0;
    }
    const bool blocked = c.leftButton && !(o.carryDraggedWindow && c.dragging);
    if ((dx == 0 && dy == 0) || blocked) {
        // Nothing scrolls; the navigator still shows at an edge while the
        // button holds scrolling back.
        atEdge = false;
        return {dx, dy, false};
    }
    if (!atEdge) {
        atEdge = true;
        edgeSince = c.now;
    }
    // Before the dwell is over the edge does not count at all.
    if (c.now - edgeSince < static_cast<uint32_t>(o.dwellMs)) return {0, 0, false};
    if (c.pageMode && turned && c.now - lastPage < static_cast<uint32_t>(o.pagePauseMs))
        return {dx, dy, false};
    return {dx, dy, true};
}

void EdgeGuard::pageTurned(uint32_t now) {
    turned = true;
    lastPage = now;
    recentred = false;
}

bool EdgeGuard::recentreDue(uint32_t now) {
    if (!turned || recentred || now - lastPage < kRecentreMs) return false;
    recentred = true;
    return true;
}

namespace {

// Off the edge: to the centre of the pointer's monitor.
void centrePointer(const VirtualDesk* desk) {
    const platform::Point home = desk->monitors.pageHome();
    platform::setCursorPos(home.x, home.y);
}

}  // namespace

void guardedScroll(VirtualDesk* desk, EdgeGuard* guard, uint32_t now, int* dirX, int* dirY) {
    const EdgeOptions& o = guard->options ? *guard->options : kNoGuards;
    EdgeContact c{now, 0, 0, *dirX, *dirY, false, false, desk->getPageMode() != 0, {}};
    const bool atEdge = *dirX != 0 || *dirY != 0;
    const bool armed = guard->rearm.armed(atEdge ? 1 : 0);
    // Not seen away from the edge since the last page: the pointer may never
    // have reached the centre.
    if (c.pageMode && atEdge && !armed && guard->recentreDue(now)) centrePointer(desk);
    c.leftButton = atEdge && platform::getAsyncKeyState(platform::kKeyLButton) != 0;
    // Only what a guard in force needs is asked of the platform.
    platform::WindowHandle dragged = 0;
    if (atEdge && c.leftButton && o.carryDraggedWindow) {
        dragged = platform::draggedWindow();
        c.dragging = dragged != 0;
    }
    if (atEdge && o.cornerPx > 0) {
        platform::Point p{};
        if (platform::getCursorPos(&p)) {
            c.x = p.x;
            c.y = p.y;
        }
        c.screen = desk->monitors.at(desk->monitors.monitorAt(p)).area;
    }
    const EdgeVerdict v = guard->judge(c);
    *dirX = v.dirX;
    *dirY = v.dirY;
    if (!v.scroll) {
        desk->resetStep();
        return;
    }
    // The pointer put at the centre after a page can still read at the
    // edge: the same contact turns no second page.
    if (c.pageMode && !armed) return;
    WindowEntry held{};
    int heldSlot = -1;
    const int heldAt = dragged != 0 ? holdRow(desk, dragged, &held, &heldSlot) : -1;
    const int r = desk->scrollTick(v.dirX, v.dirY);
    desk->accelerateStep();
    if (heldAt >= 0) releaseRow(desk, heldAt, held, heldSlot);
    if (c.pageMode && r == kStatusOk) {
        guard->pageTurned(now);
        guard->rearm.paged();
        centrePointer(desk);
    }
}
