// The window table snapshot. Allocates nothing: the table lives in
// the VirtualDesk and the buffers are local arrays.
#include <cstring>

#include "engine/ordinary_window.h"
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
    // 1. Clear every row; windowCount waits for the end of the pass.
    std::memset(windows, 0, sizeof windows);
    moves.beginPass();
    int n = 0;

    platform::Placement placement;
    char title[kTitleSize];
    char className[kTitleSize];
    platform::Rect rect;

    // 2. Walk the top-level windows, topmost first.
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        // Visible, and not cloaked (shown on no screen, like a hidden one).
        const uint32_t show = platform::getShowState(window);
        if (show == 0 || platform::isWindowCloaked(window)) continue;
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
        if (!readOrdinaryWindow(window, placement, kSnapshotShellClasses, title, className)) continue;
        // No rule keeps it on the screen or leaves it alone, and it is not in
        // the fixed-window list.
        if (rules.actionFor(window, title, className) != kRuleNone) continue;
        if (isFixed(fixedWindows, title, className)) continue;
        // The row: where the view wants the window, which is where it
        // stands unless a move of ours is still on its way. A window whose
        // program does not answer is left out while it hangs; one that
        // does not obey is shown where it stands.
        platform::Rect row = rect;
        const int slot = moves.track(window, className, rect);
        if (slot >= 0 &&
            moves.observe(slot, rect, viewX, viewY, screenWidth, screenHeight, &row) == MoveLedger::kLeaveOut)
            continue;
        if (slot >= 0 && placement.showCmd == platform::kShowNormal) moves.noteRestored(slot, row);
        windows[n] = WindowEntry{window, row.left, row.top, row.right - row.left, row.bottom - row.top};
        moves.setRowSlot(n, slot);
        ++n;
    }

    // 4.
    moves.endPass();
    rules.endPass();
    windowCount = n;
    return kStatusOk;
}
