// Windows that belong to the screen (taskbars, menus, stand-ins for hung
// windows, shadows, the shell's flyouts, IME windows, overlays) stay where they
// are: the table, the map, the re-fit and the gathering leave them alone.
//
// The classes are those the shell and the window manager register; the style
// rules follow the extended window styles
// (https://learn.microsoft.com/en-us/windows/win32/winmsg/extended-window-styles):
// WS_EX_TOPMOST with WS_EX_LAYERED | WS_EX_TRANSPARENT (drawn over everything,
// clicks pass through), or WS_EX_TOPMOST with WS_EX_TOOLWINDOW |
// WS_EX_NOACTIVATE (never activated, no taskbar button).
#include "engine/screen_windows.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

constexpr uint32_t kTop = platform::kExTopmost;
constexpr uint32_t kLayered = platform::kExLayered;
constexpr uint32_t kClickThrough = platform::kExTransparent;
constexpr uint32_t kTool = platform::kExToolWindow;
constexpr uint32_t kNoActivate = platform::kExNoActivate;

struct ScreenRow {
    const char* what;
    const char* className;
    uint32_t exStyle;
    bool leftAlone;
};

const ScreenRow kRows[] = {
    {"the main taskbar", "Shell_TrayWnd", 0, true},
    {"the taskbar of another monitor", "Shell_SecondaryTrayWnd", 0, true},
    {"an open menu", "#32768", kTop, true},
    {"the stand-in of a hung window", "Ghost", 0, true},
    {"a drop shadow", "SysShadow", kTop | kLayered | kClickThrough, true},
    {"the start menu and search", "Windows.UI.Core.CoreWindow", 0, true},
    {"the shell's flyouts", "XamlExplorerHostIslandWindow", 0, true},
    {"the input switcher", "Shell_InputSwitchTopLevelWindow", 0, true},
    {"the tray's overflow", "NotifyIconOverflowWindow", kTop | kTool, true},
    {"the newer tray's overflow", "TopLevelWindowForOverflowXamlIsland", 0, true},
    {"the default IME window", "IME", 0, true},
    {"the text services' IME window", "MSCTFIME UI", 0, true},
    {"a click-through overlay", "OverlayClass", kTop | kLayered | kClickThrough, true},
    {"an on-screen widget", "WidgetClass", kTop | kTool | kNoActivate, true},
    {"an ordinary window", "Notepad", 0, false},
    {"a window the user made topmost", "Notepad", kTop, false},
    {"a topmost tool window that can be activated", "Palette", kTop | kTool, false},
    {"a layered window clicks reach", "Fader", kTop | kLayered, false},
    {"a click-through window that is not topmost", "Fader", kLayered | kClickThrough, false},
    {"a widget that is not topmost", "WidgetClass", kTool | kNoActivate, false},
    {"a class that only begins like a taskbar's", "Shell_TrayWnd2", 0, false},
    {"a class in other case", "ghost", 0, false},
    {"an empty class", "", 0, false},
};

class ScreenWindows : public DeskTest {};

platform::WindowHandle addStyled(const ScreenRow& row, int x, int y) {
    const platform::WindowHandle h = sim::addWindow(row.what, row.className, x, y, 300, 200);
    sim::window(h)->exStyle = row.exStyle;
    return h;
}

bool inTable(const VirtualDesk& desk, platform::WindowHandle h) {
    for (int i = 0; i < desk.windowCount; ++i) {
        if (desk.windows[i].window == h) return true;
    }
    return false;
}

// Every row's window, topmost ones first as the window manager stacks them.
std::vector<platform::WindowHandle> addAllRows(int x, int y) {
    std::vector<platform::WindowHandle> handles(std::size(kRows));
    for (bool topmost : {true, false}) {
        for (size_t i = 0; i < std::size(kRows); ++i) {
            if (((kRows[i].exStyle & kTop) != 0) == topmost) handles[i] = addStyled(kRows[i], x, y);
        }
    }
    return handles;
}

}  // namespace

TEST(ScreenWindowRules, ClassAndStyleDecide) {
    for (const ScreenRow& row : kRows) {
        EXPECT_EQ(screen_windows::belongsToScreen(row.className, row.exStyle), row.leftAlone) << row.what;
    }
}

TEST_F(ScreenWindows, TheSnapshotLeavesThemOutAndScrollingLeavesThemWhereTheyAre) {
    const std::vector<platform::WindowHandle> handles = addAllRows(100, 100);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.moveViewBy(64, 0), 0);
    for (size_t i = 0; i < handles.size(); ++i) {
        EXPECT_EQ(inTable(desk, handles[i]), !kRows[i].leftAlone) << kRows[i].what;
        EXPECT_EQ(rectOf(handles[i]).left, kRows[i].leftAlone ? 100 : 36) << kRows[i].what;
    }
}

TEST_F(ScreenWindows, TheGatheringLeavesThemOffTheScreen) {
    const std::vector<platform::WindowHandle> handles = addAllRows(3000, 100);
    VirtualDesk desk;
    desk.gatherWindows();
    for (size_t i = 0; i < handles.size(); ++i)
        EXPECT_EQ(rectOf(handles[i]).left, kRows[i].leftAlone ? 3000 : 724) << kRows[i].what;
}

// Below the first window without the topmost flag no style is asked: the
// walk asks one style per topmost window and one more.
TEST_F(ScreenWindows, StylesAreAskedOnlyInTheTopmostBand) {
    for (int i = 0; i < 3; ++i) sim::window(addWindow(100, 100, 300, 200))->exStyle = kTop;
    for (int i = 0; i < 20; ++i) addWindow(100, 100, 300, 200);
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::resetCallCount();
    desk.snapshotWindows();
    const long withBand = sim::callCount();
    // The same walk with every window asked (the band never closes).
    sim::reset();
    for (int i = 0; i < 23; ++i) sim::window(addWindow(100, 100, 300, 200))->exStyle = kTop;
    VirtualDesk all;
    all.snapshotWindows();
    sim::resetCallCount();
    all.snapshotWindows();
    EXPECT_EQ(sim::callCount() - withBand, 23 - 4);
}

TEST_F(ScreenWindows, AMaximizedOneIsNotGatheredEither) {
    sim::SimWindow w;
    w.title = "";
    w.className = "Ghost";
    w.showCmd = platform::kShowMaximized;
    w.normal = {100, 100, 500, 400};
    w.rect = {3000, -8, 4040, 776};
    const platform::WindowHandle ghost = sim::addWindow(w);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(rectOf(ghost).left, 3000);
}

TEST_F(ScreenWindows, TheRefitLeavesThemWhereTheyAre) {
    const std::vector<platform::WindowHandle> handles = addAllRows(9000, 100);
    VirtualDesk desk;
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 3;
    desk.importSettings(&image);
    for (size_t i = 0; i < handles.size(); ++i) {
        // The desktop now ends 3072 - 2048 = 1024 pixels right of the screen.
        EXPECT_EQ(rectOf(handles[i]).left, kRows[i].leftAlone ? 9000 : 724) << kRows[i].what;
    }
}
