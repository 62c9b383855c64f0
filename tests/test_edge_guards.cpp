// The edge guards: one table of contacts on the clock (time, pointer, left
// button, a drag in progress) with the verdict each tick must give, and the
// guarded tick on the sim desktop: dwell, corner band, edges switched off,
// page pause and carrying a dragged window.
#include <string>
#include <vector>

#include "engine/edge_guards.h"
#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

// One tick: time, pointer, buttons, and the verdict expected.
struct Step {
    uint32_t t;
    int x, y;
    bool leftButton;
    bool dragging;
    int dirX, dirY;  // the edge in force
    bool scroll;
};

struct GuardCase {
    const char* name;
    EdgeOptions options;
    bool pageMode;
    std::vector<Step> steps;
    platform::Rect screen = {0, 0, 1024, 768};  // the monitor under the pointer
};

EdgeOptions with(int dwell, int corner, int pause, int left = 1, int right = 1, int top = 1, int bottom = 1,
                 int carry = 0) {
    return EdgeOptions{dwell, corner, pause, left, right, top, bottom, carry};
}

// The edge as detectEdge finds it on the monitor with edgeWidth 1.
int dirOf(int v, int low, int high) { return v <= low + 1 ? -1 : (v >= high - 1 ? 1 : 0); }

const GuardCase kCases[] = {
    {"no guards: every contact scrolls at once",
     with(0, 0, 0),
     false,
     {{0, 1023, 300, false, false, 1, 0, true},
      {40, 0, 0, false, false, -1, -1, true},
      {80, 500, 300, false, false, 0, 0, false}}},
    {"dwell 120: scrolls when exactly reached, not a tick before",
     with(120, 0, 0),
     false,
     {{1000, 1023, 300, false, false, 0, 0, false},
      {1040, 1023, 300, false, false, 0, 0, false},
      {1119, 1023, 300, false, false, 0, 0, false},
      {1120, 1023, 300, false, false, 1, 0, true},
      {1160, 1023, 300, false, false, 1, 0, true}}},
    {"dwell: leaving the edge starts it again",
     with(100, 0, 0),
     false,
     {{0, 1023, 300, false, false, 0, 0, false},
      {90, 500, 300, false, false, 0, 0, false},
      {130, 1023, 300, false, false, 0, 0, false},
      {229, 1023, 300, false, false, 0, 0, false},
      {230, 1023, 300, false, false, 1, 0, true}}},
    {"dwell: sliding along the edges keeps it running",
     with(100, 0, 0),
     false,
     {{0, 1023, 300, false, false, 0, 0, false},
      {60, 1023, 767, false, false, 0, 0, false},
      {100, 600, 767, false, false, 0, 1, true}}},
    {"dwell: a blocked tick (left button) starts it again",
     with(100, 0, 0),
     false,
     {{0, 1023, 300, false, false, 0, 0, false},
      {60, 1023, 300, true, false, 1, 0, false},
      {120, 1023, 300, false, false, 0, 0, false},
      {219, 1023, 300, false, false, 0, 0, false},
      {220, 1023, 300, false, false, 1, 0, true}}},
    {"dwell: the clock wrapping does not end it early",
     with(100, 0, 0),
     false,
     {{0xFFFFFFF0u, 1023, 300, false, false, 0, 0, false},
      {40, 1023, 300, false, false, 0, 0, false},
      {84, 1023, 300, false, false, 1, 0, true}}},
    {"corner 40: the band's last pixel holds, the next one scrolls",
     with(0, 40, 0),
     false,
     {{0, 1023, 10, false, false, 0, 0, false},
      {40, 1023, 39, false, false, 0, 0, false},
      {80, 1023, 40, false, false, 1, 0, true},
      {120, 1023, 727, false, false, 1, 0, true},
      {160, 1023, 728, false, false, 0, 0, false},
      {200, 0, 300, false, false, -1, 0, true},
      {240, 39, 767, false, false, 0, 0, false},
      {280, 40, 767, false, false, 0, 1, true},
      {320, 983, 0, false, false, 0, -1, true},
      {360, 984, 0, false, false, 0, 0, false}}},
    {"corner 40 on a second monitor: its own corners count",
     with(0, 40, 0),
     false,
     {{0, 1823, 10, false, false, 0, 0, false},
      {40, 1823, 300, false, false, 1, 0, true},
      {80, 1823, 560, false, false, 0, 0, false},
      {120, 1823, 559, false, false, 1, 0, true}},
     {1024, 0, 1824, 600}},
    {"corner 40: the corner's own diagonal contact holds",
     with(0, 40, 0),
     false,
     {{0, 0, 0, false, false, 0, 0, false},
      {40, 1023, 767, false, false, 0, 0, false},
      {80, 1, 767, false, false, 0, 0, false}}},
    {"corner 0: the diagonal contact scrolls both ways",
     with(0, 0, 0),
     false,
     {{0, 1023, 767, false, false, 1, 1, true}}},
    {"edges switched off: right and top never scroll, left and bottom do",
     with(0, 0, 0, 1, 0, 0, 1),
     false,
     {{0, 1023, 300, false, false, 0, 0, false},
      {40, 500, 0, false, false, 0, 0, false},
      {80, 1023, 0, false, false, 0, 0, false},
      {120, 1023, 767, false, false, 0, 1, true},
      {160, 0, 300, false, false, -1, 0, true}}},
    {"left button: shows the edge, scrolls nothing, whatever the options",
     with(0, 0, 0, 1, 1, 1, 1, 1),
     false,
     {{0, 1023, 300, true, false, 1, 0, false}}},
    {"carry on and a drag in progress: scrolls with the button down",
     with(0, 0, 0, 1, 1, 1, 1, 1),
     false,
     {{0, 1023, 300, true, true, 1, 0, true}, {40, 500, 300, true, true, 0, 0, false}}},
    {"carry off: a drag scrolls nothing", with(0, 0, 0), false, {{0, 1023, 300, true, true, 1, 0, false}}},
    {"carry with dwell: the dwell still runs",
     with(80, 0, 0, 1, 1, 1, 1, 1),
     false,
     {{0, 1023, 300, true, true, 0, 0, false}, {80, 1023, 300, true, true, 1, 0, true}}},
    {"page pause 1000 ending between two ticks: the first tick after it pages",
     with(0, 0, 1000),
     true,
     {{0, 1023, 300, false, false, 1, 0, true},
      {500, 1023, 300, false, false, 1, 0, false},
      {980, 1023, 300, false, false, 1, 0, false},
      {1020, 1023, 300, false, false, 1, 0, true},
      {2019, 1023, 300, false, false, 1, 0, false},
      {2020, 1023, 300, false, false, 1, 0, true}}},
    {"page pause is for page mode only",
     with(0, 0, 1000),
     false,
     {{0, 1023, 300, false, false, 1, 0, true}, {40, 1023, 300, false, false, 1, 0, true}}},
};

