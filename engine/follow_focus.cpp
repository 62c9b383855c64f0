// Following the window the user switches to.
#include "engine/follow_focus.h"

#include "engine/bring_into_view.h"
#include "engine/virtual_desk.h"

namespace {

bool leftButtonDown() {
    return (static_cast<uint16_t>(platform::getAsyncKeyState(platform::kKeyLButton)) & 0x8000u) != 0;
}

bool sameProcess(platform::WindowHandle a, platform::WindowHandle b) {
    uint32_t pa = 0;
    uint32_t pb = 0;
    uint64_t ta = 0;
    uint64_t tb = 0;
    if (a == 0 || b == 0) return false;
    return platform::windowProcess(a, &pa, &ta) && platform::windowProcess(b, &pb, &tb) && pa == pb &&
           ta == tb;
}

}  // namespace

int FocusFollower::poll(VirtualDesk* desk, uint32_t now, platform::WindowHandle navFrame) {
    const int32_t mode = options ? options->followFocus : kFollowView;
    if (mode != kFollowView && mode != kFollowWindow) {
        // Off: not even the poll. Switched on again, it starts afresh.
        restart();
        return 0;
    }
    const platform::WindowHandle front = platform::foregroundWindow();
    if (!started_) {
        started_ = true;
        seen_ = front;
        return 0;
    }
    if (front != seen_) {
        seen_ = front;
        pending_ = front;
        pendingSince_ = now;
    }
    if (pending_ == 0) return 0;
    // At most one move a second: a change meanwhile waits, at no cost.
    if (acted_ && now - lastAct_ < kMinGapMs) return 0;

    const platform::WindowHandle window = pending_;
    // A press that brought it forward, or a drag: the user is at it where it is.
    if (leftButtonDown() || sameProcess(window, navFrame)) {
        pending_ = 0;
        return 0;
    }
    const uint32_t show = platform::getShowState(window);
    if (show == platform::kShowMinimized && now - pendingSince_ < kRestoreWaitMs) return 0;
    pending_ = 0;
    if (show != platform::kShowNormal && show != platform::kShowMaximized) return 0;

    // Already wholly in view (the usual switch): no need for the table.
    platform::Rect shown{};
    if (!platform::getWindowRect(window, &shown) || standsInView(*desk, shown)) return 0;

    if (mode == kFollowView) {
        const int32_t viewX = desk->viewX;
        const int32_t viewY = desk->viewY;
        bringIntoView(desk, window);
        if (desk->viewX == viewX && desk->viewY == viewY) return 0;
    } else {
        platform::Point pointer{};
        if (!platform::getCursorPos(&pointer) || bringWindowHere(desk, window, pointer) != kStatusOk)
            return 0;
    }
    acted_ = true;
    lastAct_ = now;
    return mode == kFollowView ? kViewMoved : kWindowMoved;
}
