// The recovery record and putting moved windows back: after a run that did
// not end normally (at the next start), on a crash and at the end of the
// session.
#include <cstring>

#include "engine/gather_rules.h"
#include "engine/virtual_desk.h"
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

// Puts one window back: its rectangle (`assumed`, or what it shows) less the
// offset applied to it, placed into the work area of the monitor nearest it
// as the gathering places a normal window; maximized windows as the
// gathering does. Nothing happens to a
// window of another class than the one recorded (a reused handle), to a
// minimized one, or to one that is gone.
void putBack(platform::WindowHandle window, const char* className, int32_t offsetX, int32_t offsetY,
             const platform::Rect* assumed, const MonitorLayout& monitors, const platform::Rect* work,
             int32_t frameInset) {
    char name[kTitleSize];
    name[0] = '\0';
    platform::getClassName(window, name, kTitleSize);
    name[kTitleSize - 1] = '\0';
    if (name[0] == '\0' || std::strncmp(name, className, kTitleSize) != 0) return;
    platform::Placement placement{};
    if (!platform::getWindowPlacement(window, &placement)) return;
    if (placement.showCmd == platform::kShowMaximized) {
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        const platform::Rect& w = work[monitors.nearestTo(r)];
        platform::setWindowPos(window, w.left - frameInset, w.top - frameInset);
        return;
    }
    if (placement.showCmd != platform::kShowNormal) return;
    platform::Rect r{};
    if (assumed != nullptr) {
        r = *assumed;
    } else if (!platform::getWindowRect(window, &r)) {
        return;
    }
    r.left -= offsetX;
    r.right -= offsetX;
    r.top -= offsetY;
    r.bottom -= offsetY;
    const platform::Point p = gather_rules::normalPosition(work[monitors.nearestTo(r)], r);
    platform::setWindowPos(window, p.x, p.y);
}

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
    const int status = n == 0 ? recovery_record::remove(kRecoveryFileName)
                              : recovery_record::write(kRecoveryFileName, entryBuffer, n);
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
    const int status = recovery_record::read(name, entryBuffer, &count);
    if (status == kFileCannotOpen) return kFileCannotOpen;
    if (status != kStatusOk) {
        // Not ours or damaged: nothing in it can be trusted.
        recovery_record::remove(name);
        return kFileBadHeader;
    }
    platform::Rect work[platform::kMaxMonitors];
    monitors.workAreas(work);
    for (int i = 0; i < count; ++i) {
        const RecoveryEntry& e = entryBuffer[i];
        const platform::WindowHandle window = static_cast<platform::WindowHandle>(e.window);
        // A handle wider than this platform's cannot be one of its windows.
        if (window == 0 || static_cast<uint64_t>(window) != e.window) continue;
        putBack(window, e.className, e.offsetX, e.offsetY, nullptr, monitors, work, frameInset);
    }
    recovery_record::remove(name);
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
        putBack(window, e.className, e.offsetX, e.offsetY, assumed, monitors, work, frameInset);
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
