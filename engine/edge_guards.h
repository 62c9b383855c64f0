// The guards of edge scrolling, the user's choice in "Wideroom.ini":
// - per-edge enable: an edge switched off never scrolls;
// - corner band: a contact within CornerPx pixels of a corner of the monitor
//   under the pointer does not scroll (so a maximized window's close box or a taskbar corner can be
//   reached), the corner's own diagonal contact included;
// - dwell: the pointer must rest at an edge DwellMs before the first step;
//   leaving the edge, letting go of a required switch key or a blocked tick
//   starts it again;
// - page pause: in page mode, at least PagePauseMs between two pages;
// - carrying: while a window is dragged by its frame, the left button does
//   not hold scrolling back, and the dragged window stays under the pointer
//   while every other window moves.
// The defaults switch every guard off: every edge contact scrolls at once.
#pragma once

#include <cstdint>

#include "engine/page_rearm.h"
#include "platform/desktop.h"
#include "store/options.h"

class VirtualDesk;

// One tick's view of the edge, after detectEdge.
struct EdgeContact {
    uint32_t now;  // the tick's start, ms
    int32_t x;     // the pointer
    int32_t y;
    int dirX;  // as detectEdge found them
    int dirY;
    bool leftButton;  // down
    bool dragging;    // a window is in its move/size loop
    bool pageMode;
    platform::Rect screen;  // the monitor under the pointer
};

// What the tick does with it: the directions of the edge in force (the
// navigator shows while they are nonzero) and whether to scroll now.
struct EdgeVerdict {
    int dirX;
    int dirY;
    bool scroll;
};

class EdgeGuard {
public:
    // The options in force (null: the defaults, every guard off).
    const EdgeOptions* options = nullptr;

    EdgeVerdict judge(const EdgeContact& contact);
    // A page was turned at `now`.
    void pageTurned(uint32_t now);
    // True once per page when the pointer, put at the centre after it, still
    // reads at the edge `kRecentreMs` later: the move to the centre was lost
    // (a late one reads back within about 100 ms), and is made again.
    bool recentreDue(uint32_t now);
    static constexpr uint32_t kRecentreMs = 300;
    // One contact, one page: whatever the page pause.
    PageRearm rearm;

private:
    bool atEdge = false;     // the dwell runs
    uint32_t edgeSince = 0;  // first tick of this contact
    bool turned = false;     // a page was turned
    uint32_t lastPage = 0;
    bool recentred = false;  // the centre was asked for again after the last page
};

// The polling tick's scrolling: scroll or reset the step as the guards allow;
// carries a dragged window; in page mode puts the pointer at the centre of
// its monitor after a page. *dirX and *dirY come from detectEdge and leave as the
// edge in force.
void guardedScroll(VirtualDesk* desk, EdgeGuard* guard, uint32_t now, int* dirX, int* dirY);
