// The in-memory dialog behind platform/dialog.h, for tests: controls found by
// dialog and id, trackbars that keep their position within their range,
// texts, checks, list boxes with their lines and selection, recorded message
// boxes, and the sizes of the program's own windows. Top-level windows are
// the in-memory desktop's (sim_desktop.h); child windows live here. Never
// shipped.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"

namespace sim {

struct SimControl {
    std::string text;  // UTF-8
    // Trackbar range and position, as a new trackbar has them.
    int low = 0;
    int high = 100;
    int pos = 0;
    bool checked = false;
    std::vector<std::string> lines;  // list box, UTF-8
    int selection = -1;
    int marks = 0;  // markControl calls: the field was marked to be mended
};

struct MessageBoxRecord {
    platform::WindowHandle owner;
    std::string text;
    std::string caption;
};

// Forgets every control, message box, child window and window size.
void resetDialogs();

// The control, created empty on first use.
SimControl& control(platform::WindowHandle dialog, int id);
bool hasControl(platform::WindowHandle dialog, int id);

// What the user does: drag a trackbar (held within its range), pick a line
// (-1: none).
void dragTrackbar(platform::WindowHandle dialog, int id, int pos);
void selectLine(platform::WindowHandle dialog, int id, int index);

std::vector<MessageBoxRecord>& messageBoxes();

// Outer size minus client size of a top-level window (its frame); 0 x 0
// unless set.
void setFrameSize(platform::WindowHandle window, int width, int height);
// A child window with the given rectangle; the handle is not in the Z order.
platform::WindowHandle addChildWindow(platform::Rect rect);
platform::Rect childRect(platform::WindowHandle child);

bool isTopmost(platform::WindowHandle window);
bool isDestroyed(platform::WindowHandle window);

}  // namespace sim
