// The main loop's polling tick, from the edge test to the sleep.
#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Tick : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        if (HasFatalFailure()) return;
        // The map pane is a child window (never in the top-level walk): any
        // handle.
        navFrame = addNavigatorFrame();
    }
    bool navigatorVisible() { return sim::window(navFrame)->visible; }

    platform::WindowHandle navFrame = 0;
    const platform::WindowHandle mapPane = 0x77;
    TickState state;
};

TEST_F(Tick, FiveMillisecondsOfWorkSleepTwentyFiveThenTen) {
    VirtualDesk desk;
    sim::setCursor(500, 300);
    sim::advanceAtNextWalk(5);  // the snapshot takes 5 ms
    pollTick(&desk, &state, navFrame, mapPane);
    ASSERT_EQ(sim::sleeps().size(), 2u);
    EXPECT_EQ(sim::sleeps()[0], 25u);
    EXPECT_EQ(sim::sleeps()[1], 10u);
    EXPECT_EQ(sim::now(), 40u);  // interval + 10
}

TEST_F(Tick, FiftyMillisecondsOfWorkSleepOnlyTen) {
    VirtualDesk desk;
    sim::advanceAtNextWalk(50);
    pollTick(&desk, &state, navFrame, mapPane);
    ASSERT_EQ(sim::sleeps().size(), 1u);
    EXPECT_EQ(sim::sleeps()[0], 10u);
}

TEST_F(Tick, WorkEqualToTheIntervalSleepsOnlyTen) {
    VirtualDesk desk;
    sim::advanceAtNextWalk(30);
    pollTick(&desk, &state, navFrame, mapPane);
    ASSERT_EQ(sim::sleeps().size(), 1u);
    EXPECT_EQ(sim::sleeps()[0], 10u);
}

TEST_F(Tick, ClockReadingCostCountsAsWork) {
    VirtualDesk desk;
    sim::setTickCost(5);  // three readings: t0, the hide test, elapsed = 10 ms
    pollTick(&desk, &state, navFrame, mapPane);
    ASSERT_EQ(sim::sleeps().size(), 2u);
    EXPECT_EQ(sim::sleeps()[0], 20u);
    EXPECT_EQ(sim::sleeps()[1], 10u);
}

// Both wraps of the 32-bit clock: the unsigned one (0xFFFFFFFF to 0), where a
// difference taken in 64 bits goes negative, and the signed one (0x7FFFFFFF
// to 0x80000000), where a difference of signed 32-bit readings overflows.
constexpr uint32_t kBeforeWraps[] = {0xFFFFFFFEu, 0x7FFFFFFEu};

TEST_F(Tick, ElapsedIsUnsignedAcrossTheClockWrap) {
    for (const uint32_t t0 : kBeforeWraps) {
        SCOPED_TRACE(t0);
        sim::reset();
        VirtualDesk desk;
        sim::advance(t0);  // t0 just before the wrap
        sim::advanceAtNextWalk(5);
        pollTick(&desk, &state, navFrame, mapPane);
        ASSERT_EQ(sim::sleeps().size(), 2u);
        EXPECT_EQ(sim::sleeps()[0], 25u);
    }
}

TEST_F(Tick, ScrollsAtTheEdgeAndInvalidatesTheMap) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    sim::setCursor(1023, 300);
    const int changed = pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_GT(changed, 0);
    EXPECT_EQ(sim::invalidationsOf(mapPane), 1);  // the map pane itself, once
    EXPECT_EQ(sim::invalidationsOf(navFrame), 0);
    EXPECT_EQ(state.dirX, 1);
    EXPECT_EQ(state.dirY, 0);
    EXPECT_EQ(desk.viewX, 2049);
    EXPECT_EQ(desk.step, 2);
    EXPECT_EQ(rectOf(w).left, 99);
}

TEST_F(Tick, ReturnsTheChangeCountAndIsQuietWhenNothingChanged) {
    VirtualDesk desk;
    sim::setCursor(500, 300);
    pollTick(&desk, &state, navFrame, mapPane);  // first test: the view is recorded
    desk.mapDirty = 0;
    sim::resetCallCount();
    EXPECT_EQ(pollTick(&desk, &state, navFrame, mapPane), 0);
    desk.mapDirty = 1;
    EXPECT_EQ(pollTick(&desk, &state, navFrame, mapPane), 1);
    EXPECT_EQ(desk.mapDirty, 0);  // mapChanged(1) cleared it
}

TEST_F(Tick, InvalidatesTheMapPaneOnlyWhenChanged) {
    VirtualDesk desk;
    sim::setCursor(500, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    const int first = sim::invalidationsOf(mapPane);
    EXPECT_EQ(pollTick(&desk, &state, navFrame, mapPane), 0);
    EXPECT_EQ(sim::invalidationsOf(mapPane), first);  // a quiet tick asks for no repaint
    desk.mapDirty = 1;
    EXPECT_EQ(pollTick(&desk, &state, navFrame, mapPane), 1);
    EXPECT_EQ(sim::invalidationsOf(mapPane), first + 1);
    EXPECT_EQ(sim::invalidationsOf(navFrame), 0);
}

TEST_F(Tick, LeftButtonDownResetsTheStepButTheNavigatorShows) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.naviMode = 0;
    sim::window(navFrame)->visible = false;
    desk.step = 9;
    sim::setCursor(1023, 300);
    sim::setKey(platform::kKeyLButton, true);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.step, 1);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_TRUE(navigatorVisible());
    EXPECT_EQ(desk.naviMode, 1);
}

TEST_F(Tick, NoEdgeResetsTheStep) {
    VirtualDesk desk;
    desk.step = 9;
    sim::setCursor(500, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.step, 1);
    EXPECT_EQ(state.dirX, 0);
    EXPECT_EQ(state.dirY, 0);
}

