// The navigator map: painting, the change test and the show/hide policy.
//
// Every division truncates toward zero and is applied exactly where the map
// formulas put it (a sum or product divided as a whole, separately divided
// terms added afterwards), so that adjacent features meet pixel for pixel.
#include <cstring>

#include "engine/navi_mode.h"
#include "engine/virtual_desk.h"

int VirtualDesk::paintMap(platform::Canvas dc) {
    const int32_t n = naviDivisor;
    // A damaged settings file is the only way here with no scale; drawing
    // nothing beats a division fault.
    if (n < 1) return 1;

    // Without an outline the fill stops one pixel short of right and bottom,
    // so the "+ 1" makes it cover exactly mapWidth x mapHeight.
    platform::selectObject(dc, platform::nullPen());
    platform::selectObject(dc, backBrush);
    platform::drawRectangle(dc, 0, 0, virtualWidth / n + 1, virtualHeight / n + 1);

    platform::selectObject(dc, platform::nullBrush());
    platform::selectObject(dc, gridPen);
    for (int32_t i = 0; i <= hScale; ++i) {
        const int32_t x = i * screenWidth / n - 1;
        platform::moveTo(dc, x, 0);
        platform::lineTo(dc, x, virtualHeight / n);
    }
    for (int32_t j = 0; j <= vScale; ++j) {
        const int32_t y = j * screenHeight / n - 1;
        platform::moveTo(dc, 0, y);
        platform::lineTo(dc, virtualWidth / n, y);
    }

    // Bottom of the Z order first, so the topmost window ends up on top.
    // Rows are screen coordinates; the viewport starts at the virtual
    // screen's top-left corner (0, 0 with the primary monitor there).
    const int32_t ox = monitors.bounds().left;
    const int32_t oy = monitors.bounds().top;
    const int32_t count = windowCount < kMaxWindows ? windowCount : kMaxWindows;
    for (int32_t k = count - 1; k >= 0; --k) {
        const WindowEntry& w = windows[k];
        // On another desktop of the system: moved, not shown.
        if (offMap.count() != 0 && offMap.holds(w.window)) continue;
        platform::selectObject(dc, framePen);
        platform::selectObject(dc, w.window == hoverWindow ? hoverBrush : windowBrush);
        const int32_t left = (w.x - ox + viewX) / n;
        const int32_t top = (w.y - oy + viewY) / n;
        const int32_t right = (w.x - ox + w.width + viewX) / n - 1;
        const int32_t bottom = (w.y - oy + w.height + viewY) / n - 1;
        platform::drawRectangle(dc, left, top, right, bottom);
        // Crossed out: an elevated program's window, which cannot be moved.
        if (outOfReach.stays(w.window)) {
            platform::moveTo(dc, left, top);
            platform::lineTo(dc, right - 1, bottom - 1);
            platform::moveTo(dc, right - 1, top);
            platform::lineTo(dc, left, bottom - 1);
        }
    }

    platform::selectObject(dc, platform::nullBrush());
    platform::selectObject(dc, viewPen);
    // With several monitors, each one's outline inside the viewport frame,
    // divided like the frame so that the outer ones meet it.
    if (monitors.count() > 1) {
        for (int i = 0; i < monitors.count(); ++i) {
            const platform::Rect& a = monitors.at(i).area;
            platform::drawRectangle(dc, (a.left - ox) / n + viewX / n, (a.top - oy) / n + viewY / n,
                                    (a.right - ox) / n + viewX / n - 1, (a.bottom - oy) / n + viewY / n - 1);
        }
    }
    platform::drawRectangle(dc, viewX / n, viewY / n, screenWidth / n + viewX / n - 1,
                            screenHeight / n + viewY / n - 1);

    std::memcpy(paintedWindows, windows, sizeof(windows));
    return 0;
}

int VirtualDesk::mapChanged(int clearDirty) {
    int changes = std::memcmp(windows, paintedWindows, sizeof(windows)) != 0 ? 1 : 0;
    if (viewX != paintedViewX) ++changes;
    if (viewY != paintedViewY) ++changes;
    // The view counts once: it is recorded as seen whether or not a repaint
    // follows. The table counts until paintMap copies it.
    paintedViewX = viewX;
    paintedViewY = viewY;
    changes += mapDirty;
    if (clearDirty) mapDirty = 0;
    return changes;
}

int VirtualDesk::showWhileScrolling(platform::WindowHandle frame) {
    if (naviMode == kNaviHidden) {
        naviMode = kNaviScrolling;
        // Not activated: typing still goes to the program the user works in.
        platform::showWindow(frame, platform::kShowCmdShowNoActivate);
    }
    return 0;
}

int VirtualDesk::hideUnlessPinned(platform::WindowHandle frame) {
    // Out-of-range modes from a damaged placement file follow the same
    // comparisons: negative ones hide, those above pinned stay.
    if (naviMode <= kNaviScrolling) {
        naviMode = kNaviHidden;
        platform::showWindow(frame, platform::kShowCmdHide);
    }
    return 0;
}

int VirtualDesk::togglePinned(platform::WindowHandle frame) {
    if (naviMode == kNaviPinned) {
        naviMode = kNaviHidden;
        platform::showWindow(frame, platform::kShowCmdHide);
        return 0;
    }
    const int32_t was = naviMode;
    naviMode = kNaviPinned;
    // Shown for scrolling it is visible already.
    if (was != kNaviScrolling) platform::showWindow(frame, platform::kShowCmdShowNoActivate);
    return 0;
}
