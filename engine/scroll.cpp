// Edge detection and scrolling. Allocates nothing.
#include <cmath>
#include <cstdint>

#include "engine/direction.h"
#include "engine/virtual_desk.h"
#include "engine/window_placer.h"

int VirtualDesk::detectEdge(int* dirX, int* dirY) {
    // No edge until one is found.
    *dirX = 0;
    *dirY = 0;
    // Discarded readings: they clear the "pressed since" bit.
    platform::getAsyncKeyState(platform::kKeyControl);
    platform::getAsyncKeyState(platform::kKeyShift);
    // The switch keys: held, or no scrolling.
    if (needCtrl == 1 && platform::getAsyncKeyState(platform::kKeyControl) == 0) return 0;
    if (needShift == 1 && platform::getAsyncKeyState(platform::kKeyShift) == 0) return 0;
    // The pointer; without it, no edge.
    platform::Point point;
    if (!platform::getCursorPos(&point)) return 0;
    // The bands: 0..edgeWidth low, the last edgeWidth positions high,
    // on the monitor under the pointer and only at the outer edges of the
    // layout (the pointer goes on across an edge between two monitors).
    monitors.edgeAt(point, edgeWidth, dirX, dirY);
    // A hit when either direction is set.
    return (*dirX != 0 || *dirY != 0) ? 1 : 0;
}

int VirtualDesk::scrollTick(int dirX, int dirY) {
    // No direction: nothing to do, and no failure.
    if (dirX == 0 && dirY == 0) return kStatusOk;
    // Only the sign of each direction counts.
    dirX = signOf(dirX);
    dirY = signOf(dirY);
    // Page mode: whole screens.
    if (pageMode != 0) return moveViewBy(dirX * screenWidth, dirY * screenHeight);
    // A corner: each axis moves step * sqrt(2), truncated toward zero.
    if (dirX != 0 && dirY != 0) {
        const double s = std::sqrt(2.0);
        int dx = static_cast<int>(static_cast<double>(dirX * step) * s);
        int dy = static_cast<int>(static_cast<double>(dirY * step) * s);
        return moveViewBy(dx, dy);
    }
    // Along one edge: step pixels.
    return moveViewBy(dirX * step, dirY * step);
}

int VirtualDesk::moveViewBy(int dx, int dy) { return moveViewKeeping(dx, dy, 0); }

int VirtualDesk::moveViewKeeping(int dx, int dy, platform::WindowHandle keep) {
    // Clamp into the virtual desktop, the left (top) border first. The
    // tests run in 64 bits so that no argument can overflow them.
    int64_t x = dx;
    int64_t y = dy;
    if (-x > viewX) {
        x = -static_cast<int64_t>(viewX);
    } else if (x > static_cast<int64_t>(virtualWidth) - screenWidth - viewX) {
        x = static_cast<int64_t>(virtualWidth) - screenWidth - viewX;
    }
    if (-y > viewY) {
        y = -static_cast<int64_t>(viewY);
    } else if (y > static_cast<int64_t>(virtualHeight) - screenHeight - viewY) {
        y = static_cast<int64_t>(virtualHeight) - screenHeight - viewY;
    }
    dx = static_cast<int>(x);
    dy = static_cast<int>(y);
    // Nothing left after the clamp: no window is touched.
    if (dx == 0 && dy == 0) return kNothingToMove;
    // Each row is updated before its window moves. A window whose last
    // move is still on its way gets this one once that is done.
    for (int i = 0; i < windowCount; ++i) {
        WindowEntry& row = windows[i];
        if (keep != 0 && row.window == keep) continue;
        // An elevated program's window cannot be moved: it stays.
        if (outOfReach.stays(row.window)) continue;
        const int slot = moves.slotOfRow(i, row.window);
        // A window that does not obey stays, like a fixed one.
        if (slot >= 0 && moves.slot(slot).refusing) continue;
        row.x -= dx;
        row.y -= dy;
        placer::moveTo(moves, slot, row.window, {row.x, row.y, row.x + row.width, row.y + row.height});
    }
    // The view follows its windows.
    viewX += dx;
    viewY += dy;
    return kStatusOk;
}

namespace {

// moveViewTo's page-mode snap: screen * ((v + screen / 2) / screen), the
// division truncating toward zero, clamped into 32 bits (moveViewBy clamps
// the result into the desktop anyway).
int64_t snapToScreen(int64_t v, int32_t screen) {
    if (screen <= 0) return v;
    return screen * ((v + screen / 2) / screen);
}

int64_t clampTo32(int64_t v) { return v < INT32_MIN ? INT32_MIN : (v > INT32_MAX ? INT32_MAX : v); }

}  // namespace

int VirtualDesk::moveViewTo(int x, int y) {
    // Page mode: the nearest whole screen, divisions truncating toward zero.
    int64_t tx = x;
    int64_t ty = y;
    if (pageMode != 0) {
        tx = snapToScreen(tx, screenWidth);
        ty = snapToScreen(ty, screenHeight);
    }
    // Already there: nothing moves.
    int64_t dx = tx - viewX;
    int64_t dy = ty - viewY;
    if (dx == 0 && dy == 0) return kStatusOk;
    return moveViewBy(static_cast<int>(clampTo32(dx)), static_cast<int>(clampTo32(dy)));
}

int VirtualDesk::accelerateStep() {
    if (step < maxStep) step += 1;
    return kStatusOk;
}

int VirtualDesk::resetStep() {
    step = minStep;
    return kStatusOk;
}
