// A window's class read as Unicode, as UTF-8, for the companion's state (the
// window table's narrow bytes lose what the code page cannot hold). The title
// and the program's file name are getWindowTextUtf8 and windowProgram of
// platform/desktop.h.
#pragma once

#include "platform/desktop.h"

namespace platform {

// Fills buf with terminated UTF-8 text of at most size - 1 bytes (cut at a
// character's start) and returns its length; empty and 0 when nothing can be
// read.
int windowClassUtf8(WindowHandle window, char* buf, int size);

}  // namespace platform
