// When a tick may leave the window table as it is. The table costs a round of
// window queries for every top-level window; while the navigator is hidden,
// the pointer is at no edge and no window is still to be caught up with,
// nothing reads it before the next tick that needs it, and that tick takes it
// afresh. Such a tick reads the pointer, the keys and the foreground window
// (engine/follow_focus.h) and nothing else.
#pragma once

class VirtualDesk;

namespace idle_policy {

// Whether this tick must take the window table, given the edge test's
// directions: the pointer at an edge (scrolling, or the navigator about to
// show), the navigator shown (its map and its hover test read the table), or
// a window the table still follows (a move of ours on its way, a program
// that stopped answering and waits to rejoin).
bool tableNeeded(const VirtualDesk& desk, int dirX, int dirY);

}  // namespace idle_policy
