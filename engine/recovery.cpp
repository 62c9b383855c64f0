// The recovery record and putting moved windows back: after a run that did
// not end normally (at the next start), on a crash and at the end of the
// session.
#include <cstring>

#include "engine/gather_rules.h"
#include "engine/virtual_desk.h"
#include "engine/window_placer.h"
#include "store/recovery_record.h"

namespace {

// While the windows move, the record is rewritten at most this often.
constexpr uint32_t kRecordThrottleMs = 250;

constexpr uint8_t kWriteNone = 0;
constexpr uint8_t kWriteOk = 1;
constexpr uint8_t kWriteFailed = 2;

// One list at a time, on the one thread; too large for the stack of a crash.
RecoveryEntry entryBuffer[kMaxRecoveryEntries];

}  // namespace

namespace {

// Offsets and rectangles from a record are not trusted to be sane: the
// arithmetic runs in 64 bits and every coordinate is kept within a range no
// desktop reaches, so that nothing after it can overflow.
constexpr int64_t kCoordinateLimit = int64_t{1} << 24;

int32_t clampCoordinate(int64_t v) {
    return static_cast<int32_t>(v < -kCoordinateLimit ? -kCoordinateLimit
                                                      : (v > kCoordinateLimit ? kCoordinateLimit : v));
}

// The rectangle less the offset applied to it.
platform::Rect lessOffset(const platform::Rect& r, int32_t offsetX, int32_t offsetY) {
    return {clampCoordinate(int64_t{r.left} - offsetX), clampCoordinate(int64_t{r.top} - offsetY),
            clampCoordinate(int64_t{r.right} - offsetX), clampCoordinate(int64_t{r.bottom} - offsetY)};
}

platform::Rect sized(const platform::Point& p, const platform::Rect& r) {
    return {p.x, p.y, p.x + (r.right - r.left), p.y + (r.bottom - r.top)};
}

// The window under the handle is the one recorded: same class, still
// top-level, and of the same program (id and start time, when they were
// known).
bool sameWindow(platform::WindowHandle window, const RecoveryEntry& e) {
    if (!platform::isTopLevel(window)) return false;
    if (e.processId == 0) return true;
    uint32_t id = 0;
    uint64_t start = 0;
    return platform::windowProcess(window, &id, &start) && id == e.processId && start == e.processStart;
}

// Puts one window back: its rectangle (`assumed`, or what it shows) less the
// offset applied to it, placed into the work area of the monitor nearest it
// as the gathering places a normal window; maximized windows as the
// gathering does. A minimized or maximized window gets its restore
// rectangle back the same way, so that it shows on the screen when it is
// restored. Nothing happens to a window of another class than the one
// recorded (a reused handle), or to one that is gone. A normal window's move
// back, asked for and not waited on, is the move in flight of its ledger
// slot (when given), and the result is then true.
bool putBack(platform::WindowHandle window, const RecoveryEntry& e, const platform::Rect* assumed,
             const MonitorLayout& monitors, const platform::Rect* work, int32_t frameInset,
             MoveLedger* moves = nullptr, int slot = -1) {
    char name[kTitleSize];
    name[0] = '\0';
    platform::getClassName(window, name, kTitleSize);
    name[kTitleSize - 1] = '\0';
    if (name[0] == '\0' || std::strncmp(name, e.className, kTitleSize) != 0) return false;
    platform::Placement placement{};
    if (!platform::getWindowPlacement(window, &placement)) return false;
    if (placement.showCmd != platform::kShowNormal) {
        if ((e.flags & kRecoveryHasRestored) != 0) {
            const platform::Rect was = lessOffset(
                {e.restored.left, e.restored.top, e.restored.right, e.restored.bottom}, e.offsetX, e.offsetY);
            placer::setRestored(window,
                                sized(gather_rules::normalPosition(work[monitors.nearestTo(was)], was), was));
        }
        if (placement.showCmd == platform::kShowMaximized) {
            platform::Rect r{};
            platform::getWindowRect(window, &r);
            placer::putMaximized(window, work[monitors.nearestTo(r)], frameInset);
        }
        return false;
    }
    platform::Rect r{};
    if (assumed != nullptr) {
        r = *assumed;
    } else if (!platform::getWindowRect(window, &r)) {
        return false;
    }
    const platform::Rect shown = r;
    r = lessOffset(r, e.offsetX, e.offsetY);
    const platform::Point p = gather_rules::normalPosition(work[monitors.nearestTo(r)], r);
    return placer::putAt(window, p, moves, slot, &shown);
}

// Readings of the boot time within one boot differ by the clock's
// corrections; a restart takes longer than this.
constexpr uint64_t kBootSlack = 30ull * 10000000ull;  // 30 s in 100 ns units

bool sameBoot(uint64_t a, uint64_t b) { return (a > b ? a - b : b - a) <= kBootSlack; }

}  // namespace

