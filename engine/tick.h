// One polling tick of the main loop, up to and including its sleeps: the
// edge test, the snapshot when anything needs the table, scrolling or the
// step reset, the map's change test and the navigator's show/hide. The shell then clears the map's button
// latches, runs the hover test and dispatches one message.
#pragma once

#include <cstdint>

#include "engine/edge_guards.h"
#include "engine/follow_focus.h"
#include "engine/fullscreen_pause.h"
#include "platform/desktop.h"

class VirtualDesk;

struct TickState {
    uint32_t lastEdgeTick = 0;  // last tick with the pointer at an edge
    int32_t dirX = 0;
    int32_t dirY = 0;
    EdgeGuard guard;             // its options: the shell's [Edges]
    FocusFollower focus;         // its options: the shell's [Focus]
    FullscreenPause fullscreen;  // edges rest while a program fills the screen
    // Take the window table at every tick, even when nothing needs it (what
    // the tick did before it learnt to idle; the tests compare the two).
    bool tableEveryTick = false;
};

// Returns the change test's count (nonzero: mapPane was invalidated).
int pollTick(VirtualDesk* desk, TickState* state, platform::WindowHandle navFrame,
             platform::WindowHandle mapPane);
