// Edges rest while a game, a video or a slide show fills the screen: the
// program in front covers the whole monitor it is on (and is not the shell's
// desktop, nor an ordinary window maximized over an auto-hiding taskbar), or
// the shell reports a full-screen program or presentation settings. Then the
// edges neither scroll nor show the navigator; hotkeys, the map and the tray
// icon go on working.
//
// Cost: nothing while the pointer is away from the edges; at an edge a few
// queries at the first tick of a contact and again every kRecheckMs, none per
// window.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

class MonitorLayout;

namespace fullscreen_pause {

// The window's rectangle covers the monitor's whole rectangle.
bool coversMonitor(const platform::Rect& window, const platform::Rect& monitor);
// The shell's notification state says a full-screen program or a
// presentation is on.
bool shellBusy(int userState);

// What the decision looks at, read from the platform.
struct Foreground {
    bool present;           // there is a foreground window
    platform::Rect rect;    // its outer rectangle
    uint32_t showState;     // kShowNormal, kShowMaximized, ...
    const char* className;  // terminated
    int userState;          // userNotificationState, 0 unknown
};

bool pauses(const Foreground& foreground, const MonitorLayout& monitors);

}  // namespace fullscreen_pause

class FullscreenPause {
public:
    // Whether this tick's edge contact is to be ignored. Asks the platform only
    // while `atEdge`, and then at most every kRecheckMs; `enabled` is the
    // user's [Edges] PauseInFullscreen.
    bool paused(const MonitorLayout& monitors, uint32_t now, bool atEdge, bool enabled);

    static constexpr uint32_t kRecheckMs = 500;

private:
    bool checked = false;  // a verdict for the present contact
    bool verdict = false;
    uint32_t checkedAt = 0;
};
