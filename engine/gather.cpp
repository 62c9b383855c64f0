// Re-fit after the virtual desktop shrinks, and the gathering at exit.
#include <cstring>

#include "engine/gather_rules.h"
#include "engine/monitors.h"
#include "engine/ordinary_window.h"
#include "engine/screen_windows.h"
#include "engine/top_windows.h"
#include "engine/virtual_desk.h"
#include "engine/window_placer.h"

namespace gather_rules {

void addTaskbar(Margins* m, const platform::Rect& r, int32_t screenWidth, int32_t screenHeight) {
    if (r.top <= 0 && r.bottom < screenHeight) m->top = r.bottom;
    if (r.left <= 0 && r.right < screenWidth) m->left = r.right;
    if (r.left <= 0 && r.top > 0) m->bottom = screenHeight - r.top;
    if (r.top <= 0 && r.left > 0) m->right = screenWidth - r.left;
}

platform::Point normalPosition(const platform::Rect& work, const platform::Rect& r) {
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    int x;
    if (r.right <= work.left + kSlack) {
        x = work.left;
    } else if (r.left <= work.right - kSlack) {
        x = r.left;
    } else {
        x = work.right - width;
    }
    int y;
    if (r.top <= work.bottom - kSlack) {
        y = r.top >= work.top ? r.top : work.top;
    } else {
        y = work.bottom - height;
    }
    return {x, y};
}

bool placeGathered(platform::WindowHandle window, const platform::Rect& r, const platform::Rect& work) {
    const platform::Point p = normalPosition(work, r);
    return placer::putAt(window, p);
}

}  // namespace gather_rules

namespace {

// A minimized window we moved before it was minimized would come back off the
// screen when restored: its restore rectangle is gathered like a normal
// window's rectangle.
void gatherRestored(const MoveLedger& moves, const MonitorLayout& monitors, const platform::Rect* work,
                    platform::WindowHandle window) {
    const int s = moves.find(window);
    if (s < 0 || !moves.slot(s).hasRestored) return;
    const platform::Rect r = moves.slot(s).restored;
    const platform::Point p = gather_rules::normalPosition(work[monitors.nearestTo(r)], r);
    if (p.x == r.left && p.y == r.top) return;
    placer::setRestored(window, {p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)});
}

bool isMinimized(platform::WindowHandle window) {
    platform::Placement placement{};
    return platform::getWindowPlacement(window, &placement) && placement.showCmd == platform::kShowMinimized;
}

}  // namespace

int VirtualDesk::refitWindows() {
    // The view inside the smaller desktop.
    int x = viewX < virtualWidth - screenWidth ? viewX : virtualWidth - screenWidth;
    int y = viewY < virtualHeight - screenHeight ? viewY : virtualHeight - screenHeight;
    // The desktop in screen coordinates, from that view: the part
    // that the monitor nearest each window shows (with one monitor, all of it).
    RefitArea area(monitors, x, y, virtualWidth, virtualHeight);
    return refitInto(&area, x, y, false);
}

int VirtualDesk::refitInto(RefitArea* area, int x, int y, bool ordinaryOnly) {
    // The windows of the table move with the view.
    moveViewTo(x, y);

    // Every visible top-level window, with no other test (unless only
    // ordinary windows shown normally are to move).
    char title[kTitleSize];
    char className[kTitleSize];
    TopWindows list;
    list.take();
    for (const platform::WindowHandle window : list) {
        if (!platform::isWindowVisible(window)) continue;
        if (ordinaryOnly) {
            platform::Placement placement{};
            platform::getWindowPlacement(window, &placement);
            if (placement.showCmd != platform::kShowNormal ||
                !readOrdinaryWindow(window, placement, kGatherShellClasses, title, className) ||
                rules.actionFor(window, title, className) == kRuleIgnore)
                continue;
        } else if (screen_windows::leftAlone(window) || rules.actionOf(window) == kRuleIgnore) {
            // Taskbars, menus, overlays belong to the screen; a window the
            // rules leave alone stays where it is.
            continue;
        }
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        int s = moves.find(window);
        // A minimized window shows its iconic place, which is no move of ours.
        if (s >= 0 && isMinimized(window)) s = -1;
        if (s < 0) {
            shiftInside(&r, area->boundsFor(window, r));
            placer::moveTo(moves, -1, window, r);
            continue;
        }
        LedgerSlot& e = moves.slot(s);
        if (e.hung || e.refusing) {
            // Left where it is while it hangs or refuses; its place on the desktop comes
            // inside like any other.
            platform::Rect place{e.placeX - x, e.placeY - y, e.placeX - x + (r.right - r.left),
                                 e.placeY - y + (r.bottom - r.top)};
            shiftInside(&place, area->boundsFor(window, place));
            e.placeX = x + place.left;
            e.placeY = y + place.top;
            continue;
        }
        // A window whose last move is still on its way is taken where it is
        // going, so that this move does not undo that one.
        const platform::Rect shown = r;
        r = moves.believed(s, shown);
        shiftInside(&r, area->boundsFor(window, r));
        placer::moveTo(moves, s, window, r, &shown);
    }
    return kStatusOk;
}

int VirtualDesk::gatherWindows() {
    // The table is cleared; windowCount is left as it is.
    std::memset(windows, 0, sizeof windows);
    moves.clearRows();

    char title[kTitleSize];
    char className[kTitleSize];

    // The work area of every monitor: the taskbars' margins from every
    // taskbar, visible or not, a later one overwriting what its rules set.
    platform::Rect work[platform::kMaxMonitors];
    monitors.workAreas(work);

    // Every visible window onto the work area. A normal window that refuses
    // to move does not strand the windows below it: the walk goes on and the
    // refusal is reported at the end.
    int result = kStatusOk;
    TopWindows list;
    list.take();
    for (const platform::WindowHandle window : list) {
        if (!platform::isWindowVisible(window)) continue;
        platform::Placement placement{};
        platform::getWindowPlacement(window, &placement);
        // A window the rules leave alone is not gathered either.
        if (placement.showCmd != platform::kShowNormal && rules.actionOf(window) == kRuleIgnore) continue;

        if (placement.showCmd == platform::kShowMaximized) {
            if (screen_windows::leftAlone(window)) continue;
            // Into the corner of its own monitor's work area.
            platform::Rect r{};
            if (monitors.count() > 1) platform::getWindowRect(window, &r);
            const platform::Rect& w = work[monitors.count() > 1 ? monitors.nearestTo(r) : 0];
            placer::putMaximized(window, w, frameInset);
            continue;
        }
        if (placement.showCmd == platform::kShowMinimized) {
            gatherRestored(moves, monitors, work, window);
            continue;
        }
        if (placement.showCmd != platform::kShowNormal) continue;

        if (!readOrdinaryWindow(window, placement, kGatherShellClasses, title, className)) continue;
        if (rules.actionFor(window, title, className) == kRuleIgnore) continue;

        platform::Rect r{};
        platform::getWindowRect(window, &r);
        // A move of ours still on its way is carried out before this one:
        // gather from where it takes the window.
        const int slot = moves.find(window);
        if (slot >= 0) r = moves.believed(slot, r);
        if (!gather_rules::placeGathered(window, r, work[monitors.nearestTo(r)])) result = kGatherRefused;
    }
    return result;
}
