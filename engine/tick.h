// One polling tick of the main loop, up to and including its sleeps: the
// snapshot, the edge test, scrolling or the step reset, the map's change
// test and the navigator's show/hide. The shell then clears the map's button
// latches, runs the hover test and dispatches one message.
#pragma once

#include <cstdint>

#include "engine/edge_guards.h"
#include "platform/desktop.h"

class VirtualDesk;

struct TickState {
    uint32_t lastEdgeTick = 0;  // last tick with the pointer at an edge
    int32_t dirX = 0;
    int32_t dirY = 0;
    EdgeGuard guard;  // its options: the shell's [Edges]
};

// Returns the change test's count (nonzero: mapPane was invalidated).
int pollTick(VirtualDesk* desk, TickState* state, platform::WindowHandle navFrame,
             platform::WindowHandle mapPane);
