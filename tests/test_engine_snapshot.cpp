// The window table snapshot.
#include <cstring>
#include <string>

#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Snapshot : public DeskTest {};

platform::WindowHandle addShown(uint32_t showCmd, platform::Rect normal, platform::Rect rect,
                                const std::string& title = "T", const std::string& cls = "C",
                                bool visible = true) {
    sim::SimWindow w;
    w.title = title;
    w.className = cls;
    w.showCmd = showCmd;
    w.normal = normal;
    w.rect = rect;
    w.visible = visible;
    return sim::addWindow(w);
}

void fix(VirtualDesk& desk, int i, const char* cls, const char* title) {
    std::strcpy(desk.fixedWindows.entries[i].className, cls);
    std::strcpy(desk.fixedWindows.entries[i].title, title);
}

bool inTable(const VirtualDesk& desk, platform::WindowHandle h) {
    for (int i = 0; i < desk.windowCount; ++i)
        if (desk.windows[i].window == h) return true;
    return false;
}

TEST_F(Snapshot, RowsHoldTheOuterRectangleTopmostFirst) {
    platform::WindowHandle a = addWindow(10, 20, 300, 200);
    platform::WindowHandle b = addWindow(-500, 900, 40, 30);
    VirtualDesk desk;
    EXPECT_EQ(desk.snapshotWindows(), 0);
    ASSERT_EQ(desk.windowCount, 2);
    EXPECT_EQ(desk.windows[0].window, a);
    EXPECT_EQ(desk.windows[0].x, 10);
    EXPECT_EQ(desk.windows[0].y, 20);
    EXPECT_EQ(desk.windows[0].width, 300);
    EXPECT_EQ(desk.windows[0].height, 200);
    EXPECT_EQ(desk.windows[1].window, b);
    EXPECT_EQ(desk.windows[1].x, -500);
}

TEST_F(Snapshot, RowsUseTheCurrentRectangleNotTheRestoredOne) {
    platform::WindowHandle m = addShown(platform::kShowMaximized, {100, 100, 500, 400}, {-4, -4, 1028, 740});
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 1);
    EXPECT_EQ(desk.windows[0].window, m);
    EXPECT_EQ(desk.windows[0].x, -4);
    EXPECT_EQ(desk.windows[0].width, 1032);
}

TEST_F(Snapshot, HiddenMinimizedAndOtherShowStatesAreLeftOut) {
    addShown(platform::kShowNormal, {0, 0, 10, 10}, {0, 0, 10, 10}, "hidden", "C", false);
    addShown(platform::kShowMinimized, {0, 0, 10, 10}, {-32000, -32000, -31840, -31970});
    addShown(7, {0, 0, 10, 10}, {0, 0, 10, 10});
    platform::WindowHandle ok = addWindow(0, 0, 10, 10);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 1);
    EXPECT_EQ(desk.windows[0].window, ok);
}

TEST_F(Snapshot, MaximizedWindowsOnlyWhileMoveMaximized) {
    platform::WindowHandle m = addShown(platform::kShowMaximized, {1, 1, 50, 50}, {-4, -4, 1028, 740});
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, m));
    desk.moveMaximized = 0;
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, m));
}

// A window shown normally is restored to where it stands: its own rectangle
// is the one tested.
TEST_F(Snapshot, EmptyRestoredRectangleIsLeftOut) {
    addShown(platform::kShowNormal, {5, 5, 5, 100}, {5, 5, 5, 100});  // no width
    addShown(platform::kShowNormal, {5, 5, 100, 5}, {5, 5, 100, 5});  // no height
    platform::WindowHandle m = addShown(platform::kShowMaximized, {5, 5, 5, 5}, {-4, -4, 1028, 740});
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.windowCount, 0);
    EXPECT_FALSE(inTable(desk, m));
}

