// The edges rest while a program fills its monitor or the shell reports a
// full-screen program or a presentation; hotkeys, the map and the tray go on.
//
// The shell's states follow SHQueryUserNotificationState's
// QUERY_USER_NOTIFICATION_STATE
// (https://learn.microsoft.com/en-us/windows/win32/api/shellapi/ne-shellapi-query_user_notification_state):
// QUNS_BUSY (2) "A full-screen application is running or Presentation
// Settings are applied", QUNS_RUNNING_D3D_FULL_SCREEN (3), QUNS_PRESENTATION_MODE
// (4); QUNS_ACCEPTS_NOTIFICATIONS (5) when none of them holds.
#include "engine/fullscreen_pause.h"
#include "engine/monitors.h"
#include "engine/tick.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

struct PauseRow {
    const char* what;
    const char* className;
    platform::Rect rect;
    uint32_t showCmd;
    int userState;
    bool paused;
};

const PauseRow kRows[] = {
    {"a borderless window over the whole screen", "GameWindow", {0, 0, 1024, 768}, 1, 5, true},
    {"a window larger than the screen", "GameWindow", {-10, -10, 1040, 780}, 1, 5, true},
    {"one pixel short at the right", "GameWindow", {0, 0, 1023, 768}, 1, 5, false},
    {"one pixel short at the bottom", "GameWindow", {0, 0, 1024, 767}, 1, 5, false},
    {"an ordinary window", "Notepad", {100, 100, 700, 500}, 1, 5, false},
    {"a maximized window over an auto-hiding taskbar", "Notepad", {-8, -8, 1032, 776}, 3, 5, false},
    {"the shell's desktop", "Progman", {0, 0, 1024, 768}, 1, 5, false},
    {"the shell's desktop behind the icons", "WorkerW", {0, 0, 1024, 768}, 1, 5, false},
    // GetForegroundWindow gives the desktop window itself when no window is
    // active (Wine's virtual desktop window is of this class too).
    {"the desktop window", "#32769", {0, 0, 1024, 768}, 1, 5, false},
    {"the shell reports a full-screen program", "Notepad", {100, 100, 700, 500}, 1, 2, true},
    {"the shell reports exclusive Direct3D", "Notepad", {100, 100, 700, 500}, 1, 3, true},
    {"the shell reports presentation settings", "Notepad", {100, 100, 700, 500}, 1, 4, true},
    {"the shell is quiet for a new user", "Notepad", {100, 100, 700, 500}, 1, 6, false},
    {"the shell cannot tell", "Notepad", {100, 100, 700, 500}, 1, 0, false},
    {"the shell says busy over its desktop", "Progman", {0, 0, 1024, 768}, 1, 2, true},
};

class FullscreenTick : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        if (HasFatalFailure()) return;
        navFrame = addNavigatorFrame();
        sim::window(navFrame)->visible = false;
    }
    platform::WindowHandle navFrame = 0;
    const platform::WindowHandle mapPane = 0x77;
    TickState state;
};

platform::WindowHandle addInFront(const PauseRow& row) {
    sim::SimWindow w;
    w.title = row.what;
    w.className = row.className;
    w.showCmd = row.showCmd;
    w.normal = w.rect = row.rect;
    const platform::WindowHandle h = sim::addWindow(w);
    sim::setForeground(h);
    sim::setUserNotificationState(row.userState);
    return h;
}

}  // namespace

TEST_F(FullscreenTick, TheProgramInFrontDecides) {
    for (const PauseRow& row : kRows) {
        sim::reset();
        navFrame = addNavigatorFrame();
        sim::window(navFrame)->visible = false;
        const platform::WindowHandle other = addWindow(200, 200, 300, 200);
        addInFront(row);
        VirtualDesk desk;
        desk.naviMode = 0;
        TickState tick;
        sim::setCursor(1023, 300);
        pollTick(&desk, &tick, navFrame, mapPane);
        EXPECT_EQ(desk.viewX != 2048, !row.paused) << row.what;
        EXPECT_EQ(rectOf(other).left != 200, !row.paused) << row.what;
        EXPECT_EQ(sim::window(navFrame)->visible, !row.paused) << row.what;
    }
}

TEST_F(FullscreenTick, SwitchedOffTheEdgesScrollAllTheSame) {
    addInFront(kRows[0]);
    VirtualDesk desk;
    EdgeOptions options;
    options.pauseInFullscreen = 0;
    state.guard.options = &options;
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_GT(desk.viewX, 2048);
}

TEST_F(FullscreenTick, AwayFromTheEdgesNothingIsAsked) {
    addInFront(kRows[0]);
    VirtualDesk desk;
    desk.naviMode = 0;
    sim::setCursor(500, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    // 40 idle ticks (1.6 s on the sim's clock, past several rechecks) with
    // the pause on, then as many with it off: the same calls.
    sim::resetCallCount();
    for (int i = 0; i < 40; ++i) pollTick(&desk, &state, navFrame, mapPane);
    const long withPause = sim::callCount();
    EdgeOptions off;
    off.pauseInFullscreen = 0;
    state.guard.options = &off;
    sim::resetCallCount();
    for (int i = 0; i < 40; ++i) pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(withPause, sim::callCount());
}

TEST_F(FullscreenTick, AtAnEdgeTheVerdictIsKeptForAWhileAndThenAskedAgain) {
    const platform::WindowHandle game = addInFront(kRows[0]);
    VirtualDesk desk;
    desk.naviMode = 0;
    sim::setCursor(1023, 300);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewX, 2048);
    // The game goes; within the recheck time the edge still rests.
    sim::removeWindow(game);
    sim::setForeground(0);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_EQ(desk.viewX, 2048);
    sim::advance(FullscreenPause::kRecheckMs);
    pollTick(&desk, &state, navFrame, mapPane);
    EXPECT_GT(desk.viewX, 2048);
}

TEST_F(FullscreenTick, TheCoverIsMeasuredOnTheWindowsOwnMonitor) {
    sim::setMonitors({sim::monitor(0, 0, 1024, 768, true), sim::monitor(1024, 0, 1824, 600)});
    // Fills the second monitor, which is smaller than the first.
    PauseRow row{"a game on the second monitor", "GameWindow", {1024, 0, 1824, 600}, 1, 5, true};
    addInFront(row);
    VirtualDesk desk;
    EXPECT_TRUE(fullscreen_pause::pauses({true, {1024, 0, 1824, 600}, 1, "GameWindow", 5}, desk.monitors));
    EXPECT_FALSE(fullscreen_pause::pauses({true, {1024, 0, 1824, 599}, 1, "GameWindow", 5}, desk.monitors));
}
