// The gathering's placement rules, shared by the gathering at exit and the
// recovery of windows after a run that did not end normally.
#pragma once

#include <cstdint>
#include <cstring>

#include "engine/top_windows.h"
#include "platform/desktop.h"

namespace gather_rules {

constexpr int kSlack = 50;
constexpr const char* kTaskbarClass = "Shell_TrayWnd";

// Calls f with the rectangle of every window of the taskbar class, visible
// or not, topmost first.
template <typename F>
void forEachTaskbar(F f) {
    constexpr int kClassSize = 64;
    char className[kClassSize];
    TopWindows list;
    list.take();
    for (const platform::WindowHandle window : list) {
        className[0] = '\0';
        platform::getClassName(window, className, kClassSize);
        className[kClassSize - 1] = '\0';
        if (std::strcmp(className, kTaskbarClass) != 0) continue;
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        f(r);
    }
}

// The work area's margins: the screen without the taskbars docked at its edges.
struct Margins {
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t left = 0;
    int32_t right = 0;
};

// The margins that the taskbar rectangle r (relative to the screen's
// top-left corner) sets.
void addTaskbar(Margins* m, const platform::Rect& r, int32_t screenWidth, int32_t screenHeight);

// The top-left corner at which a normal window of rectangle r is gathered
// into the work area `work`.
platform::Point normalPosition(const platform::Rect& work, const platform::Rect& r);

// Places a normal window standing at r as the gathering does, its size kept:
// true when the platform took the move.
bool placeGathered(platform::WindowHandle window, const platform::Rect& r, const platform::Rect& work);

}  // namespace gather_rules
