// The companion's list of windows: the snapshot's walk, keeping what the
// table leaves out on purpose.
#include "engine/window_list.h"

#include <cstring>

#include "engine/ordinary_window.h"
#include "engine/top_windows.h"
#include "engine/virtual_desk.h"
#include "platform/window_text.h"

namespace {

// The snapshot's fixed test: whole-string bytes, fields that may lack their
// terminator.
bool isFixed(const FixedWindowList& list, const char* title, const char* className) {
    for (const FixedWindowEntry& entry : list.entries) {
        if (isFreeEntry(entry)) continue;
        if (std::strncmp(title, entry.title, kTitleSize) == 0 &&
            std::strncmp(className, entry.className, kTitleSize) == 0)
            return true;
    }
    return false;
}

const WindowEntry* rowOf(const VirtualDesk& desk, platform::WindowHandle window) {
    for (int i = 0; i < desk.windowCount; ++i) {
        if (desk.windows[i].window == window) return &desk.windows[i];
    }
    return nullptr;
}

std::string utf8Of(int (*read)(platform::WindowHandle, char*, int), platform::WindowHandle window) {
    char text[1024];
    const int n = read(window, text, sizeof text);
    return std::string(text, n > 0 ? static_cast<size_t>(n) : 0);
}

int programUtf8(platform::WindowHandle window, char* buf, int size) {
    return platform::windowProgram(window, buf, size) ? static_cast<int>(std::strlen(buf)) : 0;
}

}  // namespace

const char* windowStateName(const VirtualDesk& desk, platform::WindowHandle window, bool fixed) {
    if (fixed) return "fixed";
    if (desk.outOfReach.stays(window)) return "elevated";
    const int slot = desk.moves.find(window);
    if (slot >= 0 && desk.moves.slot(slot).hung) return "hung";
    if (slot >= 0 && desk.moves.slot(slot).refusing) return "refusing";
    return "normal";
}

int listWindows(VirtualDesk* desk, std::vector<ListedWindow>* out) {
    out->clear();
    desk->snapshotWindows();
    char title[kTitleSize];
    char className[kTitleSize];
    TopWindows list;
    list.take();
    for (const platform::WindowHandle window : list) {
        const uint32_t show = platform::getShowState(window);
        if (show == 0 || platform::isWindowCloaked(window)) continue;
        if (!(show == platform::kShowNormal ||
              (show == platform::kShowMaximized && desk->moveMaximized != 0)))
            continue;
        platform::Rect rect{};
        if (!platform::getWindowRect(window, &rect)) continue;
        platform::Placement placement{show, rect};
        if (show == platform::kShowMaximized) platform::getWindowPlacement(window, &placement);
        if (!readOrdinaryWindow(window, placement, kSnapshotShellClasses, title, className)) continue;
        ListedWindow w;
        w.handle = window;
        const bool fixed = isFixed(desk->fixedWindows, title, className);
        w.state = windowStateName(*desk, window, fixed);
        const WindowEntry* row = fixed ? nullptr : rowOf(*desk, window);
        if (row) {
            // Where the view wants it: a move of ours may still be on its way.
            w.x = row->x;
            w.y = row->y;
            w.width = row->width;
            w.height = row->height;
        } else {
            w.x = rect.left;
            w.y = rect.top;
            w.width = rect.right - rect.left;
            w.height = rect.bottom - rect.top;
        }
        const int slot = desk->moves.find(window);
        const LedgerSlot* s = slot >= 0 ? &desk->moves.slot(slot) : nullptr;
        if (s && (s->hung || s->refusing)) {
            // Its place on the virtual desktop is kept while it stays.
            w.virtualX = s->placeX;
            w.virtualY = s->placeY;
        } else {
            // A fixed window: where the view shows it now.
            w.virtualX = desk->viewX + w.x;
            w.virtualY = desk->viewY + w.y;
        }
        w.title = utf8Of(platform::getWindowTextUtf8, window);
        w.className = utf8Of(platform::windowClassUtf8, window);
        w.program = utf8Of(programUtf8, window);
        out->push_back(std::move(w));
    }
    return static_cast<int>(out->size());
}
