// The windows the companion's state lists and its go command searches: the
// ones the view moves (shown normally, or maximized while those are moved,
// not the navigator or the shell's), those it leaves alone on purpose (fixed)
// and those it cannot move now, topmost first, each with where it stands and
// where it lies on the virtual desktop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/desktop.h"

class VirtualDesk;

struct ListedWindow {
    platform::WindowHandle handle = 0;
    std::string title;  // UTF-8
    std::string className;
    std::string program;  // the image's file name
    int32_t x = 0;        // on the screen
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t virtualX = 0;  // on the virtual desktop
    int32_t virtualY = 0;
    const char* state = "normal";
};

// What the view does with the window, by name: "normal" (moves with the
// view), "fixed" (in the fixed-window list), "hung" (its program does not
// answer), "refusing" (its program does not let it move). The one place that
// names a window's state.
const char* windowStateName(const VirtualDesk& desk, platform::WindowHandle window, bool fixed);

// Takes the window table afresh and lists the windows above into *out.
// Returns how many.
int listWindows(VirtualDesk* desk, std::vector<ListedWindow>* out);
