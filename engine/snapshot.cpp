// The window table snapshot. Allocates nothing: the table lives in
// the VirtualDesk and the buffers are local arrays.
#include <cstring>

#include "engine/virtual_desk.h"

namespace {

// Shell classes that never take part, tested in this order.
constexpr const char* kExcludedClasses[] = {"BaseBar", "Shell_TrayWnd", "Progman", "tooltips_class32"};

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
        // 3.1 Visible.
        if (!platform::isWindowVisible(window)) continue;
        // 3.2 Shown normally, or maximized while those are moved.
        placement = platform::Placement{};
        platform::getWindowPlacement(window, &placement);
        if (!(placement.showCmd == platform::kShowNormal ||
              (placement.showCmd == platform::kShowMaximized && moveMaximized != 0)))
            continue;
        // 3.3 Table full.
        if (n == kMaxWindows) return kTableFull;
        // 3.4 Title.
        title[0] = '\0';
        platform::getWindowText(window, title, kTitleSize);
        title[kTitleSize - 1] = '\0';
        // 3.5 A real restored rectangle.
        if (placement.normal.left == placement.normal.right ||
            placement.normal.top == placement.normal.bottom)
            continue;
        // 3.6 Not the navigator.
        if (std::strcmp(title, kNavigatorTitle) == 0) continue;
        // 3.7, 3.8 Not a shell class.
        className[0] = '\0';
        platform::getClassName(window, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
        bool excluded = false;
        for (const char* name : kExcludedClasses) {
            if (std::strcmp(className, name) == 0) {
                excluded = true;
                break;
            }
        }
        if (excluded) continue;
        // 3.9 Not fixed.
        if (isFixed(fixedWindows, title, className)) continue;
        // 3.10 The row: where the view wants the window, which is where it
        // stands unless a move of ours is still on its way. A window whose
        // program does not answer is left out while it hangs.
        rect = platform::Rect{};
        platform::getWindowRect(window, &rect);
        platform::Rect row = rect;
        const int slot = moves.track(window, className, rect);
        if (slot >= 0 && moves.observe(slot, rect, viewX, viewY, &row) == MoveLedger::kLeaveOut) continue;
        windows[n] = WindowEntry{window, row.left, row.top, row.right - row.left, row.bottom - row.top};
        moves.setRowSlot(n, slot);
        ++n;
    }

    // 4.
    moves.endPass();
    windowCount = n;
    return kStatusOk;
}
