// The mouse wheel over the navigator's map.
#include "navigator/map_wheel.h"

#include "engine/virtual_desk.h"

int mapWheel(VirtualDesk* desk, WheelState* state, int delta, bool horizontal) {
    int32_t& pending = horizontal ? state->horizontal : state->vertical;
    // A turn the other way drops what was left of the last one.
    if ((pending > 0 && delta < 0) || (pending < 0 && delta > 0)) pending = 0;
    // Far below overflow whatever the messages carry (16 bits each).
    pending += delta;
    const int notches = pending / kWheelDelta;
    pending -= notches * kWheelDelta;
    if (notches == 0) return 0;
    const int64_t x0 = desk->viewX;
    const int64_t y0 = desk->viewY;
    int64_t x = x0;
    int64_t y = y0;
    if (horizontal) {
        x += static_cast<int64_t>(notches) * desk->screenWidth;
    } else {
        // Away from the user (positive) scrolls up, as in every document.
        y -= static_cast<int64_t>(notches) * desk->screenHeight;
    }
    // Beyond the desktop is as far as the border.
    const int64_t maxX = static_cast<int64_t>(desk->virtualWidth) - desk->screenWidth;
    const int64_t maxY = static_cast<int64_t>(desk->virtualHeight) - desk->screenHeight;
    x = x < 0 ? 0 : (x > maxX ? maxX : x);
    y = y < 0 ? 0 : (y > maxY ? maxY : y);
    desk->moveViewTo(static_cast<int>(x), static_cast<int>(y));
    return (desk->viewX != x0 || desk->viewY != y0) ? 1 : 0;
}
