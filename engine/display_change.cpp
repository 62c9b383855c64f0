// A change of the monitors or of their resolution while running.
#include "engine/monitors.h"
#include "engine/virtual_desk.h"

int VirtualDesk::takeDisplayChange() {
    const MonitorLayout before = monitors;
    monitors.load();
    if (monitors.sameAs(before)) return 1;

    // The geometry again, the scales kept inside the platform's coordinate
    // range on the new screen.
    screenWidth = monitors.width();
    screenHeight = monitors.height();
    deriveDesktopSize();

    // The view keeps what the primary monitor's corner shows: when the
    // virtual screen grows to the left or up, the view starts that much
    // further left or up. Then it is clamped into the new desktop.
    int64_t x = int64_t{viewX} + (monitors.bounds().left - before.bounds().left);
    int64_t y = int64_t{viewY} + (monitors.bounds().top - before.bounds().top);
    viewX = static_cast<int32_t>(x);
    viewY = static_cast<int32_t>(y);
    if (x > virtualWidth - screenWidth) x = virtualWidth - screenWidth;
    if (y > virtualHeight - screenHeight) y = virtualHeight - screenHeight;
    if (x < 0) x = 0;
    if (y < 0) y = 0;

    // The windows that a monitor showed stay on one; the others come inside
    // the smaller desktop as after an import that shrank it.
    RefitArea area(monitors, static_cast<int32_t>(x), static_cast<int32_t>(y), virtualWidth, virtualHeight);
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        platform::Rect r{};
        if (platform::isWindowVisible(window) && platform::getWindowRect(window, &r) && before.shows(r))
            area.keepOnScreen(window);
    }
    refitInto(&area, static_cast<int32_t>(x), static_cast<int32_t>(y), true);
    mapDirty = 1;
    return kStatusOk;
}