TEST_F(Tick, PageModePutsThePointerAtTheCentreAfterAPage) {
    VirtualDesk desk;
    desk.pageMode = 1;
    sim::setCursor(500, 767);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewY, 2304);
    EXPECT_EQ(sim::cursor().x, 512);
    EXPECT_EQ(sim::cursor().y, 384);
}

// The pointer put at the centre still reads at the edge for a few ticks (as
// under Wine): that contact made its page, and only a new one makes the next.
TEST_F(Tick, PageModeMakesOnePagePerContactWhenThePointerReadsLateAtTheCentre) {
    VirtualDesk desk;
    desk.pageMode = 1;
    const int startX = desk.viewX;
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewX, startX + 1024);
    for (int t = 0; t < 3; ++t) {
        sim::setCursor(1023, 300);  // the old place, read late
        pollTick(&desk, &state, navFrame, mapPane);
    }
    EXPECT_EQ(desk.viewX, startX + 1024);
    EXPECT_EQ(state.dirX, 1);  // the navigator still shows at the edge
    // Seen away from the edge, then a new contact: the next page.
    sim::setCursor(512, 384);
    pollTick(&desk, &state, navFrame, mapPane);
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewX, startX + 2048);
}

// A move to the centre that never arrives (the pointer still at the edge
// well after the page) is made once more; the contact still turns one page.
TEST_F(Tick, PageModePutsThePointerAtTheCentreAgainWhenItStaysAtTheEdge) {
    VirtualDesk desk;
    desk.pageMode = 1;
    const int startX = desk.viewX;
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    const uint32_t paged = platform::getTickCount();
    ASSERT_EQ(desk.viewX, startX + 1024);
    // Lost: the pointer stays where it was, tick after tick.
    int recentred = 0;
    uint32_t at = 0;
    for (int t = 0; t < 20; ++t) {
        sim::setCursor(1023, 300);
        pollTick(&desk, &state, navFrame, mapPane);
        if (sim::cursor().x == 512 && sim::cursor().y == 384) {
            if (recentred++ == 0) at = platform::getTickCount() - paged;
        }
    }
    EXPECT_EQ(recentred, 1);
    EXPECT_GE(at, EdgeGuard::kRecentreMs);
    EXPECT_LE(at, EdgeGuard::kRecentreMs + 100);
    EXPECT_EQ(desk.viewX, startX + 1024);
}

TEST_F(Tick, PageModeAtTheBorderLeavesThePointerWhereItIs) {
    VirtualDesk desk;
    desk.pageMode = 1;
    desk.moveViewTo(2048, 3072);
    sim::setCursor(500, 767);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewY, 3072);
    EXPECT_EQ(sim::cursor().x, 500);
    EXPECT_EQ(sim::cursor().y, 767);
}

TEST_F(Tick, NavigatorModeOneShowsAtTheFirstEdgeTickAndHidesAfterASecond) {
    VirtualDesk desk;
    desk.naviMode = 0;  // mode 1 after the first edge tick
    sim::window(navFrame)->visible = false;
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.naviMode, 1);
    EXPECT_TRUE(navigatorVisible());
    const uint32_t lastEdge = state.lastEdgeTick;
    EXPECT_EQ(lastEdge, sim::now() - 40 + 0);  // read before the sleeps (work 0)

    sim::setCursor(500, 300);
    int ticks = 0;
    while (navigatorVisible()) {
        const uint32_t before = sim::now();  // the hide test reads the clock at the tick's start
        pollTick(&desk, &state, navFrame, mapPane);
        ++ticks;
        ASSERT_LT(ticks, 100);
        if (navigatorVisible()) {
            EXPECT_LT(before - lastEdge, 1000u);
        } else {
            EXPECT_GE(before - lastEdge, 1000u);  // the first tick at least 1000 ms later
            EXPECT_LT(before - 40 - lastEdge, 1000u);
        }
    }
    EXPECT_EQ(desk.naviMode, 0);
    EXPECT_EQ(ticks, 25);  // ticks of 40 ms: 1000 ms after the edge tick is the 25th
}

TEST_F(Tick, PinnedNavigatorNeverHides) {
    VirtualDesk desk;  // naviMode 2
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    sim::setCursor(500, 300);
    for (int i = 0; i < 60; ++i) pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_TRUE(navigatorVisible());
    EXPECT_EQ(desk.naviMode, 2);
}

TEST_F(Tick, HideTestIsUnsignedAcrossTheClockWrap) {
    for (const uint32_t beforeWrap : kBeforeWraps) {
        SCOPED_TRACE(beforeWrap);
        sim::reset();
        navFrame = sim::addWindow(kNavigatorTitle, "#32770", 0, 0, 210, 180);
        VirtualDesk desk;
        desk.naviMode = 1;
        state.lastEdgeTick = beforeWrap - 254;  // 256 ms before the wrap
        sim::advance(beforeWrap - 254 + 500);   // 500 ms later, past the wrap
        sim::setCursor(500, 300);
        pollTick(&desk, &state, navFrame, mapPane);
        EXPECT_TRUE(navigatorVisible());
        EXPECT_EQ(desk.naviMode, 1);
        sim::advance(600);
        pollTick(&desk, &state, navFrame, mapPane);
        EXPECT_FALSE(navigatorVisible());
    }
}

TEST_F(Tick, SixtyFiveTicksThroughTheLoopReachTheRightBorder) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    sim::setCursor(1023, 300);
    for (int i = 0; i < 65; ++i) pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewX, 4096);
    EXPECT_EQ(desk.step, 64);
    EXPECT_EQ(rectOf(w).left, 100 - 2048);
}

}  // namespace
