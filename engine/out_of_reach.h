// Windows of programs that run elevated (as administrator). The system keeps
// a program without those rights from moving them (user interface privilege
// isolation: the move fails with access denied, or does nothing), so asking
// again at every tick only makes them flicker in the map. Once a move of a
// window failed, or its program answers but does not obey, the platform is
// asked once whether it is out of our reach; such a window then stays where it
// stands, like a fixed one, is marked in the map, and the user is told once per
// program and run. Fixed storage; windows not seen by a snapshot are dropped.
#pragma once

#include <cstdint>

#include "engine/window_set.h"
#include "platform/desktop.h"

class OutOfReach {
public:
    static constexpr int kWindows = 64;
    static constexpr int kPrograms = 32;

    // A snapshot pass: begin, the windows it keeps, then end.
    void beginPass() { seenInReach_.clear(), seenOut_.clear(); }
    void endPass();

    // Known to be out of reach (and seen by this pass).
    bool holds(platform::WindowHandle window);
    // Known to be out of reach, without the pass's bookkeeping (scrolling,
    // the map).
    bool stays(platform::WindowHandle window) const { return out_.count() != 0 && out_.holds(window); }
    // Whether a window whose move failed or that does not obey is out of reach;
    // the platform is asked once per window.
    bool check(platform::WindowHandle window);

    // For the tray: a window whose program the user has not yet been told
    // about, one at a time; 0 when there is none.
    platform::WindowHandle takeNotice();

    int count() const { return out_.count(); }

private:
    struct Program {
        uint32_t processId;
        uint64_t startTime;
    };
    bool told(const Program& p) const;

    WindowSet<kWindows> out_;      // out of reach
    WindowSet<kWindows> inReach_;  // asked and found within reach
    WindowSet<kWindows> seenOut_;  // of out_, seen by this pass
    WindowSet<kWindows> seenInReach_;
    WindowSet<kWindows> notices_;  // found out of reach, the user not told yet
    Program programs_[kPrograms] = {};
    int programCount_ = 0;
};
