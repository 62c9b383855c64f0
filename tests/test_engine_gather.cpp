// Re-fit and gathering of windows, and the import's geometry steps.
#include <cstring>

#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Gather : public DeskTest {};

platform::WindowHandle addMaximized(platform::Rect rect) {
    sim::SimWindow w;
    w.title = "max";
    w.className = "C";
    w.showCmd = platform::kShowMaximized;
    w.normal = {100, 100, 500, 400};
    w.rect = rect;
    return sim::addWindow(w);
}

platform::WindowHandle addTaskbar(platform::Rect r) {
    return sim::addWindow("", "Shell_TrayWnd", r.left, r.top, r.right - r.left, r.bottom - r.top);
}

platform::Point topLeft(platform::WindowHandle h) { return {rectOf(h).left, rectOf(h).top}; }

// ---------------------------------------------------------------- re-fit

TEST_F(Gather, RefitAfterNarrowingFromTheRightmostScreen) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.moveViewTo(4096, 1536);
    desk.snapshotWindows();
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 3;
    desk.importSettings(&image);
    EXPECT_EQ(desk.virtualWidth, 3072);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(rectOf(w).left, 624);
    EXPECT_EQ(rectOf(w).top, 100);
    EXPECT_EQ(rectOf(w).right, 1024);
    EXPECT_EQ(rectOf(w).bottom, 400);
}

TEST_F(Gather, GrowingTheDesktopMovesNothing) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.snapshotWindows();
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 7;
    image.vScale = 6;
    desk.importSettings(&image);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_EQ(desk.viewX, 2048);
}

TEST_F(Gather, ShrinkingOnlyTheHeightPullsLowWindowsUpAndKeepsX) {
    platform::WindowHandle low = addWindow(300, 2000, 200, 100);  // below the new bottom
    platform::WindowHandle inside = addWindow(300, 100, 200, 100);
    VirtualDesk desk;  // view (2048, 1536)
    SettingsImage image;
    desk.exportSettings(&image);
    image.vScale = 3;  // height 2304; view y = min(1536, 1536) = 1536 -> rows -1536 .. 768
    desk.importSettings(&image);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(rectOf(low).left, 300);
    EXPECT_EQ(rectOf(low).bottom, 768);
    EXPECT_EQ(rectOf(inside).left, 300);
    EXPECT_EQ(rectOf(inside).top, 100);
    EXPECT_EQ(sim::window(inside)->moveCount, 1);  // moved in place
}

TEST_F(Gather, RefitMovesEveryVisibleWindowButThoseOfTheScreen) {
    sim::SimWindow minimized;
    minimized.title = "m";
    minimized.className = "C";
    minimized.showCmd = platform::kShowMinimized;
    minimized.normal = {0, 0, 10, 10};
    minimized.rect = {-32000, -32000, -31840, -31970};
    platform::WindowHandle m = sim::addWindow(minimized);
    platform::WindowHandle tray = addTaskbar({0, 738, 1024, 768});
    platform::WindowHandle nav = addWindow(0, 0, 200, 150, "Wideroom Navigator", "#32770");
    sim::SimWindow hidden;
    hidden.title = "h";
    hidden.className = "C";
    hidden.visible = false;
    hidden.normal = hidden.rect = {-9000, 0, -8000, 100};
    platform::WindowHandle h = sim::addWindow(hidden);
    VirtualDesk desk;
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 1;
    image.vScale = 1;
    desk.importSettings(&image);
    EXPECT_EQ(desk.viewX, 0);
    EXPECT_EQ(desk.viewY, 0);
    // The taskbar belongs to the screen, not to the desktop: left alone
    // (tests/test_screen_windows.cpp has every such window).
    EXPECT_EQ(sim::window(tray)->moveCount, 0);
    EXPECT_EQ(sim::window(nav)->moveCount, 1);
    EXPECT_EQ(sim::window(m)->moveCount, 1);
    EXPECT_EQ(topLeft(m).x, 0);  // its reported rectangle treated like any other
    EXPECT_EQ(topLeft(m).y, 0);
    EXPECT_EQ(sim::window(h)->moveCount, 0);
}

TEST_F(Gather, PageModeImportWithUnchangedScalesSnapsTheView) {
    VirtualDesk desk;
    desk.moveViewTo(1500, 1536);
    SettingsImage image;
    desk.exportSettings(&image);
    image.pageMode = 1;
    desk.importSettings(&image);
    EXPECT_EQ(desk.viewX, 1024);
    EXPECT_EQ(desk.viewY, 1536);
}

TEST_F(Gather, LoweringHScaleFromFiveToThreeRefitsRaisingToSevenDoesNot) {
    platform::WindowHandle far = addWindow(2500, 100, 100, 100);  // beyond 3 screens' right edge
    VirtualDesk desk;
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 7;
    desk.importSettings(&image);
    EXPECT_EQ(sim::window(far)->moveCount, 0);
    image.hScale = 3;
    desk.importSettings(&image);
    EXPECT_GT(sim::window(far)->moveCount, 0);
    EXPECT_LE(rectOf(far).right, desk.virtualWidth - desk.viewX);
}

