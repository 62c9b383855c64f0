// Windows whose program is slow or hung: moves that wait for the program do
// not make the window drift, a hung window is left where it stands and comes
// back to its place on the virtual desktop when it answers again.
#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Hung : public DeskTest {
protected:
    // One pass of the main loop's engine work: the snapshot, then the view
    // moved by (dx, dy).
    static void tick(VirtualDesk& desk, int dx, int dy = 0) {
        desk.snapshotWindows();
        if (dx != 0 || dy != 0) desk.moveViewBy(dx, dy);
    }
    static bool inTable(const VirtualDesk& desk, platform::WindowHandle h) {
        for (int i = 0; i < desk.windowCount; ++i) {
            if (desk.windows[i].window == h) return true;
        }
        return false;
    }
    static const WindowEntry* rowOf(const VirtualDesk& desk, platform::WindowHandle h) {
        for (int i = 0; i < desk.windowCount; ++i) {
            if (desk.windows[i].window == h) return &desk.windows[i];
        }
        return nullptr;
    }
    static platform::Point origin(platform::WindowHandle h) { return {rectOf(h).left, rectOf(h).top}; }
};

void expectAt(platform::WindowHandle h, int x, int y) {
    EXPECT_EQ(rectOf(h).left, x);
    EXPECT_EQ(rectOf(h).top, y);
}

// A program that carries out its moves only every `pumpEvery` ticks: every
// row says where the view wants the window, it never has more than one move
// of ours waiting, and once it has carried that out it stands exactly there.
struct LagRow {
    const char* name;
    int pumpEvery;
    int ticks;
};

class QueuedMoves : public Hung, public ::testing::WithParamInterface<LagRow> {};

TEST_P(QueuedMoves, SlowWindowNeverDriftsFromItsPlaceOnTheDesktop) {
    const LagRow& p = GetParam();
    platform::WindowHandle slow = addWindow(300, 200, 200, 150);
    platform::WindowHandle prompt = addWindow(600, 400, 100, 80);
    sim::window(slow)->queuesMoves = true;
    VirtualDesk desk;
    int moved = 0;
    for (int t = 1; t <= p.ticks; ++t) {
        SCOPED_TRACE(t);
        tick(desk, 7, -3);
        moved += 1;
        ASSERT_TRUE(inTable(desk, slow));
        EXPECT_EQ(rowOf(desk, slow)->x, 300 - 7 * moved);
        EXPECT_EQ(rowOf(desk, slow)->y, 200 + 3 * moved);
        EXPECT_LE(sim::window(slow)->pendingMoves.size(), 1u);
        expectAt(prompt, 600 - 7 * moved, 400 + 3 * moved);
        if (t % p.pumpEvery == 0) sim::pumpWindow(slow);
    }
    // Quiet passes: the move on its way is seen done, the catch-up that found
    // no view move to go with is sent at the next pass and carried out.
    for (int t = 0; t < 3; ++t) {
        sim::pumpWindow(slow);
        tick(desk, 0);
    }
    expectAt(slow, 300 - 7 * moved, 200 + 3 * moved);
    EXPECT_TRUE(sim::window(slow)->pendingMoves.empty());
}

INSTANTIATE_TEST_SUITE_P(Hung, QueuedMoves,
                         ::testing::Values(LagRow{"everyTick", 1, 12}, LagRow{"everySecondTick", 2, 12},
                                           LagRow{"everyFifthTick", 5, 23}, LagRow{"onlyAtTheEnd", 1000, 9}),
                         [](const ::testing::TestParamInfo<LagRow>& i) { return std::string(i.param.name); });

TEST_F(Hung, HungWindowIsLeftOutAndNotMovedWhileTheOthersScroll) {
    platform::WindowHandle hung = addWindow(300, 200, 200, 150);
    platform::WindowHandle other = addWindow(600, 400, 100, 80);
    VirtualDesk desk;
    tick(desk, 0);
    sim::window(hung)->hung = true;
    tick(desk, 10);  // asked before anyone knows it hangs: one move waits
    EXPECT_EQ(sim::window(hung)->moveCount, 1);
    for (int t = 0; t < 5; ++t) tick(desk, 10);
    EXPECT_FALSE(inTable(desk, hung));
    EXPECT_TRUE(inTable(desk, other));
    EXPECT_EQ(sim::window(hung)->moveCount, 1);  // nothing more was asked of it
    expectAt(hung, 300, 200);
    expectAt(other, 600 - 60, 400);
}

