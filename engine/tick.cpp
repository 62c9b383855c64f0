// The main loop's polling tick: edge test and snapshot, scrolling, the map, the
// navigator's show and hide, and the sleep.
#include "engine/tick.h"

#include "engine/idle_policy.h"
#include "engine/navi_mode.h"
#include "engine/virtual_desk.h"

namespace {

constexpr uint32_t kHideDelayMs = 1000;
constexpr uint32_t kExtraSleepMs = 10;

bool pauseInFullscreen(const EdgeGuard& guard) {
    return guard.options ? guard.options->pauseInFullscreen != 0 : EdgeOptions{}.pauseInFullscreen != 0;
}

}  // namespace

int pollTick(VirtualDesk* desk, TickState* state, platform::WindowHandle navFrame,
             platform::WindowHandle mapPane) {
    // The tick's start, for the sleep at its end.
    const uint32_t t0 = platform::getTickCount();
    // The edge test, then the snapshot: whether the table is needed may
    // depend on the edge test.
    int dirX = 0;
    int dirY = 0;
    desk->detectEdge(&dirX, &dirY);
    // A game, a video or a slide show in front: the edges rest.
    if (state->fullscreen.paused(desk->monitors, t0, dirX != 0 || dirY != 0,
                                 pauseInFullscreen(state->guard))) {
        dirX = 0;
        dirY = 0;
    }
    if (state->tableEveryTick || idle_policy::tableNeeded(*desk, dirX, dirY)) desk->snapshotWindows();
    // Scroll, or reset the step, as the edge guards allow.
    guardedScroll(desk, &state->guard, t0, &dirX, &dirY);
    state->dirX = dirX;
    state->dirY = dirY;
    // A window out of view that came to the front: the view goes to it (or
    // it to the view) before the map's change test, so the map follows now.
    state->focus.poll(desk, t0, navFrame);
    // The record that lets a later start put the moved windows back.
    desk->keepRecoveryRecord(t0, 0);
    // The map is repainted only when what it shows changed.
    const int changed = desk->mapChanged(1);
    if (changed != 0) platform::invalidateWindow(mapPane);
    // Show while at an edge, hide 1000 ms after the last edge tick (a
    // hidden navigator is left alone: no call at every idle tick).
    if (dirX != 0 || dirY != 0) {
        desk->showWhileScrolling(navFrame);
        state->lastEdgeTick = platform::getTickCount();
    } else if (desk->naviMode != kNaviHidden &&
               platform::getTickCount() - state->lastEdgeTick >= kHideDelayMs) {
        desk->hideUnlessPinned(navFrame);
    }
    // Sleep out the rest of the interval (unsigned arithmetic).
    const uint32_t elapsed = platform::getTickCount() - t0;
    const uint32_t interval = desk->getInterval();
    if (elapsed < interval) platform::sleepMs(interval - elapsed);
    // A short rest always, even after a long tick.
    platform::sleepMs(kExtraSleepMs);
    return changed;
}
