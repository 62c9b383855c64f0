// Bringing one window into view: the view moves so that the window's
// rectangle lies on the screen.
#pragma once

#include "platform/desktop.h"

class VirtualDesk;

// 0 when the view moved or the window was already in view, nonzero when it
// cannot be brought into view (gone, or the virtual desktop's border is in
// the way). The window table must be current.
int bringIntoView(VirtualDesk* desk, platform::WindowHandle window);
