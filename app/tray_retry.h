// When to add the tray icon again. Adding it fails while the shell is not
// ready (at logon, or with the taskbar busy starting other programs): the
// program must never run without a way to reach it, so a failed add is tried
// again every kRetryMs until it succeeds, and a re-created taskbar (which
// lost every icon) is given it again at once. Plain C++: the decisions are
// tested on their own; app/tray.cpp makes the calls.
#pragma once

#include <cstdint>

class TrayRetry {
public:
    static constexpr uint32_t kRetryMs = 3000;

    // The result of an add tried at `now`.
    void added(bool ok, uint32_t now) {
        shown_ = ok;
        triedAt_ = now;
        tried_ = true;
    }
    // The taskbar was re-created: the icon is gone and goes back at once.
    void lost() {
        shown_ = false;
        tried_ = false;
    }
    // An add is to be tried now.
    bool due(uint32_t now) const { return !shown_ && (!tried_ || now - triedAt_ >= kRetryMs); }
    bool shown() const { return shown_; }

private:
    bool shown_ = false;
    bool tried_ = false;
    uint32_t triedAt_ = 0;
};
