// A change of the monitors or of their resolution while running.
#include "engine/monitors.h"
#include "engine/top_windows.h"
#include "engine/virtual_desk.h"

namespace {

// A view position inside 0 .. the largest one.
int32_t clampView(int64_t v, int32_t largest) {
    if (v > largest) v = largest;
    if (v < 0) v = 0;
    return static_cast<int32_t>(v);
}

}  // namespace

int VirtualDesk::takeDisplayChange() {
    const MonitorLayout before = monitors;
    monitors.load();
    if (monitors.sameAs(before)) return 1;
    // The view move below moves the table's rows: ticks that nothing
    // watched may have left the table as it was long ago.
    snapshotWindows();

    // The geometry again, the scales kept inside the platform's coordinate
    // range on the new screen.
    screenWidth = monitors.width();
    screenHeight = monitors.height();
    deriveDesktopSize();

    // The view keeps what the primary monitor's corner shows: when the
    // virtual screen grows to the left or up, the view starts that much
    // further left or up. Then it is clamped into the new desktop.
    const int64_t originDx = int64_t{monitors.bounds().left} - before.bounds().left;
    const int64_t originDy = int64_t{monitors.bounds().top} - before.bounds().top;
    const int64_t shiftedX = viewX + originDx;
    const int64_t shiftedY = viewY + originDy;
    viewX = static_cast<int32_t>(shiftedX);
    viewY = static_cast<int32_t>(shiftedY);
    const int32_t x = clampView(shiftedX, virtualWidth - screenWidth);
    const int32_t y = clampView(shiftedY, virtualHeight - screenHeight);

    // Where the view started, for putting everything back in an emergency:
    // shifted and clamped the same way.
    moves.startViewX = clampView(moves.startViewX + originDx, virtualWidth - screenWidth);
    moves.startViewY = clampView(moves.startViewY + originDy, virtualHeight - screenHeight);

    // The windows that a monitor showed stay on one; the others come inside
    // the smaller desktop as after an import that shrank it.
    RefitArea area(monitors, x, y, virtualWidth, virtualHeight);
    TopWindows list;
    list.take();
    for (const platform::WindowHandle window : list) {
        platform::Rect r{};
        if (platform::isWindowVisible(window) && platform::getWindowRect(window, &r) && before.shows(r))
            area.keepOnScreen(window);
    }
    refitInto(&area, x, y, true);
    mapDirty = 1;
    return kStatusOk;
}
