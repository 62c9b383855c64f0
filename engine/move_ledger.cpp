// The per-window bookkeeping of moves in flight, hung windows and offsets.
#include "engine/move_ledger.h"

#include <cstring>

#include "engine/window_placer.h"

namespace {

bool same(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

platform::Rect at(int32_t x, int32_t y, const platform::Rect& size) {
    return {x, y, x + (size.right - size.left), y + (size.bottom - size.top)};
}

// LedgerSlot::lateMove: the refused move (queued) may still be carried out;
// or, once the window was asked again, that move may still come before the
// one in flight.
constexpr uint8_t kLateRefused = 1;
constexpr uint8_t kLateBeforeInFlight = 2;

bool sameClass(const char* a, const char* b) { return std::strncmp(a, b, kLedgerClassSize) == 0; }

void copyClass(char* to, const char* from) {
    std::strncpy(to, from, kLedgerClassSize - 1);
    to[kLedgerClassSize - 1] = '\0';
}

uint64_t mix(uint64_t h, uint64_t v) {
    for (int i = 0; i < 8; ++i) {
        h ^= (v >> (8 * i)) & 0xff;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace

MoveLedger::MoveLedger()
    : writtenFingerprint(kNoRecord),
      lastFingerprint(kNoRecord),
      lastWrite(0),
      writeState(0),
      startViewX(0),
      startViewY(0),
      slots{},
      order{},
      freeSlots{},
      rowSlot{},
      count(0),
      freeCount(kLedgerSlots),
      pass(0) {
    // Lowest slots first off the stack.
    for (int i = 0; i < kLedgerSlots; ++i) freeSlots[i] = static_cast<int16_t>(kLedgerSlots - 1 - i);
    clearRows();
}

void MoveLedger::clearRows() {
    for (int16_t& s : rowSlot) s = -1;
}

int MoveLedger::slotOfRow(int row, platform::WindowHandle window) const {
    if (row < 0 || row >= kLedgerRows) return -1;
    const int s = rowSlot[row];
    return s >= 0 && slots[s].window == window ? s : -1;
}

int MoveLedger::find(platform::WindowHandle window) const {
    int lo = 0;
    int hi = count;
    while (lo < hi) {
        const int mid = (lo + hi) / 2;
        const platform::WindowHandle h = slots[order[mid]].window;
        if (h == window) return order[mid];
        if (h < window) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return -1;
}

int MoveLedger::track(platform::WindowHandle window, const char* className, const platform::Rect& shown) {
    int s = find(window);
    if (s >= 0) {
        if (!sameClass(slots[s].className, className)) {
            // Another window under a reused handle: nothing we did applies to it.
            LedgerSlot& e = slots[s];
            copyClass(e.className, className);
            e.known = e.queued = e.wanted = shown;
            e.offsetX = e.offsetY = e.placeX = e.placeY = 0;
            e.hasRestored = e.processKnown = 0;
            e.inFlight = e.hung = e.refusing = e.owed = e.lateMove = e.movedBack = 0;
        }
        return s;
    }
    if (freeCount == 0 || window == 0) return -1;
    s = freeSlots[--freeCount];
    LedgerSlot& e = slots[s];
    e = LedgerSlot{};
    e.window = window;
    copyClass(e.className, className);
    e.known = e.queued = e.wanted = shown;
    e.seenPass = pass;
    // Insert into the sorted index.
    int i = count;
    while (i > 0 && slots[order[i - 1]].window > window) {
        order[i] = order[i - 1];
        --i;
    }
    order[i] = static_cast<int16_t>(s);
    ++count;
    return s;
}

void MoveLedger::release(int s) {
    int i = 0;
    while (i < count && order[i] != s) ++i;
    if (i == count) return;
    for (; i + 1 < count; ++i) order[i] = order[i + 1];
    --count;
    slots[s] = LedgerSlot{};
    freeSlots[freeCount++] = static_cast<int16_t>(s);
}

void MoveLedger::beginPass() {
    ++pass;
    clearRows();
}

void MoveLedger::endPass() {
    // One sweep that keeps the index sorted: slots of windows this pass did
    // not see lose their move in flight (nothing tells whether it was done),
    // and those that carry nothing worth keeping are freed.
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        const int s = order[i];
        LedgerSlot& e = slots[s];
        if (e.seenPass != pass) {
            e.inFlight = 0;
            e.owed = 0;
            if (e.offsetX == 0 && e.offsetY == 0 && !e.hung) {
                e = LedgerSlot{};
                freeSlots[freeCount++] = static_cast<int16_t>(s);
                continue;
            }
        }
        order[kept++] = static_cast<int16_t>(s);
    }
    count = kept;
}

void MoveLedger::noteSent(int s, const platform::Rect& target, bool taken) {
    LedgerSlot& e = slots[s];
    if (!taken) {
        // Refused: the window stays where it is and nothing is owed.
        e.wanted = e.known;
        e.moveFailed = 1;
        return;
    }
    e.moveFailed = 0;
    e.offsetX += target.left - e.known.left;
    e.offsetY += target.top - e.known.top;
    e.queued = target;
    e.wanted = target;
    // Moved while shown normally: that is where it is restored to.
    if (e.restoredPass == pass && e.hasRestored) e.restored = target;
    e.inFlight = 1;
    e.owed = 0;
    e.lateMove = 0;
    e.issuedPass = pass;
}

void MoveLedger::refresh(int s, const platform::Rect* shown) {
    LedgerSlot& e = slots[s];
    platform::Rect r{};
    if (shown != nullptr) {
        r = *shown;
    } else if (!platform::getWindowRect(e.window, &r)) {
        return;
    }
    if (same(r, e.queued)) {
        e.inFlight = 0;
        e.known = e.queued;
        e.lateMove = 0;
    } else if (!same(r, e.known)) {
        e.known = r;
        // An earlier move carried out late comes before the one in flight.
        if (e.lateMove != kLateBeforeInFlight) e.inFlight = 0;
    }
}

int MoveLedger::observe(int s, const platform::Rect& shown, int32_t viewX, int32_t viewY, int32_t screenWidth,
                        int32_t screenHeight, platform::Rect* row) {
    LedgerSlot& e = slots[s];
    e.seenPass = pass;
    e.movedBack = 0;
    const bool landed = countLateMove(s, shown);
    // Asked again while the refused move may still be carried out: a slow
    // program carries out both, in order.
    bool earlierMayLand = e.refusing && !landed;
    bool keepWanted = false;  // wanted is the place the window goes back to
    bool sendNow = false;
    if (e.hung) {
        if (platform::isHungWindow(e.window)) return kLeaveOut;
        // Answering again: back to its place on the virtual desktop.
        e.hung = 0;
        e.wanted = at(e.placeX - viewX, e.placeY - viewY, shown);
        keepWanted = true;
    } else if (e.refusing) {
        if (platform::isHungWindow(e.window)) {
            // Stopped answering altogether: left out, its place kept.
            e.refusing = 0;
            e.hung = 1;
            return kLeaveOut;
        }
        if (!rejoins(s, shown, landed, viewX, viewY, screenWidth, screenHeight)) {
            *row = shown;
            return kKeep;
        }
        // Asked at once, so that its row and the window agree.
        earlierMayLand = earlierMayLand && e.lateMove == kLateRefused;
        keepWanted = true;
        sendNow = true;
    }
    if (e.inFlight) {
        if (same(shown, e.queued)) {
            e.inFlight = 0;
            e.known = e.queued;
            e.lateMove = 0;
        } else if (same(shown, e.known)) {
            // Not done yet: a program that stopped answering is left out, one
            // that is only slow is taken where the view wants it, one that
            // answers but leaves the window where it was refuses.
            if (!keepWanted && platform::isHungWindow(e.window)) {
                e.hung = 1;
                e.placeX = viewX + e.wanted.left;
                e.placeY = viewY + e.wanted.top;
                return kLeaveOut;
            }
            if (!keepWanted && pass - e.issuedPass >= kRefusePasses) {
                refuse(s, shown, viewX, viewY, screenWidth, screenHeight);
                *row = shown;
                return kKeep;
            }
            *row = e.wanted;
            return kKeep;
        } else if (e.lateMove == kLateBeforeInFlight) {
            // The earlier move, taken as refused, was carried out after all:
            // the program works through its moves, the one in flight is next.
            e.known = shown;
            e.issuedPass = pass;
            *row = e.wanted;
            return kKeep;
        } else if (between(shown, e.known, e.queued)) {
            // Kept short of where it was asked to go: adjusted by its program.
            refuse(s, shown, viewX, viewY, screenWidth, screenHeight);
            *row = shown;
            return kKeep;
        } else {
            // Moved by someone else: taken where it is.
            e.inFlight = 0;
            e.known = shown;
            e.wanted = shown;
        }
    } else if (e.owed && same(shown, e.known)) {
        // The catch-up found no view move to go with: it goes now.
        sendNow = true;
    } else {
        e.owed = 0;
        e.known = shown;
        if (!keepWanted) e.wanted = shown;
    }
    // A catch-up once the window is done with the last move: with this tick's
    // view move, or at the next pass when there is none, so that a window
    // that was late once does not stay one tick behind.
    if (!same(e.wanted, e.known)) {
        if (sendNow) {
            placer::send(*this, s, e.wanted);
            if (earlierMayLand && e.inFlight) e.lateMove = kLateBeforeInFlight;
        } else {
            e.owed = 1;
        }
    }
    *row = e.wanted;
    return kKeep;
}

bool MoveLedger::requestMove(int s, const platform::Rect& target, const platform::Rect* shown) {
    LedgerSlot& e = slots[s];
    // Left in place while it hangs or refuses.
    if (e.hung || e.refusing) return false;
    // A move asked for since the last snapshot may be done already (our own
    // windows and prompt programs); one the snapshot saw waiting still waits.
    if (e.inFlight && (e.issuedPass == pass || shown != nullptr)) refresh(s, shown);
    if (e.inFlight) {
        e.wanted = target;
        return false;
    }
    if (shown != nullptr) e.known = *shown;
    return true;
}

platform::Rect MoveLedger::believed(int s, const platform::Rect& shown) const {
    const LedgerSlot& e = slots[s];
    // The move back is the last one asked for: an earlier move still on its
    // way (from somewhere else again) is carried out before it.
    if (e.movedBack) return e.wanted;
    // A hung or refusing window stays where it shows.
    if (e.hung || e.refusing) return shown;
    if (e.owed && same(shown, e.known)) return e.wanted;
    if (e.inFlight && (same(shown, e.known) || same(shown, e.queued))) return e.wanted;
    return shown;
}

bool MoveLedger::qualifies(const LedgerSlot& e, int32_t screenWidth, int32_t screenHeight) const {
    if (e.offsetX != 0 || e.offsetY != 0) return true;
    if (e.seenPass != pass) return false;
    const platform::Rect& r = e.wanted;
    return r.right <= 0 || r.bottom <= 0 || r.left >= screenWidth || r.top >= screenHeight;
}

int MoveLedger::recordEntries(RecoveryEntry* entries, int capacity, int32_t screenWidth, int32_t screenHeight,
                              bool check) {
    if (check) {
        char name[kLedgerClassSize];
        for (int i = 0; i < count;) {
            const int s = order[i];
            LedgerSlot& e = slots[s];
            if (e.seenPass != pass && qualifies(e, screenWidth, screenHeight)) {
                name[0] = '\0';
                platform::getClassName(e.window, name, kLedgerClassSize);
                name[kLedgerClassSize - 1] = '\0';
                if (name[0] == '\0' || !sameClass(name, e.className)) {
                    release(s);
                    continue;
                }
            }
            ++i;
        }
    }
    int n = 0;
    for (int i = 0; i < count && n < capacity; ++i) {
        LedgerSlot& e = slots[order[i]];
        if (check && !e.processKnown && qualifies(e, screenWidth, screenHeight)) {
            // Once per window: what tells it apart from a later window under
            // the same handle.
            e.processKnown = platform::windowProcess(e.window, &e.processId, &e.processStart) ? 1 : 2;
        }
        if (!qualifies(e, screenWidth, screenHeight)) continue;
        RecoveryEntry& r = entries[n++];
        std::memset(&r, 0, sizeof r);
        r.window = static_cast<uint64_t>(e.window);
        r.offsetX = e.offsetX;
        r.offsetY = e.offsetY;
        r.processId = e.processId;
        r.processStart = e.processStart;
        r.flags = kRecoveryTopLevel;
        if (e.hasRestored) {
            r.flags |= kRecoveryHasRestored;
            r.restored = {e.restored.left, e.restored.top, e.restored.right, e.restored.bottom};
        }
        copyClass(r.className, e.className);
    }
    return n;
}

uint64_t MoveLedger::recordFingerprint(int32_t screenWidth, int32_t screenHeight) const {
    uint64_t h = kNoRecord;
    for (int i = 0; i < count; ++i) {
        const LedgerSlot& e = slots[order[i]];
        if (!qualifies(e, screenWidth, screenHeight)) continue;
        h = mix(h, static_cast<uint64_t>(e.window));
        h = mix(h, static_cast<uint64_t>(static_cast<uint32_t>(e.offsetX)) |
                       (static_cast<uint64_t>(static_cast<uint32_t>(e.offsetY)) << 32));
        h = mix(h, static_cast<uint64_t>(static_cast<uint32_t>(e.restored.left)) |
                       (static_cast<uint64_t>(static_cast<uint32_t>(e.restored.top)) << 32));
    }
    return h;
}

void MoveLedger::forgetMoves() {
    for (int i = 0; i < count; ++i) {
        LedgerSlot& e = slots[order[i]];
        e.offsetX = e.offsetY = 0;
        e.placeX = e.placeY = 0;
        e.hung = e.refusing = e.owed = e.lateMove = 0;
    }
}

void MoveLedger::sentBack(int s, const platform::Rect& from, const platform::Rect& to) {
    LedgerSlot& e = slots[s];
    e.known = from;
    e.queued = to;
    e.wanted = to;
    e.inFlight = 1;
    e.movedBack = 1;
    e.issuedPass = pass;
}
