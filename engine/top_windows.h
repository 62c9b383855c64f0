// The top-level windows of one walk, read from the window manager at once,
// topmost first, each window once. A walk that asks for the next window one
// at a time goes astray when windows are restacked under it (a busy program
// carrying out our moves late): it passes some over and meets others twice,
// and a window passed over misses that pass's view move for good.
#pragma once

#include "platform/window_list.h"

// Far more than a desktop holds (hidden windows included): a list that could
// not take them all keeps the topmost.
constexpr int kMaxTopWindows = 4096;

class TopWindows {
public:
    // Reads the list. False when there were more windows than it holds.
    bool take();
    const platform::WindowHandle* begin() const { return list; }
    const platform::WindowHandle* end() const { return list + count; }
    int size() const { return count; }

private:
    platform::WindowHandle list[kMaxTopWindows];
    platform::WindowHandle sorted[kMaxTopWindows];  // for the duplicate test
    int count = 0;
};
