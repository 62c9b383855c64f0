// Windows that belong to the screen rather than to the desktop the view
// travels across: the shell's taskbars on every monitor, open menus, the
// stand-ins for hung windows, drop shadows, the shell's flyouts and input
// windows, IME windows, and overlays (recording and GPU overlays, on-screen
// widgets). The table, the map, the re-fit and the gathering leave them where
// they are. A window the user made topmost is an ordinary one and still moves.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

namespace screen_windows {

// Whether a window of this class and extended style belongs to the screen.
// The class table first: it costs nothing, the style needs a query.
bool isScreenClass(const char* className);
bool isOverlay(uint32_t exStyle);
bool belongsToScreen(const char* className, uint32_t exStyle);

// The same for a window whose class name was read already: its extended
// style is asked only when the class alone does not settle it. A walk down
// the Z order passes `topmostBand`, true at its start: topmost windows come
// before all others, so once a window without the topmost flag was seen no
// later one can be an overlay and no more styles are asked (one query per
// topmost window and one more, not one per window).
bool leftAlone(platform::WindowHandle window, const char* className, bool* topmostBand = nullptr);
// Reads the class name too (for walks that have not).
bool leftAlone(platform::WindowHandle window);

}  // namespace screen_windows
