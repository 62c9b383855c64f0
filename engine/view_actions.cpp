// The hotkeys' view moves, all through moveViewKeeping and moveViewTo so
// that the view stays inside the virtual desktop.
#include "engine/view_actions.h"

#include "engine/direction.h"
#include "engine/virtual_desk.h"

namespace {

// The distance from `view` to the next multiple of `screen` in direction
// `dir`: a whole screen from a boundary, less from between two.
int toNextBoundary(int view, int screen, int dir) {
    if (dir == 0 || screen <= 0) return 0;
    const int below = view - view % screen;  // view >= 0 by the view's invariant
    if (dir > 0) return below + screen - view;
    return (below == view ? below - screen : below) - view;
}

struct ActionMove {
    int dirX;
    int dirY;
    bool carry;
};

constexpr ActionMove kMoves[] = {
    {-1, 0, false}, {1, 0, false}, {0, -1, false}, {0, 1, false}, {0, 0, false},
    {-1, 0, true},  {1, 0, true},  {0, -1, true},  {0, 1, true},
};

}  // namespace

int pageView(VirtualDesk* desk, int dirX, int dirY, platform::WindowHandle keep) {
    dirX = signOf(dirX);
    dirY = signOf(dirY);
    int dx = dirX * desk->screenWidth;
    int dy = dirY * desk->screenHeight;
    if (desk->pageMode != 0) {
        dx = toNextBoundary(desk->viewX, desk->screenWidth, dirX);
        dy = toNextBoundary(desk->viewY, desk->screenHeight, dirY);
    }
    return desk->moveViewKeeping(dx, dy, keep);
}

int homeView(VirtualDesk* desk) {
    return desk->moveViewTo(desk->virtualWidth / 2 - desk->screenWidth / 2,
                            desk->virtualHeight / 2 - desk->screenHeight / 2);
}

int runViewAction(VirtualDesk* desk, int action, platform::WindowHandle navFrame) {
    if (action == kActionToggleNavigator) return desk->togglePinned(navFrame);
    if (action < 0 || action >= kActionToggleNavigator) return kStatusOk;
    // Idle ticks leave the table as it was: a key moves the windows from
    // where they stand now.
    desk->snapshotWindows();
    if (action == kActionHome) return homeView(desk);
    const ActionMove& m = kMoves[action];
    return pageView(desk, m.dirX, m.dirY, m.carry ? platform::foregroundWindow() : 0);
}