// The view moves while the window hangs; when it answers again it goes to its
// place on the virtual desktop minus the view, whether it carries out the
// move that waited before or after the first snapshot that finds it awake.
struct WakeRow {
    const char* name;
    bool pumpBeforeSnapshot;
};

class Wake : public Hung, public ::testing::WithParamInterface<WakeRow> {};

TEST_P(Wake, WindowThatAnswersAgainStandsWhereTheViewSays) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    tick(desk, 0);
    sim::window(w)->hung = true;
    tick(desk, 16, 4);  // one move waits: (284, 196)
    tick(desk, 20, 0);  // found hanging: left out at its place (284 + 20 ... )
    ASSERT_FALSE(inTable(desk, w));
    tick(desk, -300, 100);
    tick(desk, 50, -20);
    ASSERT_FALSE(inTable(desk, w));
    // In all the view moved (-214, 84); the window's place on the desktop is
    // where it was when it stopped answering.
    sim::window(w)->hung = false;
    if (GetParam().pumpBeforeSnapshot) sim::pumpWindow(w);
    tick(desk, 0);
    ASSERT_TRUE(inTable(desk, w));
    EXPECT_EQ(rowOf(desk, w)->x, 300 + 214);
    EXPECT_EQ(rowOf(desk, w)->y, 200 - 84);
    for (int t = 0; t < 3; ++t) {
        sim::pumpWindow(w);
        tick(desk, 0);
    }
    expectAt(w, 300 + 214, 200 - 84);
    EXPECT_TRUE(sim::window(w)->pendingMoves.empty());
    // And it scrolls with the rest again.
    tick(desk, 5, 0);
    expectAt(w, 300 + 214 - 5, 200 - 84);
}

INSTANTIATE_TEST_SUITE_P(Hung, Wake,
                         ::testing::Values(WakeRow{"movesCarriedOutFirst", true},
                                           WakeRow{"movesCarriedOutLater", false}),
                         [](const ::testing::TestParamInfo<WakeRow>& i) {
                             return std::string(i.param.name);
                         });

TEST_F(Hung, WindowMovedBySomeoneElseMeanwhileIsTakenWhereItIs) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    sim::window(w)->queuesMoves = true;
    VirtualDesk desk;
    tick(desk, 10);
    // Its program drops our move and puts the window elsewhere itself.
    sim::window(w)->pendingMoves.clear();
    sim::window(w)->rect = {50, 60, 250, 210};
    tick(desk, 0);
    EXPECT_EQ(rowOf(desk, w)->x, 50);
    EXPECT_EQ(rowOf(desk, w)->y, 60);
    EXPECT_TRUE(sim::window(w)->pendingMoves.empty());  // no move to undo it
    tick(desk, 10);
    sim::pumpWindow(w);
    expectAt(w, 40, 60);
}

// Not hung, only slow: it stays in the table, where the view wants it for a
// few passes, then (its move still not done) where it stands, and it is not
// asked again meanwhile.
TEST_F(Hung, SlowButAnsweringWindowStaysInTheTable) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    sim::window(w)->queuesMoves = true;
    VirtualDesk desk;
    for (int t = 0; t < 5; ++t) tick(desk, 3);
    EXPECT_TRUE(inTable(desk, w));
    EXPECT_EQ(rowOf(desk, w)->x, 300 - 15);
    for (int t = 0; t < 15; ++t) tick(desk, 3);
    EXPECT_TRUE(inTable(desk, w));
    EXPECT_EQ(rowOf(desk, w)->x, 300);
    EXPECT_EQ(sim::window(w)->pendingMoves.size(), 1u);
}