TEST_F(Snapshot, NavigatorTitleIsLeftOutButALongerTitleIsNot) {
    addWindow(0, 0, 10, 10, "Wideroom Navigator", "#32770");
    platform::WindowHandle longer = addWindow(0, 0, 10, 10, "Wideroom Navigator 2", "#32770");
    platform::WindowHandle lower = addWindow(0, 0, 10, 10, "wideroom navigator", "#32770");
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 2);
    EXPECT_EQ(desk.windows[0].window, longer);
    EXPECT_EQ(desk.windows[1].window, lower);
}

class ExcludedClass : public DeskTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ExcludedClass, IsLeftOutWhateverItsTitle) {
    addWindow(0, 0, 10, 10, "anything", GetParam());
    addWindow(0, 0, 10, 10, "", GetParam());
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.windowCount, 0);
}

INSTANTIATE_TEST_SUITE_P(Snapshot, ExcludedClass,
                         ::testing::Values("BaseBar", "Shell_TrayWnd", "Progman", "WorkerW",
                                           "tooltips_class32"));

TEST_F(Snapshot, ClassComparisonIsWholeAndCaseSensitive) {
    addWindow(0, 0, 10, 10, "a", "progman");
    addWindow(0, 0, 10, 10, "b", "Shell_TrayWndX");
    addWindow(0, 0, 10, 10, "c", "BaseBa");
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.windowCount, 3);
}

TEST_F(Snapshot, FixedEntryNeedsBothFieldsExactly) {
    platform::WindowHandle memo = addWindow(0, 0, 10, 10, "memo", "Notepad");
    platform::WindowHandle other = addWindow(0, 0, 10, 10, "memo2", "Notepad");
    platform::WindowHandle untitled = addWindow(0, 0, 10, 10, "", "Notepad");
    platform::WindowHandle sameTitle = addWindow(0, 0, 10, 10, "memo", "Other");
    VirtualDesk desk;
    fix(desk, 19, "Notepad", "memo");  // the position among the 20 does not matter
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, memo));
    EXPECT_TRUE(inTable(desk, other));
    EXPECT_TRUE(inTable(desk, untitled));
    EXPECT_TRUE(inTable(desk, sameTitle));
}

TEST_F(Snapshot, FixedEntryWithEmptyTitleMatchesOnlyUntitledWindowsOfItsClass) {
    platform::WindowHandle titled = addWindow(0, 0, 10, 10, "x", "Notepad");
    platform::WindowHandle untitled = addWindow(0, 0, 10, 10, "", "Notepad");
    platform::WindowHandle untitledOther = addWindow(0, 0, 10, 10, "", "Other");
    VirtualDesk desk;
    fix(desk, 5, "Notepad", "");
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, titled));
    EXPECT_FALSE(inTable(desk, untitled));
    EXPECT_TRUE(inTable(desk, untitledOther));
}

TEST_F(Snapshot, FreeEntryMatchesNothing) {
    platform::WindowHandle empty = addWindow(0, 0, 10, 10, "", "");
    VirtualDesk desk;  // all 20 entries free
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, empty));
}

TEST_F(Snapshot, FreeEntryWithBytesAfterTheTerminatorsStillMatchesNothing) {
    platform::WindowHandle empty = addWindow(0, 0, 10, 10, "", "");
    VirtualDesk desk;
    std::memset(&desk.fixedWindows.entries[0], 'z', sizeof desk.fixedWindows.entries[0]);
    desk.fixedWindows.entries[0].className[0] = '\0';
    desk.fixedWindows.entries[0].title[0] = '\0';
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, empty));
}

TEST_F(Snapshot, LongTitlesCompareOnTheirFirst63Bytes) {
    const std::string longTitle(100, 'a');
    platform::WindowHandle w = addWindow(0, 0, 10, 10, longTitle, "C");
    VirtualDesk desk;
    fix(desk, 0, "C", std::string(63, 'a').c_str());
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, w));
}

