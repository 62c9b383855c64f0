// Windows whose program answers but does not carry out our moves: how the
// ledger tells them apart and when they rejoin the view.
#include "engine/move_ledger.h"

namespace {

bool same(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

bool within(int32_t v, int32_t a, int32_t b) { return a <= b ? (a <= v && v <= b) : (b <= v && v <= a); }

// Fully on the physical screen.
bool onScreen(const platform::Rect& r, int32_t screenWidth, int32_t screenHeight) {
    return r.left >= 0 && r.top >= 0 && r.right <= screenWidth && r.bottom <= screenHeight;
}

}  // namespace

bool MoveLedger::between(const platform::Rect& shown, const platform::Rect& from, const platform::Rect& to) {
    // Same size, and on each axis no further than asked: what a handler that
    // keeps the window inside some bounds leaves of a move.
    return shown.right - shown.left == to.right - to.left && shown.bottom - shown.top == to.bottom - to.top &&
           within(shown.left, from.left, to.left) && within(shown.top, from.top, to.top);
}

void MoveLedger::refuse(int s, const platform::Rect& shown, int32_t viewX, int32_t viewY, int32_t screenWidth,
                        int32_t screenHeight) {
    LedgerSlot& e = slots[s];
    // Its place on the virtual desktop is where the view wants it.
    e.placeX = viewX + e.wanted.left;
    e.placeY = viewY + e.wanted.top;
    // Only what was carried out counts as moved; the rest may still come.
    e.offsetX -= e.queued.left - shown.left;
    e.offsetY -= e.queued.top - shown.top;
    e.known = shown;
    e.wanted = shown;
    e.inFlight = 0;
    e.owed = 0;
    e.lateMove = 1;
    e.refusing = 1;
    const platform::Rect place{e.placeX - viewX, e.placeY - viewY,
                               e.placeX - viewX + (shown.right - shown.left),
                               e.placeY - viewY + (shown.bottom - shown.top)};
    e.placeOnScreen = onScreen(place, screenWidth, screenHeight) ? 1 : 0;
}

bool MoveLedger::countLateMove(int s, const platform::Rect& shown) {
    LedgerSlot& e = slots[s];
    // (The refused move itself: one asked again after it counted already.)
    if (e.lateMove != 1 || !same(shown, e.queued) || same(e.queued, e.known)) return false;
    // A move taken as refused was carried out after all: it counts.
    e.offsetX += e.queued.left - e.known.left;
    e.offsetY += e.queued.top - e.known.top;
    e.known = e.queued;
    e.lateMove = 0;
    return true;
}

bool MoveLedger::rejoins(int s, const platform::Rect& shown, bool landed, int32_t viewX, int32_t viewY,
                         int32_t screenWidth, int32_t screenHeight) {
    LedgerSlot& e = slots[s];
    const platform::Rect place{e.placeX - viewX, e.placeY - viewY,
                               e.placeX - viewX + (shown.right - shown.left),
                               e.placeY - viewY + (shown.bottom - shown.top)};
    if (!landed && !same(shown, e.known)) {
        // Put elsewhere by someone: taken where it is.
        e.refusing = 0;
        e.lateMove = 0;
        e.known = shown;
        e.wanted = shown;
        return true;
    }
    // Until the program obeys, it is asked again only when the view brings
    // its place onto the screen (a slow program whose place stays there is
    // not asked again and again).
    const uint8_t wasOnScreen = e.placeOnScreen;
    e.placeOnScreen = onScreen(place, screenWidth, screenHeight) ? 1 : 0;
    if (!landed && (wasOnScreen || !e.placeOnScreen)) return false;
    e.refusing = 0;
    e.known = shown;
    e.wanted = place;
    return true;
}
