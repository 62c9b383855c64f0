// The right drag of a window in the map: where the drag takes the window.
//
// The drag keeps its own target and adds each step to it, so that the steps
// always sum up, whenever the window's program carries the moves out: a slow
// program still shows the rectangle it had, and reading that back at each
// step would lose the steps in between. A window the engine moves goes
// through its move ledger, and its table row follows the target, so that a
// view move meanwhile (a left press in the map) carries the target along
// instead of putting the window back where the last snapshot saw it.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

class VirtualDesk;

// At the right press on `window`: the target starts where the window is, or
// where a move of ours on its way takes it.
void startDrag(VirtualDesk* desk, platform::WindowHandle window);
// One step of (dx, dy) screen pixels.
void dragBy(VirtualDesk* desk, int32_t dx, int32_t dy);
