// When a tick may leave the window table as it is.
#include "engine/idle_policy.h"

#include "engine/navi_mode.h"
#include "engine/virtual_desk.h"

namespace {

// A window that only a fresh snapshot can settle: its move may be done by
// now, or its program may answer again. Every state of a slot that waits for
// a later snapshot to act belongs here.
bool waitsForSnapshot(const LedgerSlot& s) {
    return s.window != 0 &&
           (s.inFlight != 0 || s.hung != 0 || s.refusing != 0 || s.owed != 0 || s.lateMove != 0);
}

bool anyWindowWaits(const MoveLedger& moves) {
    // Slots in use lie mostly at the low indices: stop once all are seen.
    int seen = 0;
    for (int i = 0; i < kLedgerSlots && seen < moves.used(); ++i) {
        const LedgerSlot& s = moves.slot(i);
        if (s.window == 0) continue;
        ++seen;
        if (waitsForSnapshot(s)) return true;
    }
    return false;
}

}  // namespace

namespace idle_policy {

bool tableNeeded(const VirtualDesk& desk, int dirX, int dirY) {
    if (dirX != 0 || dirY != 0) return true;
    // Hidden only in this mode once start-up has placed it; any other value,
    // a damaged one included, counts as shown.
    if (desk.naviMode != kNaviHidden) return true;
    return anyWindowWaits(desk.moves);
}

}  // namespace idle_policy
