// Where the map's right drag takes its window.
#include "navigator/window_drag.h"

#include "engine/virtual_desk.h"
#include "engine/window_placer.h"

namespace {

platform::WindowHandle dragged = 0;
platform::Rect target{};

// The window's table row, or null.
WindowEntry* rowOf(VirtualDesk* desk, platform::WindowHandle window) {
    for (int i = 0; i < desk->windowCount; ++i) {
        if (desk->windows[i].window == window) return &desk->windows[i];
    }
    return nullptr;
}

// The ledger's slot of a window that obeys moves, or -1.
int obeyingSlot(VirtualDesk* desk, platform::WindowHandle window) {
    const int s = desk->moves.find(window);
    if (s < 0) return -1;
    const LedgerSlot& e = desk->moves.slot(s);
    return e.hung || e.refusing ? -1 : s;
}

}  // namespace

void startDrag(VirtualDesk* desk, platform::WindowHandle window) {
    dragged = window;
    target = platform::Rect{};
    platform::getWindowRect(window, &target);
    const int s = desk->moves.find(window);
    if (s >= 0) target = desk->moves.believed(s, target);
}

void dragBy(VirtualDesk* desk, int32_t dx, int32_t dy) {
    const platform::WindowHandle window = dragged;
    if (window == 0) return;
    platform::Rect shown{};
    if (!platform::getWindowRect(window, &shown)) return;  // closed meanwhile
    const int s = obeyingSlot(desk, window);
    // The ledger's target has followed any view move since the last step.
    if (s >= 0) target = desk->moves.believed(s, shown);
    target.left += dx;
    target.right += dx;
    target.top += dy;
    target.bottom += dy;
    placer::moveTo(desk->moves, s, window, target, &shown);
    if (s < 0) return;
    if (WindowEntry* row = rowOf(desk, window)) {
        row->x = target.left;
        row->y = target.top;
    }
}
