// The classes and styles of windows that belong to the screen.
#include "engine/screen_windows.h"

#include <cstring>

#include "engine/virtual_desk.h"

namespace {

// Exact class names, as the shell and the window manager register them.
constexpr const char* kScreenClasses[] = {
    "Shell_TrayWnd",                        // the taskbar of the main monitor
    "Shell_SecondaryTrayWnd",               // the taskbar of every other monitor
    "#32768",                               // an open menu
    "Ghost",                                // the stand-in for a window that stopped answering
    "SysShadow",                            // a menu's or a window's drop shadow
    "Windows.UI.Core.CoreWindow",           // the start menu, search, the action centre
    "XamlExplorerHostIslandWindow",         // the shell's task view and flyouts
    "Shell_InputSwitchTopLevelWindow",      // the input language switcher
    "NotifyIconOverflowWindow",             // the tray's overflow area
    "TopLevelWindowForOverflowXamlIsland",  // the same, of the newer taskbar
    "IME",                                  // the input method's default window
    "MSCTFIME UI",                          // the text services' input method window
};

}  // namespace

namespace screen_windows {

bool isScreenClass(const char* className) {
    for (const char* c : kScreenClasses) {
        if (std::strcmp(className, c) == 0) return true;
    }
    return false;
}

bool isOverlay(uint32_t exStyle) {
    if ((exStyle & platform::kExTopmost) == 0) return false;
    // Drawn over everything and clicked through: it shows, it is not used.
    const uint32_t clickThrough = platform::kExLayered | platform::kExTransparent;
    if ((exStyle & clickThrough) == clickThrough) return true;
    // A widget that never takes the focus and has no taskbar button.
    const uint32_t widget = platform::kExToolWindow | platform::kExNoActivate;
    return (exStyle & widget) == widget;
}

bool belongsToScreen(const char* className, uint32_t exStyle) {
    return isScreenClass(className) || isOverlay(exStyle);
}

bool leftAlone(platform::WindowHandle window, const char* className, bool* topmostBand) {
    if (isScreenClass(className)) return true;
    if (topmostBand != nullptr && !*topmostBand) return false;
    const uint32_t exStyle = platform::getExtendedStyle(window);
    if (topmostBand != nullptr && (exStyle & platform::kExTopmost) == 0) *topmostBand = false;
    return isOverlay(exStyle);
}

bool leftAlone(platform::WindowHandle window) {
    char className[kTitleSize];
    className[0] = '\0';
    platform::getClassName(window, className, kTitleSize);
    className[kTitleSize - 1] = '\0';
    return leftAlone(window, className);
}

}  // namespace screen_windows
