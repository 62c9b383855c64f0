// Display changes while running.
#include "app/display.h"

#include <windows.h>

#include "app/shell.h"
#include "engine/virtual_desk.h"
#include "navigator/map_fit.h"

int32_t displayChanged = 0;

void fitNavigator(int x, int y, HWND insertAfter, UINT flags) {
    int width = 0;
    int height = 0;
    navigatorFrameSize(handleOf(navFrame), desk->mapWidth(), desk->mapHeight(), &width, &height);
    SetWindowPos(navFrame, insertAfter, x, y, width, height, flags);
}

void applyDisplayChange() {
    displayChanged = 0;
    if (!desk || !navFrame) return;
    desk->takeDisplayChange();
    // Also after a change of DPI alone: the frame's border and caption may
    // have another size now, the map has not.
    RECT frame{};
    GetWindowRect(navFrame, &frame);
    const platform::Point at = desk->monitors.placeOnMonitor({frame.left, frame.top});
    fitNavigator(at.x, at.y, nullptr, SWP_NOZORDER | SWP_NOACTIVATE);
    if (mapPane) {
        SetWindowPos(mapPane, nullptr, 0, 0, desk->mapWidth(), desk->mapHeight(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        RedrawWindow(mapPane, nullptr, nullptr, RDW_INVALIDATE);
    }
}