TEST_F(Snapshot, UnterminatedListFieldFromADamagedFileMatchesNothingAndReadsNoFurther) {
    const std::string title(63, 'b');
    platform::WindowHandle w = addWindow(0, 0, 10, 10, title, "C");
    VirtualDesk desk;
    std::memset(desk.fixedWindows.entries[0].title, 'b', 64);  // no terminator in its 64 bytes
    std::strcpy(desk.fixedWindows.entries[0].className, "C");
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, w));
}

TEST_F(Snapshot, RowsPastTheCountAreZeroAfterAShorterPass) {
    std::vector<platform::WindowHandle> hs;
    for (int i = 0; i < 10; ++i) hs.push_back(addWindow(i, i, 10 + i, 10 + i));
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 10);
    for (int i = 0; i < 7; ++i) sim::removeWindow(hs[static_cast<size_t>(i)]);
    EXPECT_EQ(desk.snapshotWindows(), 0);
    ASSERT_EQ(desk.windowCount, 3);
    static const WindowEntry zero = {};
    for (int i = 3; i < kMaxWindows; ++i)
        ASSERT_EQ(std::memcmp(&desk.windows[i], &zero, sizeof zero), 0) << i;
}

TEST_F(Snapshot, Exactly512QualifyingWindowsFillTheTable) {
    for (int i = 0; i < 512; ++i) addWindow(i, 0, 10, 10);
    addShown(platform::kShowMinimized, {0, 0, 10, 10}, {0, 0, 10, 10});  // fails the show-state test
    addShown(platform::kShowNormal, {0, 0, 10, 10}, {0, 0, 10, 10}, "h", "C", false);
    VirtualDesk desk;
    EXPECT_EQ(desk.snapshotWindows(), 0);
    EXPECT_EQ(desk.windowCount, 512);
    EXPECT_EQ(desk.windows[511].x, 511);
}

TEST_F(Snapshot, OneMoreVisibleShownWindowReturns2001AndKeepsTheCount) {
    for (int i = 0; i < 3; ++i) addWindow(i, 0, 10, 10);
    VirtualDesk desk;
    ASSERT_EQ(desk.snapshotWindows(), 0);
    ASSERT_EQ(desk.windowCount, 3);
    for (int i = 3; i < 512; ++i) addWindow(i, 0, 10, 10);
    addWindow(0, 0, 10, 10, "desktop", "Progman");  // would be left out by a later test
    EXPECT_EQ(desk.snapshotWindows(), 2001);
    EXPECT_EQ(desk.windowCount, 3);
    EXPECT_EQ(desk.windows[511].x, 511);  // the first 512 rows are stored
}

TEST_F(Snapshot, CallsOnlyWhatTheAlgorithmStates) {
    addShown(platform::kShowNormal, {0, 0, 10, 10}, {0, 0, 10, 10}, "h", "C", false);  // invisible
    addWindow(0, 0, 10, 10);                                                           // qualifies
    addShown(platform::kShowMinimized, {0, 0, 10, 10}, {0, 0, 10, 10});                // minimized
    addShown(platform::kShowMaximized, {0, 0, 10, 10}, {-4, -4, 1028, 740});           // maximized
    VirtualDesk desk;
    sim::resetCallCount();
    desk.snapshotWindows();
    // The window list 1; invisible: show state; qualifying: show state,
    // rect, title, class, and its extended style (not topmost: the topmost
    // band ends there, no later window is asked); minimized: show state;
    // maximized: show state, rect, placement, title, class.
    EXPECT_EQ(sim::callCount(), 1 + 1 + 5 + 1 + 5);
}

TEST_F(Snapshot, ChangesNothingButTheTable) {
    addWindow(0, 0, 10, 10);
    VirtualDesk desk;
    desk.step = 9;
    desk.mapDirty = 1;
    const int vx = desk.viewX;
    desk.snapshotWindows();
    EXPECT_EQ(desk.step, 9);
    EXPECT_EQ(desk.mapDirty, 1);
    EXPECT_EQ(desk.viewX, vx);
}

}  // namespace
