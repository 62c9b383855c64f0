// Display changes while running: the monitors or their resolution changed,
// or one of our windows moved to a monitor of another DPI.
#pragma once

#include <windows.h>

#include <cstdint>

// Set by the window procedures, taken by the main loop before its next tick.
extern int32_t displayChanged;

// Derives the geometry again and re-fits the windows (when the layout
// changed), then fits the navigator to the map again and keeps it on a
// present monitor.
void applyDisplayChange();

// Sizes the navigator so that its client area is exactly the map, its
// top-left corner at (x, y); flags as SetWindowPos takes them.
void fitNavigator(int x, int y, HWND insertAfter, UINT flags);
