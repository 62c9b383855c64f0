// Bringing a window into view: the move that shows it (a table over the
// geometry), the operation on the desktop, and the window that comes to the
// view instead.
#include "engine/bring_into_view.h"

#include <cstring>

#include "test_engine_support.h"

using namespace engine_test;

namespace {

// 1024 x 768; a second monitor of 800 x 600 to its right where a row says so.
const platform::Monitor kOne[] = {{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true}};
const platform::Monitor kTwo[] = {{{0, 0, 1024, 768}, {0, 0, 1024, 768}, true},
                                  {{1024, 0, 1824, 600}, {1024, 0, 1824, 600}, false}};

struct ReachRow {
    const char* where;
    bool twoMonitors;
    bool pageMode;
    int viewX, viewY;
    platform::Rect window;
    int frame;
    int dx, dy;
    bool clamped;
};

void PrintTo(const ReachRow& r, std::ostream* os) { *os << r.where; }

// View (2048, 1536) on a 5 x 5 desktop unless a row says otherwise.
const ReachRow kReachRows[] = {
    // Wholly in view: nothing.
    {"in view", false, false, 2048, 1536, {100, 100, 400, 300}, 0, 0, 0, false},
    {"in view, touching every edge", false, false, 2048, 1536, {0, 0, 1024, 768}, 0, 0, 0, false},
    // The smallest move: its nearest edge onto the screen's edge.
    {"left", false, false, 2048, 1536, {-1708, 100, -1308, 400}, 0, -1708, 0, false},
    {"right", false, false, 2048, 1536, {1500, 100, 1900, 400}, 0, 876, 0, false},
    {"above", false, false, 2048, 1536, {100, -500, 400, -300}, 0, 0, -500, false},
    {"below", false, false, 2048, 1536, {100, 900, 400, 1100}, 0, 0, 332, false},
    {"corner, up and left", false, false, 2048, 1536, {-500, -400, -200, -200}, 0, -500, -400, false},
    {"corner, down and right", false, false, 2048, 1536, {1100, 800, 1400, 1000}, 0, 376, 232, false},
    {"partly in view", false, false, 2048, 1536, {900, 100, 1200, 300}, 0, 176, 0, false},
    {"partly in view, above", false, false, 2048, 1536, {100, -20, 400, 180}, 0, 0, -20, false},
    // Larger than the screen: its top-left corner first.
    {"larger than the screen", false, false, 2048, 1536, {-100, 50, 1400, 950}, 0, -100, 50, false},
    {"wider, off to the right", false, false, 2048, 1536, {1500, 100, 2700, 300}, 0, 1500, 0, false},
    // A frame that stands outside (maximized, invisible borders) still counts as shown.
    {"maximized frame", false, false, 2048, 1536, {-8, -8, 1032, 776}, 8, 0, 0, false},
    {"frame within the slack", false, false, 2048, 1536, {-7, 100, 393, 400}, 8, 0, 0, false},
    // Beyond it, the whole window comes into view, its frame too.
    {"frame beyond the slack", false, false, 2048, 1536, {-20, 100, 380, 400}, 8, -20, 0, false},
    // Two monitors: the monitor that needs the smallest move.
    {"right of the second monitor", true, false, 2048, 1536, {2000, 100, 2300, 300}, 0, 476, 0, false},
    {"below the second monitor", true, false, 2048, 1536, {1100, 650, 1400, 750}, 0, 0, 150, false},
    {"across both monitors", true, false, 2048, 1536, {900, 100, 1200, 300}, 0, 0, 0, false},
    {"left of the first monitor", true, false, 2048, 1536, {-400, 100, -100, 300}, 0, -400, 0, false},
    // At the desktop's border: as far as the view can go.
    {"beyond the left border", false, false, 0, 1536, {-300, 100, -100, 200}, 0, 0, 0, true},
    {"half-way past the left border", false, false, 100, 1536, {-300, 100, -100, 200}, 0, -100, 0, true},
    {"beyond the bottom border", false, false, 2048, 3072, {100, 900, 300, 1000}, 0, 0, 0, true},
    {"near the right border", false, false, 4000, 1536, {1100, 100, 1300, 200}, 0, 96, 0, true},
    // Page mode: the page that holds the window's centre.
    {"page, left", false, true, 2048, 1536, {-1708, 100, -1308, 400}, 0, -2048, 0, false},
    {"page, down and right", false, true, 2048, 1536, {1500, 900, 1800, 1100}, 0, 1024, 768, false},
    {"page, centre on this page", false, true, 2048, 1536, {800, 100, 1100, 300}, 0, 0, 0, false},
    {"page, centre on the next page", false, true, 2048, 1536, {900, 100, 1200, 300}, 0, 1024, 0, false},
    {"page, beyond the left border", false, true, 0, 0, {-600, 100, -200, 300}, 0, 0, 0, true},
    {"page, between pages", false, true, 1500, 1536, {-400, 100, -100, 300}, 0, -476, 0, false},
};

class ReachTable : public ::testing::TestWithParam<ReachRow> {};

TEST_P(ReachTable, MoveShowsTheWindowByTheSmallestStepInsideTheDesktop) {
    const ReachRow& r = GetParam();
    const platform::Monitor* monitors = r.twoMonitors ? kTwo : kOne;
    const int count = r.twoMonitors ? 2 : 1;
    const platform::Rect screen =
        r.twoMonitors ? platform::Rect{0, 0, 1824, 768} : platform::Rect{0, 0, 1024, 768};
    const int32_t w = screen.right - screen.left;
    const int32_t h = screen.bottom - screen.top;
    const view_reach::Geometry g{r.viewX,  r.viewY, 5 * w,      5 * h,  screen,
                                 monitors, count,   r.pageMode, r.frame};
    const view_reach::Move m = view_reach::moveToShow(g, r.window);
    EXPECT_EQ(m.dx, r.dx);
    EXPECT_EQ(m.dy, r.dy);
    EXPECT_EQ(m.clamped, r.clamped);
    // Outside page mode a move that the border did not cut short shows it wholly.
    if (!r.pageMode && !r.clamped && r.window.right - r.window.left <= 1024 &&
        r.window.bottom - r.window.top <= 600) {
        const platform::Rect after{r.window.left - m.dx, r.window.top - m.dy, r.window.right - m.dx,
                                   r.window.bottom - m.dy};
        EXPECT_TRUE(view_reach::whollyInView(g, after));
    }
}

INSTANTIATE_TEST_SUITE_P(Reach, ReachTable, ::testing::ValuesIn(kReachRows));

class BringIntoView : public DeskTest {};

TEST_F(BringIntoView, ViewGoesToTheWindowAndEveryOtherWindowMovesByTheSameAmount) {
    const platform::WindowHandle a = addWindow(-1708, 100, 400, 300, "A");
    const platform::WindowHandle b = addWindow(-1400, 500, 300, 200, "B");
    const platform::WindowHandle c = addWindow(300, 200, 300, 200, "C");
    VirtualDesk desk;
    desk.mapChanged(1);
    sim::recordMoves(true);
    EXPECT_EQ(bringIntoView(&desk, a), 0);
    EXPECT_EQ(desk.viewX, 2048 - 1708);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(rectOf(a).left, 0);
    EXPECT_EQ(rectOf(a).top, 100);
    EXPECT_EQ(rectOf(b).left, -1400 + 1708);
    EXPECT_EQ(rectOf(c).left, 300 + 1708);
    EXPECT_EQ(rectOf(c).top, 200);
    EXPECT_EQ(sim::moveLog().size(), 3u);
    // The map follows.
    EXPECT_NE(desk.mapChanged(1), 0);
    // Once in view, nothing more moves.
    sim::recordMoves(true);
    EXPECT_EQ(bringIntoView(&desk, a), 0);
    EXPECT_TRUE(sim::moveLog().empty());
    EXPECT_EQ(desk.viewX, 2048 - 1708);
}

TEST_F(BringIntoView, WindowsTheViewDoesNotMoveCannotBeBrought) {
    const platform::WindowHandle plain = addWindow(-1708, 100, 400, 300, "Plain", "AppClass");
    const platform::WindowHandle fixed = addWindow(-1708, 100, 400, 300, "Pinned", "PinClass");
    const platform::WindowHandle tray = addWindow(-1708, 100, 400, 300, "", "Shell_TrayWnd");
    const platform::WindowHandle navigator = addWindow(-1708, 100, 400, 300, "Wideroom Navigator", "#32770");
    const platform::WindowHandle minimized = addWindow(-1708, 100, 400, 300, "Min");
    sim::window(minimized)->showCmd = platform::kShowMinimized;
    const platform::WindowHandle maximized = addWindow(-1708, 100, 400, 300, "Max");
    sim::window(maximized)->showCmd = platform::kShowMaximized;
    const platform::WindowHandle hidden = addWindow(-1708, 100, 400, 300, "Hidden");
    sim::window(hidden)->visible = false;
    VirtualDesk desk;
    desk.moveMaximized = 0;
    std::strcpy(desk.fixedWindows.entries[0].className, "PinClass");
    std::strcpy(desk.fixedWindows.entries[0].title, "Pinned");
    struct Case {
        const char* what;
        platform::WindowHandle window;
    };
    const Case cases[] = {{"fixed", fixed},         {"shell window", tray},
                          {"navigator", navigator}, {"minimized", minimized},
                          {"hidden", hidden},       {"maximized, not moved", maximized},
                          {"unknown", 0x999999},    {"none", 0}};
    for (const Case& c : cases) {
        EXPECT_EQ(bringIntoView(&desk, c.window), kNotBringable) << c.what;
        EXPECT_EQ(desk.viewX, 2048) << c.what;
        EXPECT_EQ(rectOf(plain).left, -1708) << c.what;
    }
    EXPECT_EQ(bringIntoView(nullptr, plain), kNotBringable);
    // Maximized windows move with the view when the settings say so.
    desk.moveMaximized = 1;
    EXPECT_EQ(bringIntoView(&desk, maximized), 0);
    EXPECT_EQ(desk.viewX, 2048 - 1708);
}

TEST_F(BringIntoView, AtTheDesktopsBorderTheViewGoesAsFarAsItCan) {
    const platform::WindowHandle w = addWindow(-300, 100, 200, 100);
    VirtualDesk desk;
    desk.viewX = 100;
    EXPECT_EQ(bringIntoView(&desk, w), 0);
    EXPECT_EQ(desk.viewX, 0);
    EXPECT_EQ(rectOf(w).left, -200);
    EXPECT_EQ(bringIntoView(&desk, w), kNothingToMove);
    EXPECT_EQ(rectOf(w).left, -200);
}

TEST_F(BringIntoView, WindowComesToTheWorkAreaUnderThePointerAndNothingElseMoves) {
    sim::setMonitors({sim::monitor(0, 0, 1024, 768, true), sim::monitor(1024, 0, 1824, 600)});
    const platform::WindowHandle taskbar = addWindow(0, 748, 1024, 20, "", "Shell_TrayWnd");
    const platform::WindowHandle far = addWindow(-1708, 100, 400, 300, "Far");
    const platform::WindowHandle other = addWindow(-1400, 500, 300, 200, "Other");
    const platform::WindowHandle low = addWindow(3000, 3000, 300, 200, "Low");
    VirtualDesk desk;
    const int viewX = desk.viewX;
    const int viewY = desk.viewY;
    // The pointer on the first monitor: onto its work area (above the taskbar).
    EXPECT_EQ(bringWindowHere(&desk, far, {500, 300}), 0);
    EXPECT_EQ(rectOf(far).left, 0);
    EXPECT_EQ(rectOf(far).top, 100);
    EXPECT_EQ(rectOf(far).right - rectOf(far).left, 400);
    EXPECT_EQ(rectOf(other).left, -1400);
    EXPECT_EQ(rectOf(taskbar).top, 748);
    EXPECT_EQ(desk.viewX, viewX);
    EXPECT_EQ(desk.viewY, viewY);
    // On the second monitor: onto its work area, its bottom-right here.
    EXPECT_EQ(bringWindowHere(&desk, low, {1500, 300}), 0);
    EXPECT_EQ(rectOf(low).left, 1824 - 300);
    EXPECT_EQ(rectOf(low).top, 600 - 200);
    // Not one the table takes: left alone.
    std::strcpy(desk.fixedWindows.entries[0].className, "AppClass");
    std::strcpy(desk.fixedWindows.entries[0].title, "Other");
    EXPECT_EQ(bringWindowHere(&desk, other, {500, 300}), kNotBringable);
    EXPECT_EQ(rectOf(other).left, -1400);
}

}  // namespace