TEST(EdgeGuardTable, EveryTickGivesItsVerdict) {
    for (const GuardCase& c : kCases) {
        EdgeGuard guard;
        guard.options = &c.options;
        for (size_t i = 0; i < c.steps.size(); ++i) {
            const Step& s = c.steps[i];
            const EdgeContact contact{s.t,
                                      s.x,
                                      s.y,
                                      dirOf(s.x, c.screen.left, c.screen.right),
                                      dirOf(s.y, c.screen.top, c.screen.bottom),
                                      s.leftButton,
                                      s.dragging,
                                      c.pageMode,
                                      c.screen};
            const EdgeVerdict v = guard.judge(contact);
            EXPECT_EQ(v.dirX, s.dirX) << c.name << ", tick " << i;
            EXPECT_EQ(v.dirY, s.dirY) << c.name << ", tick " << i;
            EXPECT_EQ(v.scroll, s.scroll) << c.name << ", tick " << i;
            // The tick turns a page whenever it pages.
            if (v.scroll && c.pageMode) guard.pageTurned(s.t);
        }
    }
}

TEST(EdgeGuardTable, NoOptionsMeansNoGuards) {
    EdgeGuard guard;
    const EdgeVerdict v = guard.judge({0, 1023, 5, 1, -1, false, false, false, {0, 0, 1024, 768}});
    EXPECT_EQ(v.dirX, 1);
    EXPECT_EQ(v.dirY, -1);
    EXPECT_TRUE(v.scroll);
}

// --- the guarded tick on the sim -------------------------------------------------

class GuardedTick : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        if (HasFatalFailure()) return;
        navFrame = addNavigatorFrame();
        state.guard.options = &options;
    }
    void tick(VirtualDesk& desk) { pollTick(&desk, &state, navFrame, 0x77); }

    platform::WindowHandle navFrame = 0;
    EdgeOptions options;
    TickState state;
};

TEST_F(GuardedTick, DwellHoldsTheFirstStepWhichThenStartsAtMinStep) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.naviMode = 0;  // shown at the first tick at an edge
    sim::window(navFrame)->visible = false;
    options.dwellMs = 300;
    sim::setCursor(1023, 300);
    // Ticks of 40 ms: t = 0 .. 280 wait, t = 320 is the first step.
    for (int i = 0; i < 8; ++i) tick(desk);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(rectOf(w).left, 100);
    EXPECT_FALSE(sim::window(navFrame)->visible);  // the edge does not count yet
    tick(desk);
    EXPECT_EQ(desk.viewX, 2049);
    tick(desk);
    EXPECT_EQ(desk.viewX, 2051);  // the step grows as before
    EXPECT_TRUE(sim::window(navFrame)->visible);
}

