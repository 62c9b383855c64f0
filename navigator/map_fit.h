// The navigator's size: its client area is exactly the map.
#pragma once

#include "platform/desktop.h"

// The outer size of the navigator frame `frame` whose client area is exactly
// mapWidth x mapHeight: the map plus what the frame's outer rectangle has
// beyond its client area now (border and caption, which change with the
// monitor's DPI). False, with the map's size alone, when the frame's
// rectangles cannot be read.
bool navigatorFrameSize(platform::WindowHandle frame, int mapWidth, int mapHeight, int* width, int* height);
