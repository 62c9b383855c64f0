// The tests that the snapshot and the gathering share, in the order both make
// them: read the title, require a real restored rectangle, leave out the
// navigator, read the class name, leave out the shell's windows and those
// that belong to the screen.
#pragma once

#include <cstring>

#include "engine/screen_windows.h"
#include "engine/virtual_desk.h"
#include "platform/desktop.h"

// The snapshot leaves out all five; the gathering only the first four.
// "Progman" and "WorkerW" are the shell's desktop (the wallpaper and the
// icons): moving them would scroll the desktop itself away.
constexpr const char* kShellClasses[] = {"BaseBar", "Shell_TrayWnd", "Progman", "WorkerW",
                                         "tooltips_class32"};
constexpr int kSnapshotShellClasses = 5;
constexpr int kGatherShellClasses = 4;
// The shell's desktop windows: the first two from here.
constexpr int kFirstDesktopClass = 2;
constexpr int kDesktopClasses = 2;

// Fills title and className (kTitleSize bytes each; the class name only when
// the earlier tests pass) and tells whether the window passes. A walk down the
// Z order may pass topmostBand (see screen_windows::leftAlone).
inline bool readOrdinaryWindow(platform::WindowHandle window, const platform::Placement& placement,
                               int shellClasses, char* title, char* className, bool* topmostBand = nullptr) {
    title[0] = '\0';
    platform::getWindowText(window, title, kTitleSize);
    title[kTitleSize - 1] = '\0';
    if (placement.normal.left == placement.normal.right || placement.normal.top == placement.normal.bottom)
        return false;
    if (std::strcmp(title, kNavigatorTitle) == 0) return false;
    className[0] = '\0';
    platform::getClassName(window, className, kTitleSize);
    className[kTitleSize - 1] = '\0';
    for (int i = 0; i < shellClasses; ++i) {
        if (std::strcmp(className, kShellClasses[i]) == 0) return false;
    }
    // Nor one that belongs to the screen (taskbars, menus, overlays).
    return !screen_windows::leftAlone(window, className, topmostBand);
}
