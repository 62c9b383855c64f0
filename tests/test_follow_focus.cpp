// Following the window the user switches to: the tick sees a window out of
// view come to the front and the view goes to it (or, as chosen, the window
// comes to the view), at most once a second, and never while the user is at
// a window with the mouse, for the program's own windows or for windows the
// view does not move.
#include "engine/follow_focus.h"

#include <cstring>

#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

constexpr platform::WindowHandle kMapPane = 0x77;
constexpr uint32_t kOwnProcess = 0x100;

class FollowFocus : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        addNavFrame();
    }

    void addNavFrame() {
        sim::SimWindow frame;
        frame.title = "Wideroom Navigator";
        frame.className = "#32770";
        frame.normal = frame.rect = {0, 0, 210, 180};
        frame.visible = false;
        frame.processId = kOwnProcess;
        navFrame = sim::addWindow(frame);
    }

    // Three windows two screens off to the left, as the user left them.
    void addFarWindows() {
        a = addWindow(-1708, 100, 400, 300, "A");
        b = addWindow(-1900, 450, 300, 200, "B");
        c = addWindow(-1300, 300, 350, 250, "C");
    }

    int tick(VirtualDesk* desk) { return pollTick(desk, &state, navFrame, kMapPane); }

    // A fresh desk, hidden navigator, a first tick that takes the foreground
    // window as it stands.
    void start(VirtualDesk* desk) {
        desk->naviMode = 0;
        sim::setCursor(512, 384);
        tick(desk);
    }

    platform::WindowHandle navFrame = 0;
    platform::WindowHandle a = 0, b = 0, c = 0;
    TickState state;
};

TEST_F(FollowFocus, WindowComingToTheFrontOutOfViewBringsTheViewAndTheMapFollows) {
    addFarWindows();
    VirtualDesk desk;
    start(&desk);
    desk.mapChanged(1);
    sim::setForeground(b);
    const int changed = tick(&desk);
    // B wholly in view by the smallest move; A and C moved by the same amount.
    EXPECT_EQ(rectOf(b).left, 0);
    EXPECT_EQ(rectOf(b).top, 450);
    EXPECT_EQ(desk.viewX, 2048 - 1900);
    EXPECT_EQ(rectOf(a).left, -1708 + 1900);
    EXPECT_EQ(rectOf(c).left, -1300 + 1900);
    EXPECT_EQ(rectOf(c).top, 300);
    // The same tick invalidates the map.
    EXPECT_NE(changed, 0);
    EXPECT_GT(sim::invalidationsOf(kMapPane), 0);
    // Staying in front, it is not brought back when the user scrolls away.
    desk.moveViewBy(1000, 0);
    for (int i = 0; i < 30; ++i) tick(&desk);
    EXPECT_EQ(desk.viewX, 2048 - 1900 + 1000);
}

TEST_F(FollowFocus, WindowRestoredFromTheTaskbarBringsTheViewToItsRestoredPlace) {
    addFarWindows();
    sim::SimWindow* w = sim::window(a);
    w->showCmd = platform::kShowMinimized;
    w->rect = {-32000, -32000, -31840, -31970};
    VirtualDesk desk;
    start(&desk);
    // The button is pressed: it comes forward still minimized, then restored.
    sim::setForeground(a);
    tick(&desk);
    EXPECT_EQ(desk.viewX, 2048);
    sim::restoreWindow(a);
    tick(&desk);
    EXPECT_EQ(rectOf(a).left, 0);
    EXPECT_EQ(desk.viewX, 2048 - 1708);
    EXPECT_EQ(rectOf(b).left, -1900 + 1708);
}