TEST_F(GuardedTick, ARequiredSwitchKeyLetGoStartsTheDwellAgain) {
    VirtualDesk desk;
    desk.needCtrl = 1;
    options.dwellMs = 100;
    sim::setCursor(1023, 300);
    sim::setKey(platform::kKeyControl, true);
    tick(desk);  // t 0
    tick(desk);  // t 40
    sim::setKey(platform::kKeyControl, false);
    tick(desk);  // t 80: no edge
    sim::setKey(platform::kKeyControl, true);
    tick(desk);  // t 120: the dwell starts again
    tick(desk);  // t 160
    tick(desk);  // t 200
    EXPECT_EQ(desk.viewX, 2048);
    tick(desk);  // t 240: 120 ms
    EXPECT_EQ(desk.viewX, 2049);
}

TEST_F(GuardedTick, CornerBandAndASwitchedOffEdgeMoveNothing) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    options.cornerPx = 40;
    options.right = 0;
    sim::setCursor(0, 10);  // the left edge, in the band
    tick(desk);
    sim::setCursor(1023, 300);  // the right edge, switched off
    tick(desk);
    EXPECT_EQ(state.dirX, 0);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    sim::setCursor(0, 300);
    tick(desk);
    EXPECT_EQ(desk.viewX, 2047);
}

TEST_F(GuardedTick, PagePauseAllowsAtMostOnePagePerPause) {
    writeFile("Wideroom.cfg", settingsRecord(Settings{10, 5, 1, 64, 25, 30, 0, 0, 1, 1}));
    VirtualDesk desk;
    ASSERT_EQ(desk.pageMode, 1);
    const int start = desk.viewX;
    options.pagePauseMs = 1000;
    // The user pushes against the right edge again after every page, for
    // 2.5 s: 63 ticks of 40 ms.
    int pages = 0;
    for (int i = 0; i < 63; ++i) {
        sim::setCursor(1023, 300);
        const int before = desk.viewX;
        tick(desk);
        if (desk.viewX != before) ++pages;
    }
    EXPECT_EQ(pages, 3);  // at 0, 1000 and 2000 ms
    EXPECT_EQ(desk.viewX, start + 3 * 1024);
}

TEST_F(GuardedTick, CarriedWindowStaysUnderThePointerWhileTheOthersScroll) {
    platform::WindowHandle a = addWindow(100, 100, 300, 200, "above");
    platform::WindowHandle dragged = addWindow(800, 250, 400, 300, "dragged");
    platform::WindowHandle b = addWindow(50, 500, 300, 200, "below");
    VirtualDesk desk;
    options.carryDraggedWindow = 1;
    sim::setKey(platform::kKeyLButton, true);
    sim::setDraggedWindow(dragged);
    sim::setCursor(1023, 300);
    for (int i = 0; i < 10; ++i) tick(desk);  // 1 + 2 + ... + 10 = 55 pixels
    EXPECT_EQ(desk.viewX, 2048 + 55);
    EXPECT_EQ(rectOf(a).left, 100 - 55);
    EXPECT_EQ(rectOf(b).left, 50 - 55);
    EXPECT_EQ(rectOf(dragged).left, 800);
    EXPECT_EQ(sim::window(dragged)->moveCount, 0);
    // The table keeps its order and the dragged window's row, so the map
    // shows it where it now stands on the virtual desktop.
    ASSERT_EQ(desk.windowCount, 3);
    EXPECT_EQ(desk.windows[0].window, a);
    EXPECT_EQ(desk.windows[1].window, dragged);
    EXPECT_EQ(desk.windows[1].x, 800);
    EXPECT_EQ(desk.windows[2].window, b);

    // Let go: scrolling on stops (the button was all that let it run), and
    // the window keeps its place on the virtual desktop from now on.
    sim::setKey(platform::kKeyLButton, false);
    sim::setDraggedWindow(0);
    sim::setCursor(500, 300);
    tick(desk);
    sim::setCursor(0, 300);
    tick(desk);
    EXPECT_EQ(rectOf(dragged).left, 801);
    EXPECT_EQ(rectOf(a).left, 100 - 55 + 1);
}

TEST_F(GuardedTick, WithoutADragTheLeftButtonStillScrollsNothing) {
    platform::WindowHandle w = addWindow(100, 100, 300, 200);
    VirtualDesk desk;
    options.carryDraggedWindow = 1;
    sim::setKey(platform::kKeyLButton, true);  // a text selection dragged to the edge
    sim::setCursor(1023, 300);
    for (int i = 0; i < 5; ++i) tick(desk);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_EQ(desk.step, desk.minStep);
}

TEST_F(GuardedTick, QuietTicksAskNothingMoreOfThePlatform) {
    VirtualDesk desk;
    sim::setCursor(500, 300);
    tick(desk);
    sim::resetCallCount();
    tick(desk);
    const long plain = sim::callCount();
    options = with(300, 40, 1000, 1, 1, 1, 1, 1);
    sim::setKey(platform::kKeyLButton, true);
    sim::resetCallCount();
    tick(desk);
    EXPECT_EQ(sim::callCount(), plain);
}

}  // namespace
