// What the engine knows of each window it moves, between snapshots:
//
// - the move in flight. Other programs' windows are moved asynchronously (a
//   synchronous move waits for a program that may never answer), so a window
//   can show its old rectangle at the next snapshot. Each window has at most
//   one move of ours in flight: a window that still shows the rectangle it had
//   when the move was asked for is taken at the place the view wants; one
//   that shows the target has done it; one that shows anything else was moved
//   by someone else and is taken where it is. Further moves wait until the one
//   in flight is done, and then the window goes straight to where the view
//   wants it: nothing is lost and no stale move is replayed.
// - a window whose program stopped answering. It is left out of the table
//   while it hangs, keeping its place on the virtual desktop, and when it
//   answers again it is sent to that place minus the view.
// - a window whose program answers but does not obey: it keeps the window
//   where it was, or short of where it was asked to go (a handler that keeps
//   it on the screen, an app bar that puts itself back). Its row shows where
//   it really is and the view leaves it alone, like a fixed window, while its
//   place on the virtual desktop is kept; when the view brings that place
//   back onto the screen, or the program carries the move out after all, it
//   goes there.
// - the total offset applied to it, for the recovery record.
//
// Fixed tables, nothing allocated: slots looked up by handle through a sorted
// index.
#pragma once

#include <cstdint>

#include "platform/desktop.h"
#include "store/recovery_record.h"

constexpr int kLedgerSlots = kMaxRecoveryEntries;
constexpr int kLedgerRows = 512;  // the window table's size
constexpr int kLedgerClassSize = kRecoveryClassSize;

struct LedgerSlot {
    platform::WindowHandle window;  // 0: free
    char className[kLedgerClassSize];
    platform::Rect known;   // where the window is, as last seen or confirmed
    platform::Rect queued;  // the target of the move in flight
    platform::Rect wanted;  // where the view wants it
    int32_t offsetX;        // total move applied by us: queued targets minus the
    int32_t offsetY;        // places they were asked from
    int32_t placeX;         // virtual-desktop place of a window left out while hung
    int32_t placeY;
    platform::Rect restored;  // where it last stood shown normally
    uint64_t processStart;    // its program, for the recovery record
    uint32_t processId;
    uint32_t restoredPass;  // the last snapshot that saw it shown normally
    uint32_t seenPass;      // the last snapshot that saw the window
    uint32_t issuedPass;    // the snapshot after which the move in flight was asked
    uint8_t inFlight;
    uint8_t hung;
    uint8_t refusing;  // answers but keeps the window where it is
    uint8_t owed;      // a catch-up move waits for this tick's view move
    uint8_t lateMove;  // the refused move (queued) may still be carried out
    uint8_t hasRestored;
    uint8_t processKnown;
    uint8_t placeOnScreen;  // while refusing: its place was on the screen at the last pass
    uint8_t movedBack;      // put back at the session's end: wherever it shows, it goes there
    uint8_t moveFailed;     // the system refused the last move asked for
};

class MoveLedger {
public:
    // What the snapshot does with a window.
    static constexpr int kKeep = 0;
    static constexpr int kLeaveOut = 1;

    MoveLedger();

    // A snapshot pass: begin, the windows it finds, then end (only after a
    // complete walk; slots of windows it did not see lose their move in flight,
    // and free ones are released).
    void beginPass();
    void endPass();

    // The slot of a window found by the snapshot, created on first sight; a
    // slot whose window now has another class starts afresh (a reused
    // handle). -1 when the ledger is full.
    int track(platform::WindowHandle window, const char* className, const platform::Rect& shown);
    int find(platform::WindowHandle window) const;

    // The snapshot's verdict on a tracked window showing `shown`: kKeep with
    // *row where the view wants it (or where it stands while it refuses), or
    // kLeaveOut while its program does not answer. A catch-up move owed once
    // the window has done the last one goes with the view move of this tick,
    // or at the next pass when there is none, so that a window that was late
    // once is not one tick behind from then on.
    int observe(int slot, const platform::Rect& shown, int32_t viewX, int32_t viewY, int32_t screenWidth,
                int32_t screenHeight, platform::Rect* row);