TEST_F(Hung, RefitLeavesAHungWindowAloneAndBringsItsPlaceInside) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    tick(desk, 0);
    sim::window(w)->hung = true;
    tick(desk, 2048);
    tick(desk, 0);
    ASSERT_FALSE(inTable(desk, w));
    const int moves = sim::window(w)->moveCount;
    // Its place on the desktop is x 2348: 300 on the screen once the view is
    // back at 2048, inside a desktop of 3 screens.
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 3;
    desk.importSettings(&image);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(sim::window(w)->moveCount, moves);  // not touched while it hangs
    sim::window(w)->hung = false;
    sim::pumpWindow(w);
    tick(desk, 0);
    sim::pumpWindow(w);
    tick(desk, 0);
    expectAt(w, 300, 200);
}

TEST_F(Hung, HungWindowsPlaceOutsideAShrunkDesktopIsPulledInside) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    tick(desk, 0);
    tick(desk, 2048);  // view at 4096: the window stands at -1748 on the screen
    sim::window(w)->hung = true;
    tick(desk, -100);  // one move waits
    tick(desk, 0);     // found hanging
    ASSERT_FALSE(inTable(desk, w));
    // Its place on the desktop is x 2348 (view 3996, screen -1648). A desktop
    // 2 screens wide ends at 2048: its right edge comes to that edge.
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 2;
    desk.importSettings(&image);
    ASSERT_EQ(desk.viewX, 1024);
    sim::window(w)->hung = false;
    for (int t = 0; t < 3; ++t) {
        sim::pumpWindow(w);
        tick(desk, 0);
    }
    expectAt(w, 2048 - 200 - 1024, 200);
}

TEST_F(Hung, GatheringAtExitStartsFromWhereTheMoveOnItsWayTakesTheWindow) {
    // The window shows its old place, but the move to the left is carried out
    // before the gathering's: gathered as a window off to the left.
    platform::WindowHandle w = addWindow(100, 100, 200, 150);
    sim::window(w)->queuesMoves = true;
    VirtualDesk desk;
    tick(desk, 2048);
    desk.gatherWindows();
    sim::pumpWindow(w);
    expectAt(w, 0, 100);
}

TEST_F(Hung, HungWindowIsGatheredFromWhereItShows) {
    platform::WindowHandle w = addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 0);
    sim::window(w)->hung = true;
    tick(desk, 2048);
    tick(desk, 0);
    desk.gatherWindows();
    sim::window(w)->hung = false;
    sim::pumpWindow(w);
    expectAt(w, 100, 100);
}

TEST_F(Hung, HungWindowsAreNotAskedAboutOnEveryPassUnlessTheyOweAMove) {
    // Only a window with a move of ours still on its way is asked whether it
    // hangs: the usual pass costs no extra call per window.
    for (int i = 0; i < 5; ++i) addWindow(100 * i, 100, 50, 50);
    VirtualDesk desk;
    tick(desk, 0);
    sim::resetCallCount();
    desk.snapshotWindows();
    const long quiet = sim::callCount();
    // The window list, then style, rectangle, title and class of each, and
    // the first window's extended style (not topmost: none after it is asked).
    EXPECT_EQ(quiet, 1 + 5 * 4 + 1);
}

TEST_F(Hung, TickWithAHungWindowScrollsTheOthers) {
    platform::WindowHandle navFrame = addNavigatorFrame();
    platform::WindowHandle hung = addWindow(300, 200, 200, 150);
    platform::WindowHandle other = addWindow(600, 400, 100, 80);
    sim::window(hung)->hung = true;
    VirtualDesk desk;
    TickState state;
    sim::setCursor(1023, 300);
    for (int t = 0; t < 10; ++t) pollTick(&desk, &state, navFrame, 0x77);
    EXPECT_EQ(desk.viewX, 2048 + 55);  // 1 + 2 + ... + 10
    expectAt(other, 600 - 55, 400);
    expectAt(hung, 300, 200);
    EXPECT_EQ(sim::window(hung)->moveCount, 1);
}

}  // namespace
