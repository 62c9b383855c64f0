// The hotkeys' view moves: a screen at a time, home, and carrying the
// foreground window.
#include "engine/view_actions.h"

#include "test_engine_support.h"

using namespace engine_test;

namespace {

// 1024 x 768 screen, 5 x 5 screens: viewX 0..4096, viewY 0..3072, start
// (2048, 1536).
struct PageRow {
    const char* where;
    int fromX, fromY;
    int action;
    int pageMode;
    int toX, toY;
    int status;
};

void PrintTo(const PageRow& r, std::ostream* os) {
    *os << r.where << " (" << r.fromX << ", " << r.fromY << ") action " << r.action << " page mode "
        << r.pageMode;
}

const PageRow kPageRows[] = {
    // The middle: a whole screen each way.
    {"middle", 2048, 1536, kActionPageLeft, 0, 1024, 1536, 0},
    {"middle", 2048, 1536, kActionPageRight, 0, 3072, 1536, 0},
    {"middle", 2048, 1536, kActionPageUp, 0, 2048, 768, 0},
    {"middle", 2048, 1536, kActionPageDown, 0, 2048, 2304, 0},
    // At each border the move that way does nothing; the others still go.
    {"left border", 0, 1536, kActionPageLeft, 0, 0, 1536, kNothingToMove},
    {"left border", 0, 1536, kActionPageRight, 0, 1024, 1536, 0},
    {"right border", 4096, 1536, kActionPageRight, 0, 4096, 1536, kNothingToMove},
    {"right border", 4096, 1536, kActionPageLeft, 0, 3072, 1536, 0},
    {"top border", 2048, 0, kActionPageUp, 0, 2048, 0, kNothingToMove},
    {"top border", 2048, 0, kActionPageDown, 0, 2048, 768, 0},
    {"bottom border", 2048, 3072, kActionPageDown, 0, 2048, 3072, kNothingToMove},
    {"bottom border", 2048, 3072, kActionPageUp, 0, 2048, 2304, 0},
    // Less than a screen from the border: clamped to it.
    {"near the right border", 3500, 1536, kActionPageRight, 0, 4096, 1536, 0},
    {"near the top border", 2048, 300, kActionPageUp, 0, 2048, 0, 0},
    // Between two boundaries without page mode: a whole screen, off the grid.
    {"between", 1500, 1000, kActionPageLeft, 0, 476, 1000, 0},
    {"between", 1500, 1000, kActionPageDown, 0, 1500, 1768, 0},
    // Page mode: on the grid a whole screen; between two boundaries the next
    // boundary that way.
    {"page grid", 2048, 1536, kActionPageRight, 1, 3072, 1536, 0},
    {"page grid", 2048, 1536, kActionPageUp, 1, 2048, 768, 0},
    {"page between", 1500, 1000, kActionPageLeft, 1, 1024, 1000, 0},
    {"page between", 1500, 1000, kActionPageRight, 1, 2048, 1000, 0},
    {"page between", 1500, 1000, kActionPageUp, 1, 1500, 768, 0},
    {"page between", 1500, 1000, kActionPageDown, 1, 1500, 1536, 0},
    {"page right border", 4096, 1536, kActionPageRight, 1, 4096, 1536, kNothingToMove},
    {"page left border", 0, 0, kActionPageLeft, 1, 0, 0, kNothingToMove},
    {"page bottom border", 2048, 3072, kActionPageDown, 1, 2048, 3072, kNothingToMove},
    // The carry actions move the view the same way.
    {"carry middle", 2048, 1536, kActionCarryRight, 0, 3072, 1536, 0},
    {"carry middle", 2048, 1536, kActionCarryDown, 0, 2048, 2304, 0},
    {"carry left border", 0, 1536, kActionCarryLeft, 0, 0, 1536, kNothingToMove},
    {"carry page between", 1500, 1000, kActionCarryUp, 1, 1500, 768, 0},
    // Home from anywhere: the middle.
    {"home from a corner", 0, 0, kActionHome, 0, 2048, 1536, 0},
    {"home from the far corner", 4096, 3072, kActionHome, 1, 2048, 1536, 0},
    {"home at home", 2048, 1536, kActionHome, 0, 2048, 1536, 0},
};

class PageAction : public DeskTest, public ::testing::WithParamInterface<PageRow> {};

TEST_P(PageAction, MovesViewAndEveryWindowTheOtherWay) {
    const PageRow& r = GetParam();
    platform::WindowHandle a = addWindow(100, 100, 400, 300);
    platform::WindowHandle b = addWindow(-900, 2000, 300, 200);
    VirtualDesk desk;
    desk.snapshotWindows();
    desk.viewX = r.fromX;  // placed directly: off the grid in page mode too
    desk.viewY = r.fromY;
    desk.pageMode = r.pageMode;
    EXPECT_EQ(runViewAction(&desk, r.action, 0), r.status);
    EXPECT_EQ(desk.viewX, r.toX);
    EXPECT_EQ(desk.viewY, r.toY);
    const int dx = r.toX - r.fromX;
    const int dy = r.toY - r.fromY;
    EXPECT_EQ(rectOf(a).left, 100 - dx);
    EXPECT_EQ(rectOf(a).top, 100 - dy);
    EXPECT_EQ(rectOf(b).left, -900 - dx);
    EXPECT_EQ(rectOf(b).top, 2000 - dy);
    EXPECT_EQ(rectOf(a).right - rectOf(a).left, 400);
    if (dx == 0 && dy == 0) {
        EXPECT_EQ(sim::window(a)->moveCount, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, PageAction, ::testing::ValuesIn(kPageRows));

class IdleKeys : public DeskTest {};

// While the navigator is hidden and the pointer is away from the edges the
// ticks leave the table alone: a key must not move windows from old rows.
TEST_F(IdleKeys, WindowsMovedOrOpenedWhileTheTicksWereIdleMoveFromWhereTheyStand) {
    platform::WindowHandle moved = addWindow(100, 100, 300, 200, "Moved");
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::window(moved)->rect = sim::window(moved)->normal = {400, 300, 700, 500};
    platform::WindowHandle opened = addWindow(50, 60, 200, 100, "Opened");
    EXPECT_EQ(runViewAction(&desk, kActionPageRight, 0), kStatusOk);
    EXPECT_EQ(rectOf(moved).left, 400 - 1024);
    EXPECT_EQ(rectOf(opened).left, 50 - 1024);
    sim::window(opened)->rect = sim::window(opened)->normal = {80, 60, 230, 160};
    EXPECT_EQ(runViewAction(&desk, kActionHome, 0), kStatusOk);
    EXPECT_EQ(rectOf(moved).left, 400);
    EXPECT_EQ(rectOf(opened).left, 80 + 1024);
}

class Carry : public DeskTest {};

TEST_F(Carry, ForegroundWindowKeepsItsPlaceOnTheScreen) {
    platform::WindowHandle other = addWindow(100, 100, 400, 300, "Other");
    platform::WindowHandle notepad = addWindow(300, 200, 500, 400, "Notepad");
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::setForeground(notepad);
    EXPECT_EQ(runViewAction(&desk, kActionCarryRight, 0), kStatusOk);
    EXPECT_EQ(desk.viewX, 3072);
    EXPECT_EQ(rectOf(other).left, 100 - 1024);
    EXPECT_EQ(rectOf(notepad).left, 300);
    EXPECT_EQ(rectOf(notepad).top, 200);
    EXPECT_EQ(sim::window(notepad)->moveCount, 0);
    EXPECT_EQ(desk.windows[1].x, 300);  // the table agrees with the screen
    // It now stands a screen further right on the virtual desktop: home
    // brings the others back and takes it a screen left.
    desk.snapshotWindows();
    sim::setForeground(0);
    EXPECT_EQ(runViewAction(&desk, kActionHome, 0), kStatusOk);
    EXPECT_EQ(rectOf(other).left, 100);
    EXPECT_EQ(rectOf(notepad).left, 300 + 1024);
}

TEST_F(Carry, AtTheBorderNothingMoves) {
    platform::WindowHandle notepad = addWindow(300, 200, 500, 400, "Notepad");
    VirtualDesk desk;
    desk.snapshotWindows();
    desk.moveViewTo(0, 1536);
    sim::setForeground(notepad);
    const platform::Rect before = rectOf(notepad);
    EXPECT_EQ(runViewAction(&desk, kActionCarryLeft, 0), kNothingToMove);
    EXPECT_EQ(rectOf(notepad).left, before.left);
}

TEST_F(Carry, ForegroundOutsideTheTableIsAPlainPage) {
    platform::WindowHandle other = addWindow(100, 100, 400, 300, "Other");
    platform::WindowHandle fixed = addWindow(300, 200, 500, 400, "Fixed");
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::setForeground(fixed);
    desk.windowCount = 1;  // as if the snapshot had left it out (fixed, minimized, ...)
    EXPECT_EQ(runViewAction(&desk, kActionCarryDown, 0), kStatusOk);
    EXPECT_EQ(rectOf(other).top, 100 - 768);
    EXPECT_EQ(rectOf(fixed).top, 200);
    // No foreground window at all: every row moves.
    sim::setForeground(0);
    desk.windowCount = 2;
    EXPECT_EQ(runViewAction(&desk, kActionCarryUp, 0), kStatusOk);
    EXPECT_EQ(rectOf(other).top, 100);
    EXPECT_EQ(rectOf(fixed).top, 200 + 768);
}

TEST_F(Carry, PlainPageMovesTheForegroundWindowToo) {
    platform::WindowHandle notepad = addWindow(300, 200, 500, 400, "Notepad");
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::setForeground(notepad);
    EXPECT_EQ(runViewAction(&desk, kActionPageRight, 0), kStatusOk);
    EXPECT_EQ(rectOf(notepad).left, 300 - 1024);
}

class ToggleAction : public DeskTest {};

TEST_F(ToggleAction, PinsAndUnpinsTheNavigatorAsTheTrayClickDoes) {
    platform::WindowHandle frame = addWindow(0, 0, 200, 150, kNavigatorTitle, "#32770");
    VirtualDesk desk;
    desk.naviMode = 0;
    sim::window(frame)->visible = false;
    EXPECT_EQ(runViewAction(&desk, kActionToggleNavigator, frame), kStatusOk);
    EXPECT_EQ(desk.naviMode, 2);
    EXPECT_TRUE(sim::window(frame)->visible);
    runViewAction(&desk, kActionToggleNavigator, frame);
    EXPECT_EQ(desk.naviMode, 0);
    EXPECT_FALSE(sim::window(frame)->visible);
    EXPECT_EQ(desk.viewX, 2048);
    // Unknown actions do nothing.
    EXPECT_EQ(runViewAction(&desk, kViewActionCount, frame), kStatusOk);
    EXPECT_EQ(runViewAction(&desk, -1, frame), kStatusOk);
    EXPECT_EQ(desk.naviMode, 0);
}

}  // namespace