int VirtualDesk::keepRecoveryRecord(uint32_t now, int settled) {
    const uint64_t fingerprint = moves.recordFingerprint(screenWidth, screenHeight);
    const bool moving = fingerprint != moves.lastFingerprint;
    moves.lastFingerprint = fingerprint;
    if (fingerprint == moves.writtenFingerprint) return kStatusOk;
    // While the windows move: at most every 250 ms; once they stop: at once,
    // unless the last attempt failed (then again only after 250 ms).
    const bool due = settled != 0 || moves.writeState == kWriteNone ||
                     now - moves.lastWrite >= kRecordThrottleMs || (!moving && moves.writeState == kWriteOk);
    if (!due) return kStatusOk;

    const int n = moves.recordEntries(entryBuffer, kMaxRecoveryEntries, screenWidth, screenHeight, true);
    const int status = n == 0
                           ? recovery_record::remove(kRecoveryFileName)
                           : recovery_record::write(kRecoveryFileName, platform::bootTime(), entryBuffer, n);
    moves.lastWrite = now;
    if (status != kStatusOk) {
        moves.writeState = kWriteFailed;
        return status;
    }
    moves.writeState = kWriteOk;
    // The check may have dropped windows that are gone.
    moves.writtenFingerprint = moves.recordFingerprint(screenWidth, screenHeight);
    moves.lastFingerprint = moves.writtenFingerprint;
    return kStatusOk;
}

int VirtualDesk::dropRecoveryRecord() {
    moves.forgetMoves();
    recovery_record::remove(kRecoveryFileName);
    moves.writtenFingerprint = MoveLedger::kNoRecord;
    moves.lastFingerprint = MoveLedger::kNoRecord;
    return kStatusOk;
}

int VirtualDesk::recoverWindows(const char* name) {
    int count = 0;
    uint64_t boot = 0;
    const int status = recovery_record::read(name, &boot, entryBuffer, &count);
    if (status == kFileCannotOpen) return kFileCannotOpen;
    if (status != kStatusOk) {
        // Not ours or damaged: nothing in it can be trusted.
        recovery_record::remove(name);
        return kFileBadHeader;
    }
    // Gone before any window moves: a kill half-way through must not have
    // the next start apply the offsets a second time. A record that cannot
    // be removed is not used.
    if (recovery_record::remove(name) != kStatusOk) return kFileCannotOpen;
    // Written before the system last started: its handles name other windows.
    if (!sameBoot(boot, platform::bootTime())) return kFileBadHeader;
    platform::Rect work[platform::kMaxMonitors];
    monitors.workAreas(work);
    for (int i = 0; i < count; ++i) {
        const RecoveryEntry& e = entryBuffer[i];
        const platform::WindowHandle window = static_cast<platform::WindowHandle>(e.window);
        // A handle wider than this platform's cannot be one of its windows.
        if (window == 0 || static_cast<uint64_t>(window) != e.window) continue;
        if (!sameWindow(window, e)) continue;
        putBack(window, e, nullptr, monitors, work, frameInset);
    }
    return kStatusOk;
}

int VirtualDesk::gatherInEmergency() {
    platform::Rect work[platform::kMaxMonitors];
    monitors.workAreas(work);
    const int n = moves.recordEntries(entryBuffer, kMaxRecoveryEntries, screenWidth, screenHeight, false);
    for (int i = 0; i < n; ++i) {
        const RecoveryEntry& e = entryBuffer[i];
        const platform::WindowHandle window = static_cast<platform::WindowHandle>(e.window);
        // A move still on its way will be carried out before this one.
        const int slot = moves.find(window);
        const platform::Rect* assumed =
            slot >= 0 && moves.slot(slot).inFlight ? &moves.slot(slot).queued : nullptr;
        // The move back is on its way like any move of ours: the gathering
        // at the exit that follows takes the window where it goes, and does
        // not send it from where it showed to the edge of the screen.
        putBack(window, e, assumed, monitors, work, frameInset, &moves, slot);
    }
    // The windows stand as they did when the run began: so does the view.
    moves.forgetMoves();
    std::memset(windows, 0, sizeof windows);
    moves.clearRows();
    windowCount = 0;
    viewX = moves.startViewX;
    viewY = moves.startViewY;
    mapDirty = 1;
    recovery_record::remove(kRecoveryFileName);
    moves.writtenFingerprint = MoveLedger::kNoRecord;
    moves.lastFingerprint = MoveLedger::kNoRecord;
    return kStatusOk;
}
