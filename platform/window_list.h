// The list of top-level windows, read from the window manager in one go.
#pragma once

#include "platform/desktop.h"

namespace platform {

// The top-level windows, topmost first, read at once (not one at a time: the
// Z order may change between two readings): the first `capacity` of them
// into `out`. Returns how many there are, which may exceed `capacity`.
int topLevelWindows(WindowHandle* out, int capacity);

}  // namespace platform