// ---------------------------------------------------------------- gathering

TEST_F(Gather, TheFourExamplesWithABottomTaskbar) {
    addTaskbar({-2, 738, 1026, 770});
    platform::WindowHandle right = addWindow(3000, 200, 400, 300);
    platform::WindowHandle upLeft = addWindow(-2000, -1500, 400, 300);
    platform::WindowHandle low = addWindow(100, 700, 400, 200);
    platform::WindowHandle max = addMaximized({3000, 3000, 4032, 3740});
    VirtualDesk desk;
    desk.setFrameInset(4);
    EXPECT_EQ(desk.gatherWindows(), 0);
    EXPECT_EQ(topLeft(right).x, 624);
    EXPECT_EQ(topLeft(right).y, 200);
    EXPECT_EQ(topLeft(upLeft).x, 0);
    EXPECT_EQ(topLeft(upLeft).y, 0);
    EXPECT_EQ(topLeft(low).x, 100);
    EXPECT_EQ(topLeft(low).y, 538);
    EXPECT_EQ(topLeft(max).x, -4);
    EXPECT_EQ(topLeft(max).y, -4);
    EXPECT_EQ(rectOf(max).right - rectOf(max).left, 1032);  // size kept
}

TEST_F(Gather, ClearsTheTableButNotTheCount) {
    addWindow(10, 10, 10, 10);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 1);
    desk.gatherWindows();
    EXPECT_EQ(desk.windowCount, 1);
    static const WindowEntry zero[kMaxWindows] = {};
    EXPECT_EQ(std::memcmp(desk.windows, zero, sizeof zero), 0);
}

TEST_F(Gather, NoTaskbarMeansNoMargins) {
    platform::WindowHandle max = addMaximized({0, 0, 10, 10});
    platform::WindowHandle low = addWindow(100, 740, 100, 100);
    VirtualDesk desk;
    desk.setFrameInset(8);
    desk.gatherWindows();
    EXPECT_EQ(topLeft(max).x, -8);
    EXPECT_EQ(topLeft(max).y, -8);
    EXPECT_EQ(topLeft(low).y, 668);  // 740 > 718: bottom on 768
}

TEST_F(Gather, TaskbarAtTheTop) {
    addTaskbar({0, 0, 1024, 30});
    platform::WindowHandle max = addMaximized({0, 0, 10, 10});
    platform::WindowHandle high = addWindow(100, 10, 100, 100);
    platform::WindowHandle ok = addWindow(100, 30, 100, 100);
    VirtualDesk desk;
    desk.setFrameInset(4);
    desk.gatherWindows();
    EXPECT_EQ(topLeft(max).x, -4);
    EXPECT_EQ(topLeft(max).y, 26);
    EXPECT_EQ(topLeft(high).y, 30);
    EXPECT_EQ(topLeft(ok).y, 30);
}

TEST_F(Gather, TaskbarAtTheRight) {
    addTaskbar({964, 0, 1024, 768});
    platform::WindowHandle far = addWindow(990, 100, 200, 100);
    platform::WindowHandle keep = addWindow(914, 100, 200, 100);  // L = 914 = 1024 - 60 - 50
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(far).x, 1024 - 60 - 200);
    EXPECT_EQ(topLeft(keep).x, 914);
}

TEST_F(Gather, TaskbarAtTheLeft) {
    addTaskbar({0, 0, 60, 768});
    platform::WindowHandle offLeft = addWindow(-500, 100, 200, 100);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(offLeft).x, 60);
    EXPECT_EQ(topLeft(offLeft).y, 100);
}

TEST_F(Gather, RightEdgeExactlyAtLeftMarginPlus50GoesToTheMargin) {
    addTaskbar({0, 0, 60, 768});
    platform::WindowHandle at = addWindow(10, 100, 100, 100);      // R = 110 = 60 + 50
    platform::WindowHandle beyond = addWindow(11, 100, 100, 100);  // R = 111
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(at).x, 60);
    EXPECT_EQ(topLeft(beyond).x, 11);
}

TEST_F(Gather, NoTaskbarRightEdgeExactlyFiftyGoesToZero) {
    platform::WindowHandle at = addWindow(-50, 0, 100, 100);      // R = 50
    platform::WindowHandle beyond = addWindow(-49, 0, 100, 100);  // R = 51
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(at).x, 0);
    EXPECT_EQ(topLeft(beyond).x, -49);
}

TEST_F(Gather, LeftEdgeAndTopAtTheirSlackLimits) {
    platform::WindowHandle l974 = addWindow(974, 0, 100, 100);  // kept
    platform::WindowHandle l975 = addWindow(975, 0, 100, 100);  // right edge on 1024
    platform::WindowHandle t718 = addWindow(0, 718, 100, 100);  // kept
    platform::WindowHandle t719 = addWindow(0, 719, 100, 100);  // bottom on 768
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(l974).x, 974);
    EXPECT_EQ(topLeft(l975).x, 924);
    EXPECT_EQ(topLeft(t718).y, 718);
    EXPECT_EQ(topLeft(t719).y, 668);
}

