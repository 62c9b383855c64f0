// The smallest view move that puts a window's rectangle on the screen (its
// top-left corner first when it is larger than the screen), clamped to the
// virtual desktop by moveViewBy.
#include "engine/bring_into_view.h"

#include "engine/virtual_desk.h"

namespace {

// How far the view must move along one axis so that [low, high) lies within
// [screenLow, screenHigh).
int shortestShift(int low, int high, int screenLow, int screenHigh) {
    if (low < screenLow) return low - screenLow;
    if (high > screenHigh) {
        const int toFit = high - screenHigh;
        const int toStart = low - screenLow;
        return toFit < toStart ? toFit : toStart;
    }
    return 0;
}

}  // namespace

int bringIntoView(VirtualDesk* desk, platform::WindowHandle window) {
    platform::Rect rect{};
    if (window == 0 || !platform::getWindowRect(window, &rect)) return 1;
    const platform::Rect& screen = desk->monitors.bounds();
    const int dx = shortestShift(rect.left, rect.right, screen.left, screen.right);
    const int dy = shortestShift(rect.top, rect.bottom, screen.top, screen.bottom);
    if (dx == 0 && dy == 0) return 0;
    // Clamped at the border the view goes as far as it can; nothing left to
    // move at all is a refusal.
    return desk->moveViewBy(dx, dy) == kStatusOk ? 0 : 1;
}
