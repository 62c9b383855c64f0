// Windows of elevated programs: recognised once, then left where they stand.
#include "engine/out_of_reach.h"

bool OutOfReach::holds(platform::WindowHandle window) {
    if (out_.count() == 0 || !out_.holds(window)) return false;
    seenOut_.add(window);
    return true;
}

bool OutOfReach::check(platform::WindowHandle window) {
    if (out_.holds(window)) return holds(window);
    if (inReach_.holds(window)) {
        seenInReach_.add(window);
        return false;
    }
    if (!platform::isWindowOutOfReach(window)) {
        // Remembered so that it is not asked again; when full it is asked
        // again next time, which costs a query and nothing else.
        if (inReach_.add(window)) seenInReach_.add(window);
        return false;
    }
    if (!out_.add(window)) return false;  // full: treated like any refusing window
    seenOut_.add(window);
    notices_.add(window);
    return true;
}

void OutOfReach::endPass() {
    // Only the windows this pass saw are kept (a closed window's handle may be
    // given to another window later).
    out_ = seenOut_;
    inReach_ = seenInReach_;
}

bool OutOfReach::told(const Program& p) const {
    for (int i = 0; i < programCount_; ++i) {
        if (programs_[i].processId == p.processId && programs_[i].startTime == p.startTime) return true;
    }
    return false;
}

platform::WindowHandle OutOfReach::takeNotice() {
    while (notices_.count() > 0) {
        const platform::WindowHandle window = notices_.at(0);
        notices_.remove(window);
        Program p{};
        if (!platform::windowProcess(window, &p.processId, &p.startTime)) continue;  // gone
        if (told(p)) continue;
        // Beyond kPrograms the oldest entry is overwritten: at worst a program
        // is named twice in one run.
        programs_[programCount_ < kPrograms ? programCount_++ : 0] = p;
        return window;
    }
    return 0;
}
