// Where other programs' windows are placed. Deciding where a window goes
// stays with each path (scrolling and the keys, the re-fit, the gathering,
// the recovery, the map's drag, the ledger's catch-up moves); every one of
// them hands its placement to these functions, which make the platform's
// move and placement calls and keep the ledger's moves in flight. Rules about
// how a window is placed belong here, so that every path follows them.
//
// Plain functions over the ledger, nothing allocated.
#pragma once

#include <cstdint>

#include "engine/move_ledger.h"
#include "platform/desktop.h"

namespace placer {

// The view wants `window` at `target` (outer rectangle). With a ledger slot
// the move goes through the ledger: sent now unless one is still in flight
// (then it follows once that is done), and not at all while the window hangs
// or refuses; `shown` is what the window showed just now, when the caller
// read it. Without a slot (-1) it is sent at once and not followed.
void moveTo(MoveLedger& moves, int slot, platform::WindowHandle window, const platform::Rect& target,
            const platform::Rect* shown = nullptr);

// Sends the slot's window to `target` now, without waiting on its program,
// and records the move in flight; a refused move leaves the window where it
// is known to be and owes nothing.
void send(MoveLedger& moves, int slot, const platform::Rect& target);

// Position only, size and Z order kept: a window put onto the work area.
// With a ledger slot the move is recorded as the move back of the session's
// end (the one the exit's gathering takes the window to), `shown` being
// where it was asked from. True when the platform took the move.
bool putAt(platform::WindowHandle window, platform::Point at, MoveLedger* moves = nullptr, int slot = -1,
           const platform::Rect* shown = nullptr);

// A maximized window into the top-left corner of `work`, its frame reaching
// `frameInset` beyond it as a maximized window's does. A refusal is ignored.
void putMaximized(platform::WindowHandle window, const platform::Rect& work, int32_t frameInset);

// The rectangle a minimized or maximized window is restored to.
void setRestored(platform::WindowHandle window, const platform::Rect& rect);

}  // namespace placer
