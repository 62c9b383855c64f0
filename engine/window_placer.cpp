// Where other programs' windows are placed: the one caller of the platform's
// move and placement calls.
#include "engine/window_placer.h"

namespace placer {

void moveTo(MoveLedger& moves, int slot, platform::WindowHandle window, const platform::Rect& target,
            const platform::Rect* shown) {
    if (slot < 0) {
        platform::moveWindow(window, target.left, target.top, target.right - target.left,
                             target.bottom - target.top);
        return;
    }
    if (moves.requestMove(slot, target, shown)) send(moves, slot, target);
}

void send(MoveLedger& moves, int slot, const platform::Rect& target) {
    // A copy: the target may be the slot's own rectangle, which the
    // bookkeeping rewrites.
    const platform::Rect to = target;
    const bool taken = platform::moveWindow(moves.slot(slot).window, to.left, to.top, to.right - to.left,
                                            to.bottom - to.top);
    moves.noteSent(slot, to, taken);
}

bool putAt(platform::WindowHandle window, platform::Point at, MoveLedger* moves, int slot,
           const platform::Rect* shown) {
    if (!platform::setWindowPos(window, at.x, at.y)) return false;
    if (moves != nullptr && slot >= 0 && shown != nullptr) {
        const platform::Rect to{at.x, at.y, at.x + (shown->right - shown->left),
                                at.y + (shown->bottom - shown->top)};
        moves->sentBack(slot, *shown, to);
    }
    return true;
}

void putMaximized(platform::WindowHandle window, const platform::Rect& work, int32_t frameInset) {
    platform::setWindowPos(window, work.left - frameInset, work.top - frameInset);
}

void setRestored(platform::WindowHandle window, const platform::Rect& rect) {
    platform::setRestoredRect(window, rect);
}

}  // namespace placer
