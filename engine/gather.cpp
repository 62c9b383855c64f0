// Re-fit after the virtual desktop shrinks, and the gathering at exit.
#include <cstring>

#include "engine/gather_rules.h"
#include "engine/ordinary_window.h"
#include "engine/virtual_desk.h"

namespace {

// Classes the gathering leaves alone (no tooltip test there, unlike the snapshot).

constexpr const char* kTaskbarClass = "Shell_TrayWnd";

}  // namespace

namespace gather_rules {

Margins workMargins(int32_t screenWidth, int32_t screenHeight) {
    Margins m;
    char className[kTitleSize];
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        className[0] = '\0';
        platform::getClassName(window, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
        if (std::strcmp(className, kTaskbarClass) != 0) continue;
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        if (r.top <= 0 && r.bottom < screenHeight) m.top = r.bottom;
        if (r.left <= 0 && r.right < screenWidth) m.left = r.right;
        if (r.left <= 0 && r.top > 0) m.bottom = screenHeight - r.top;
        if (r.top <= 0 && r.left > 0) m.right = screenWidth - r.left;
    }
    return m;
}

platform::Point normalPosition(const Margins& m, int32_t screenWidth, int32_t screenHeight,
                               const platform::Rect& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    int x;
    if (r.right <= m.left + kSlack) {
        x = m.left;
    } else if (r.left <= screenWidth - m.right - kSlack) {
        x = r.left;
    } else {
        x = screenWidth - m.right - width;
    }
    int y;
    if (r.top <= screenHeight - m.bottom - kSlack) {
        y = r.top >= m.top ? r.top : m.top;
    } else {
        y = screenHeight - m.bottom - height;
    }
    return {x, y};
}

}  // namespace gather_rules

namespace {

// A minimized window we moved before it was minimized would come back off the
// screen when restored: its restore rectangle is gathered like a normal
// window's rectangle.
void gatherRestored(const MoveLedger& moves, platform::WindowHandle window, const gather_rules::Margins& m,
                    int32_t screenWidth, int32_t screenHeight) {
    const int s = moves.find(window);
    if (s < 0 || !moves.slot(s).hasRestored) return;
    const platform::Rect r = moves.slot(s).restored;
    const platform::Point p = gather_rules::normalPosition(m, screenWidth, screenHeight, r);
    if (p.x == r.left && p.y == r.top) return;
    platform::setRestoredRect(window, {p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)});
}

bool isMinimized(platform::WindowHandle window) {
    platform::Placement placement{};
    return platform::getWindowPlacement(window, &placement) && placement.showCmd == platform::kShowMinimized;
}

// Shifts r so that it lies inside the bounds on each axis where it sticks out
// (the left and top edges first).
void shiftInside(platform::Rect* r, int left, int top, int right, int bottom) {
    if (r->left < left) {
        const int shift = left - r->left;
        r->left += shift;
        r->right += shift;
    } else if (r->right > right) {
        const int shift = r->right - right;
        r->left -= shift;
        r->right -= shift;
    }
    if (r->top < top) {
        const int shift = top - r->top;
        r->top += shift;
        r->bottom += shift;
    } else if (r->bottom > bottom) {
        const int shift = r->bottom - bottom;
        r->top -= shift;
        r->bottom -= shift;
    }
}

}  // namespace

int VirtualDesk::refitWindows() {
    // 1, 2. Bring the view inside the smaller desktop.
    int x = viewX < virtualWidth - screenWidth ? viewX : virtualWidth - screenWidth;
    int y = viewY < virtualHeight - screenHeight ? viewY : virtualHeight - screenHeight;
    moveViewTo(x, y);

    // 3. The desktop in screen coordinates, from x and y of step 1.
    const int left = -x;
    const int right = virtualWidth - x;
    const int top = -y;
    const int bottom = virtualHeight - y;

    // 4. Every visible top-level window, with no other test.
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        if (!platform::isWindowVisible(window)) continue;
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        int s = moves.find(window);
        // A minimized window shows its iconic place, which is no move of ours.
        if (s >= 0 && isMinimized(window)) s = -1;
        if (s < 0) {
            shiftInside(&r, left, top, right, bottom);
            platform::moveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top);
            continue;
        }
        LedgerSlot& e = moves.slot(s);
        if (e.hung || e.refusing) {
            // Left where it is while it hangs or refuses; its place on the desktop comes
            // inside like any other.
            platform::Rect place{e.placeX - x, e.placeY - y, e.placeX - x + (r.right - r.left),
                                 e.placeY - y + (r.bottom - r.top)};
            shiftInside(&place, left, top, right, bottom);
            e.placeX = x + place.left;
            e.placeY = y + place.top;
            continue;
        }
        // A window whose last move is still on its way is taken where it is
        // going, so that this move does not undo that one.
        const platform::Rect shown = r;
        r = moves.believed(s, shown);
        shiftInside(&r, left, top, right, bottom);
        moves.requestMove(s, r, &shown);
    }
    return kStatusOk;
}

int VirtualDesk::gatherWindows() {
    // 1. The table is cleared; windowCount is left as it is.
    std::memset(windows, 0, sizeof windows);
    moves.clearRows();

    char title[kTitleSize];
    char className[kTitleSize];

    // 2. Work-area margins from every taskbar, visible or not; a later one
    // overwrites what its rules set.
    const gather_rules::Margins m = gather_rules::workMargins(screenWidth, screenHeight);

    // 3. Every visible window onto the work area. A normal window that refuses
    // to move does not strand the windows below it: the walk goes on and the
    // refusal is reported at the end.
    int result = kStatusOk;
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        if (!platform::isWindowVisible(window)) continue;
        platform::Placement placement{};
        platform::getWindowPlacement(window, &placement);

        if (placement.showCmd == platform::kShowMaximized) {
            platform::setWindowPos(window, m.left - frameInset, m.top - frameInset);
            continue;
        }
        if (placement.showCmd == platform::kShowMinimized) {
            gatherRestored(moves, window, m, screenWidth, screenHeight);
            continue;
        }
        if (placement.showCmd != platform::kShowNormal) continue;

        if (!readOrdinaryWindow(window, placement, kGatherShellClasses, title, className)) continue;

        platform::Rect r{};
        platform::getWindowRect(window, &r);
        // A move of ours still on its way is carried out before this one:
        // gather from where it takes the window.
        const int slot = moves.find(window);
        if (slot >= 0) r = moves.believed(slot, r);
        const platform::Point p = gather_rules::normalPosition(m, screenWidth, screenHeight, r);
        if (!platform::setWindowPos(window, p.x, p.y)) result = kGatherRefused;
    }
    return result;
}