TEST_F(FollowFocus, NothingMovesForWindowsTheViewLeavesAloneOrWhileTheUserIsAtTheMouse) {
    struct Case {
        const char* what;
        void (*arrange)(VirtualDesk* desk, TickState* state, platform::WindowHandle w);
    };
    const Case cases[] = {
        {"left button down",
         [](VirtualDesk*, TickState*, platform::WindowHandle) { sim::setKey(platform::kKeyLButton, true); }},
        {"our own window",
         [](VirtualDesk*, TickState*, platform::WindowHandle w) { sim::window(w)->processId = kOwnProcess; }},
        {"fixed window",
         [](VirtualDesk* desk, TickState*, platform::WindowHandle) {
             std::strcpy(desk->fixedWindows.entries[0].className, "AppClass");
             std::strcpy(desk->fixedWindows.entries[0].title, "A");
         }},
        {"shell window", [](VirtualDesk*, TickState*,
                            platform::WindowHandle w) { sim::window(w)->className = "Shell_TrayWnd"; }},
        {"maximized, not moved",
         [](VirtualDesk* desk, TickState*, platform::WindowHandle w) {
             desk->moveMaximized = 0;
             sim::window(w)->showCmd = platform::kShowMaximized;
         }},
        {"hidden",
         [](VirtualDesk*, TickState*, platform::WindowHandle w) { sim::window(w)->visible = false; }},
        {"still minimized",
         [](VirtualDesk*, TickState*, platform::WindowHandle w) {
             sim::window(w)->showCmd = platform::kShowMinimized;
         }},
        {"FollowFocus off",
         [](VirtualDesk*, TickState* state, platform::WindowHandle) {
             static FocusOptions off;
             off.followFocus = kFollowOff;
             state->focus.options = &off;
         }},
        {"the front as the follower starts",
         [](VirtualDesk*, TickState* state, platform::WindowHandle) { state->focus.restart(); }},
    };
    for (const Case& k : cases) {
        sim::reset();
        addNavFrame();
        state = TickState{};
        addFarWindows();
        VirtualDesk desk;
        start(&desk);
        k.arrange(&desk, &state, a);
        sim::setForeground(a);
        for (int i = 0; i < 80; ++i) tick(&desk);
        EXPECT_EQ(desk.viewX, 2048) << k.what;
        EXPECT_EQ(desk.viewY, 1536) << k.what;
        EXPECT_EQ(rectOf(b).left, -1900) << k.what;
        EXPECT_EQ(rectOf(a).left, -1708) << k.what;
        sim::setKey(platform::kKeyLButton, false);
    }
}

TEST_F(FollowFocus, SwitchingBetweenWindowsInViewCostsNoWindowWalk) {
    const platform::WindowHandle near = addWindow(100, 100, 400, 300, "Near");
    addFarWindows();
    VirtualDesk desk;
    start(&desk);
    sim::setForeground(near);
    sim::resetCallCount();
    tick(&desk);
    // The foreground window, the button, the process test (two) and the
    // show state and rectangle of the one window; on top of the idle tick.
    EXPECT_LE(sim::callCount(), 3 + 1 + 1 + 2 + 2);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(rectOf(a).left, -1708);
}

TEST_F(FollowFocus, ProgramThatKeepsComingToTheFrontMovesTheViewAtMostOnceASecond) {
    const platform::WindowHandle left = addWindow(-1708, 100, 400, 300, "Left");
    const platform::WindowHandle right = addWindow(2500, 100, 400, 300, "Right");
    VirtualDesk desk;
    start(&desk);
    std::vector<uint32_t> moves;
    int32_t lastView = desk.viewX;
    // Each tick (40 ms) the other one takes the front, for five seconds.
    const uint32_t begin = sim::now();
    for (int i = 0; sim::now() - begin < 5000; ++i) {
        sim::setForeground(i % 2 == 0 ? left : right);
        const uint32_t at = sim::now();
        tick(&desk);
        if (desk.viewX != lastView) moves.push_back(at);
        lastView = desk.viewX;
    }
    ASSERT_GE(moves.size(), 4u);
    EXPECT_LE(moves.size(), 5u);
    for (size_t i = 1; i < moves.size(); ++i) EXPECT_GE(moves[i] - moves[i - 1], 1000u) << i;
    // A switch during the pause is not lost: the window in front then gets the view.
    sim::setForeground(right);
    for (int i = 0; i < 30; ++i) tick(&desk);
    EXPECT_GE(rectOf(right).left, 0);
    EXPECT_LE(rectOf(right).right, 1024);
}

TEST_F(FollowFocus, WindowModeBringsTheWindowOntoTheScreenAndNothingElseMoves) {
    addWindow(0, 748, 1024, 20, "", "Shell_TrayWnd");
    addFarWindows();
    FocusOptions options;
    options.followFocus = kFollowWindow;
    state.focus.options = &options;
    VirtualDesk desk;
    start(&desk);
    sim::setCursor(600, 400);
    sim::setForeground(a);
    tick(&desk);
    EXPECT_EQ(rectOf(a).left, 0);
    EXPECT_EQ(rectOf(a).top, 100);
    EXPECT_EQ(rectOf(a).right - rectOf(a).left, 400);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(rectOf(b).left, -1900);
    EXPECT_EQ(rectOf(c).left, -1300);
}

TEST_F(FollowFocus, IdleTickReadsTheForegroundWindowOnceAndOffReadsNothingMore) {
    for (int i = 0; i < 50; ++i) addWindow(10 * i, 5 * i, 300, 200);
    VirtualDesk desk;
    start(&desk);
    sim::resetCallCount();
    tick(&desk);
    // The two discarded key readings, the pointer and the foreground window.
    EXPECT_EQ(sim::callCount(), 4);
    FocusOptions off;
    off.followFocus = kFollowOff;
    state.focus.options = &off;
    sim::resetCallCount();
    tick(&desk);
    EXPECT_EQ(sim::callCount(), 3);
}

}  // namespace