    // Passes a move may stay undone before its window counts as refusing.
    static constexpr uint32_t kRefusePasses = 10;

    // The view wants the window at `target`: true when the move is to be sent
    // now (placer::send), false while a move is still in flight (it follows
    // once that is done) or the window hangs or refuses. `shown` is the
    // rectangle just read, when the caller has one. Windows are placed through
    // engine/window_placer.h, which asks this.
    [[nodiscard]] bool requestMove(int slot, const platform::Rect& target,
                                   const platform::Rect* shown = nullptr);

    // A move to `target` was sent for the slot's window (placer::send):
    // `taken` when the platform took it, otherwise the window stays where it
    // is known to be and nothing is owed.
    void noteSent(int slot, const platform::Rect& target, bool taken);

    // Where the window is taken to be, given what it shows.
    platform::Rect believed(int slot, const platform::Rect& shown) const;

    // The window was seen shown normally at `rect` (where the view wants it):
    // the rectangle a minimized or maximized window is restored to.
    void noteRestored(int slot, const platform::Rect& rect) {
        slots[slot].restored = rect;
        slots[slot].restoredPass = pass;
        slots[slot].hasRestored = 1;
    }

    // The table rows of this pass, by slot.
    void setRowSlot(int row, int slot) { rowSlot[row] = static_cast<int16_t>(slot); }
    int slotOfRow(int row, platform::WindowHandle window) const;
    void clearRows();

    // Windows the recovery record must list: moved by us (nonzero offset), or
    // lying wholly off the screen at the last snapshot. `check` drops first
    // the slots of windows that are gone or now of another class (unseen ones
    // only: one class query each). Returns the count, at most `capacity`.
    int recordEntries(RecoveryEntry* entries, int capacity, int32_t screenWidth, int32_t screenHeight,
                      bool check);
    // A fingerprint of what recordEntries would list (without the check).
    uint64_t recordFingerprint(int32_t screenWidth, int32_t screenHeight) const;

    // Forgets every offset, hang and refusal (after the windows were put
    // back); moves still on their way stay known as such.
    void forgetMoves();
    // A move back to where the window stood when the run began, asked for
    // from `from`: the move in flight from now on.
    void sentBack(int s, const platform::Rect& from, const platform::Rect& to);

    LedgerSlot& slot(int i) { return slots[i]; }
    const LedgerSlot& slot(int i) const { return slots[i]; }
    int used() const { return count; }

    // The fingerprint of an empty list, which is no file at all.
    static constexpr uint64_t kNoRecord = 14695981039346656037ull;

    // Bookkeeping of the recovery file, kept by the VirtualDesk.
    uint64_t writtenFingerprint;  // what the file on disk holds
    uint64_t lastFingerprint;     // at the previous tick
    uint32_t lastWrite;           // tick count of the last attempt
    uint8_t writeState;           // 0 none yet, 1 the last attempt succeeded, 2 it failed
    int32_t startViewX;           // the view when the run began
    int32_t startViewY;

private:
    void refresh(int slot, const platform::Rect* shown);
    void release(int slot);
    static bool between(const platform::Rect& shown, const platform::Rect& from, const platform::Rect& to);
    void refuse(int slot, const platform::Rect& shown, int32_t viewX, int32_t viewY, int32_t screenWidth,
                int32_t screenHeight);
    bool countLateMove(int slot, const platform::Rect& shown);
    bool rejoins(int slot, const platform::Rect& shown, bool landed, int32_t viewX, int32_t viewY,
                 int32_t screenWidth, int32_t screenHeight);
    bool qualifies(const LedgerSlot& e, int32_t screenWidth, int32_t screenHeight) const;

    LedgerSlot slots[kLedgerSlots];
    int16_t order[kLedgerSlots];  // used slots, by handle
    int16_t freeSlots[kLedgerSlots];
    int16_t rowSlot[kLedgerRows];
    int count;
    int freeCount;
    uint32_t pass;
};
