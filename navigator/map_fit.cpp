// The navigator's size: its client area is exactly the map.
#include "navigator/map_fit.h"

#include "platform/dialog.h"

bool navigatorFrameSize(platform::WindowHandle frame, int mapWidth, int mapHeight, int* width, int* height) {
    *width = mapWidth;
    *height = mapHeight;
    platform::Rect outer{};
    platform::Rect client{};
    if (!platform::getWindowRect(frame, &outer) || !platform::getClientRect(frame, &client)) return false;
    *width += (outer.right - outer.left) - (client.right - client.left);
    *height += (outer.bottom - outer.top) - (client.bottom - client.top);
    return true;
}
