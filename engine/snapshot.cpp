// The window table snapshot. Allocates nothing: the table lives in
// the VirtualDesk and the buffers are local arrays.
#include <cstring>

#include "engine/cloak_rules.h"
#include "engine/ordinary_window.h"
#include "engine/top_windows.h"
#include "engine/virtual_desk.h"

namespace {

// Exact, whole-string byte comparison of a terminated buffer with a list field
// of kTitleSize bytes that may lack its terminator (a damaged file).
bool sameName(const char* buffer, const char* field) { return std::strncmp(buffer, field, kTitleSize) == 0; }

bool isFixed(const FixedWindowList& list, const char* title, const char* className) {
    for (const FixedWindowEntry& entry : list.entries) {
        if (isFreeEntry(entry)) continue;
        if (sameName(title, entry.title) && sameName(className, entry.className)) return true;
    }
    return false;
}

}  // namespace

int VirtualDesk::snapshotWindows() {
    // Clear every row; windowCount waits for the end of the pass.
    std::memset(windows, 0, sizeof windows);
    moves.beginPass();
    outOfReach.beginPass();
    offMap.clear();
    int n = 0;

    platform::Placement placement;
    char title[kTitleSize];
    char className[kTitleSize];
    platform::Rect rect;
    bool topmostBand = true;  // no window without the topmost flag seen yet

    // Walk the top-level windows, topmost first, from one reading of the
    // list: a window restacked meanwhile is neither passed over (it would
    // miss this pass's view move and lose its place for good) nor met twice.
    TopWindows list;
    const bool whole = list.take();
    for (const platform::WindowHandle window : list) {
        // Visible, and not cloaked by its program (shown on no screen, like a
        // hidden one); one on another desktop of the system moves on.
        const uint32_t show = platform::getShowState(window);
        if (show == 0) continue;
        const uint32_t cloak = platform::cloakReason(window);
        if (cloak != 0 && !cloak_rules::movesWithView(cloak)) continue;
        // Shown normally, or maximized while those are moved.
        if (!(show == platform::kShowNormal || (show == platform::kShowMaximized && moveMaximized != 0)))
            continue;
        // Table full.
        if (n == kMaxWindows) return kTableFull;
        // A window shown normally is restored to where it stands; only a
        // maximized one needs its placement asked for (three more round
        // trips a window at every scrolling tick otherwise).
        rect = platform::Rect{};
        platform::getWindowRect(window, &rect);
        placement = platform::Placement{show, rect};
        if (show == platform::kShowMaximized) platform::getWindowPlacement(window, &placement);
        // A real restored rectangle, not the navigator, not a shell window.
        if (!readOrdinaryWindow(window, placement, kSnapshotShellClasses, title, className, &topmostBand))
            continue;
        // No rule keeps it on the screen or leaves it alone, and it is not in
        // the fixed-window list.
        if (rules.actionFor(window, title, className) != kRuleNone) continue;
        if (isFixed(fixedWindows, title, className)) continue;
        // The row: where the view wants the window, which is where it
        // stands unless a move of ours is still on its way. A window whose
        // program does not answer is left out while it hangs; one that
        // does not obey is shown where it stands.
        platform::Rect row = rect;
        // An elevated program's window stays where it stands.
        int slot = outOfReach.holds(window) ? -1 : moves.track(window, className, rect);
        if (slot >= 0 &&
            moves.observe(slot, rect, viewX, viewY, screenWidth, screenHeight, &row) == MoveLedger::kLeaveOut)
            continue;
        if (slot >= 0 && (moves.slot(slot).moveFailed || moves.slot(slot).refusing) &&
            outOfReach.check(window)) {
            row = rect;
            slot = -1;
            mapDirty = 1;
        }
        if (slot >= 0 && placement.showCmd == platform::kShowNormal) moves.noteRestored(slot, row);
        if (cloak != 0) offMap.add(window);
        windows[n] = WindowEntry{window, row.left, row.top, row.right - row.left, row.bottom - row.top};
        moves.setRowSlot(n, slot);
        ++n;
    }

    // A list too short for every window is a table too small for them.
    if (!whole) return kTableFull;

    // A complete walk: the ledger may forget the windows it did not see.
    moves.endPass();
    outOfReach.endPass();
    rules.endPass();
    windowCount = n;
    return kStatusOk;
}
