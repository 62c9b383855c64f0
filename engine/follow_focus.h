// Following the window the user switches to ([Focus] FollowFocus): when a
// window out of view comes to the front (a taskbar button, Alt+Tab, a program
// that brings itself forward), the view goes to it, or it comes to the view.
//
// The foreground window is polled, one call a tick: window event hooks do not
// arrive from other processes under every window manager this runs on, so a
// poll is what can be relied on and tested. Only a change of the foreground
// window counts: a window that stays in front while the user scrolls away
// from it is left alone.
#pragma once

#include <cstdint>

#include "platform/desktop.h"
#include "store/options.h"

class VirtualDesk;

class FocusFollower {
public:
    // The option in force (null: the default, the view goes to the window).
    const FocusOptions* options = nullptr;

    // Once a tick, `now` its start. 0: nothing done; kViewMoved or
    // kWindowMoved. `navFrame` identifies this program's own windows.
    int poll(VirtualDesk* desk, uint32_t now, platform::WindowHandle navFrame);
    // Forgets the foreground window seen: the next reading is taken as it
    // stands (after the settings dialog, whose closing hands the front to
    // some other window).
    void restart() {
        started_ = false;
        pending_ = 0;
    }

    static constexpr int kViewMoved = 1;
    static constexpr int kWindowMoved = 2;
    // A program that keeps bringing itself forward moves the view at most
    // this often; a change meanwhile waits for the time to pass.
    static constexpr uint32_t kMinGapMs = 1000;
    // How long a window that came forward minimized (being restored) is
    // waited for.
    static constexpr uint32_t kRestoreWaitMs = 2000;

private:
    bool started_ = false;
    platform::WindowHandle seen_ = 0;     // the foreground window at the last poll
    platform::WindowHandle pending_ = 0;  // came forward, not yet dealt with
    uint32_t pendingSince_ = 0;
    bool acted_ = false;
    uint32_t lastAct_ = 0;
};
