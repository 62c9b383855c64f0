// The hover test: which window lies under a point of the map.
#include "engine/virtual_desk.h"

int VirtualDesk::updateHover(int mapX, int mapY) {
    // 64-bit so that a pointer far outside the pane, or a scale from a damaged
    // file, cannot overflow; within range the results are the 32-bit ones.
    // Screen coordinates start at the virtual screen's top-left corner.
    const int64_t sx = int64_t{mapX} * naviDivisor - viewX + monitors.bounds().left;
    const int64_t sy = int64_t{mapY} * naviDivisor - viewY + monitors.bounds().top;

    // Table order is Z order, so the first match is the window on top there.
    // All four bounds are inclusive.
    platform::WindowHandle found = 0;
    for (int32_t k = 0; k < windowCount && k < kMaxWindows; ++k) {
        const WindowEntry& w = windows[k];
        if (offMap.count() != 0 && offMap.holds(w.window)) continue;  // not drawn
        if (w.x <= sx && sx <= int64_t{w.x} + w.width && w.y <= sy && sy <= int64_t{w.y} + w.height) {
            found = w.window;
            break;
        }
    }
    if (found != hoverWindow) mapDirty = 1;
    hoverWindow = found;
    return 0;
}
