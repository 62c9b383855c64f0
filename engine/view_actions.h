// What the hotkeys do to the view: a screen at a time, back to the start, or
// a screen with the window the user works in carried along.
#pragma once

#include "platform/desktop.h"

class VirtualDesk;

// In the order of the [Keys] entries of the options file.
enum ViewAction : int {
    kActionPageLeft = 0,
    kActionPageRight,
    kActionPageUp,
    kActionPageDown,
    kActionHome,
    kActionCarryLeft,
    kActionCarryRight,
    kActionCarryUp,
    kActionCarryDown,
    kActionToggleNavigator,
    kViewActionCount
};

// One screen in the direction (signs only count), clamped at the borders; in
// page mode the view lands on the next screen boundary that way. `keep` (0:
// none) keeps its place on the screen. The result of the move: 0, or
// kNothingToMove at the border.
int pageView(VirtualDesk* desk, int dirX, int dirY, platform::WindowHandle keep);
// Back to the middle of the virtual desktop, where the view starts.
int homeView(VirtualDesk* desk);
// Carries out one action; the carry actions take the foreground window along,
// the navigator toggle acts on `navFrame` as a click on the tray icon does.
int runViewAction(VirtualDesk* desk, int action, platform::WindowHandle navFrame);