TEST_F(Gather, TallWindowNearTheBottomGetsItsTopAboveTheScreen) {
    addTaskbar({-2, 738, 1026, 770});
    platform::WindowHandle tall = addWindow(0, 700, 100, 1000);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(tall).y, 738 - 1000);
}

TEST_F(Gather, LaterTaskbarOverwritesTheMarginsItsRulesSet) {
    addTaskbar({-2, 738, 1026, 770});  // bottom 30
    addTaskbar({-2, 718, 1026, 770});  // bottom 50
    platform::WindowHandle low = addWindow(0, 700, 100, 100);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(low).y, 768 - 50 - 100);
}

TEST_F(Gather, HiddenTaskbarStillSetsTheMargins) {
    sim::SimWindow bar;
    bar.className = "Shell_TrayWnd";
    bar.visible = false;
    bar.normal = bar.rect = {-2, 738, 1026, 770};
    sim::addWindow(bar);
    platform::WindowHandle low = addWindow(0, 700, 100, 100);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(low).y, 768 - 30 - 100);
}

TEST_F(Gather, FixedAndTooltipWindowsAreGatheredButTheNavigatorAndShellAreNot) {
    platform::WindowHandle fixedW = addWindow(5000, 100, 100, 100, "memo", "Notepad");
    platform::WindowHandle tip = addWindow(5000, 100, 100, 100, "", "tooltips_class32");
    platform::WindowHandle nav = addWindow(5000, 100, 100, 100, "Wideroom Navigator", "#32770");
    platform::WindowHandle progman = addWindow(5000, 100, 100, 100, "Program Manager", "Progman");
    platform::WindowHandle basebar = addWindow(5000, 100, 100, 100, "", "BaseBar");
    platform::WindowHandle worker = addWindow(5000, 100, 100, 100, "", "WorkerW");
    VirtualDesk desk;
    std::strcpy(desk.fixedWindows.entries[0].className, "Notepad");
    std::strcpy(desk.fixedWindows.entries[0].title, "memo");
    desk.gatherWindows();
    EXPECT_EQ(topLeft(fixedW).x, 924);
    EXPECT_EQ(topLeft(tip).x, 924);
    EXPECT_EQ(topLeft(nav).x, 5000);
    EXPECT_EQ(topLeft(progman).x, 5000);
    EXPECT_EQ(topLeft(basebar).x, 5000);
    EXPECT_EQ(topLeft(worker).x, 5000);
}

TEST_F(Gather, MinimizedAndEmptyRestoredWindowsAreLeftAlone) {
    sim::SimWindow min;
    min.title = "m";
    min.className = "C";
    min.showCmd = platform::kShowMinimized;
    min.normal = {0, 0, 100, 100};
    min.rect = {-32000, -32000, -31840, -31970};
    platform::WindowHandle m = sim::addWindow(min);
    sim::SimWindow flat;
    flat.title = "f";
    flat.className = "C";
    flat.normal = {5000, 0, 5000, 100};
    flat.rect = {5000, 0, 5100, 100};
    platform::WindowHandle f = sim::addWindow(flat);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(sim::window(m)->moveCount, 0);
    EXPECT_EQ(sim::window(f)->moveCount, 0);
}

TEST_F(Gather, MaximizedWindowsAreGatheredEvenWhenNotMovedWhileScrolling) {
    platform::WindowHandle max = addMaximized({5000, 0, 6032, 740});
    VirtualDesk desk;
    desk.moveMaximized = 0;
    desk.setFrameInset(4);
    desk.gatherWindows();
    EXPECT_EQ(topLeft(max).x, -4);
}

TEST_F(Gather, RefusingWindowDoesNotStrandTheWindowsBelowIt) {
    platform::WindowHandle above = addWindow(5000, 100, 100, 100);
    platform::WindowHandle refusing = addWindow(5000, 200, 100, 100);
    platform::WindowHandle below1 = addWindow(-5000, 300, 100, 100);
    platform::WindowHandle max = addMaximized({5000, 5000, 6032, 5740});
    platform::WindowHandle below2 = addWindow(100, 5000, 100, 100);
    sim::window(refusing)->refuseMove = true;
    VirtualDesk desk;
    EXPECT_EQ(desk.gatherWindows(), 4001);
    EXPECT_EQ(topLeft(above).x, 924);
    EXPECT_EQ(topLeft(refusing).x, 5000);
    EXPECT_EQ(topLeft(below1).x, 0);
    EXPECT_EQ(topLeft(max).x, 0);
    EXPECT_EQ(topLeft(below2).y, 668);
}

TEST_F(Gather, RefusedMaximizedMoveIsIgnored) {
    platform::WindowHandle max = addMaximized({5000, 5000, 6032, 5740});
    platform::WindowHandle w = addWindow(5000, 0, 100, 100);
    sim::window(max)->refuseMove = true;
    VirtualDesk desk;
    EXPECT_EQ(desk.gatherWindows(), 0);
    EXPECT_EQ(topLeft(w).x, 924);
}

TEST_F(Gather, DoesNotTouchTheView) {
    addWindow(5000, 0, 100, 100);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
}

}  // namespace
