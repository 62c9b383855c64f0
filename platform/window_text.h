// What the companion's state shows of a window, as UTF-8: its title and class
// read as Unicode (the window table's narrow bytes lose what the code page
// cannot hold) and the file name of its program's image.
#pragma once

#include "platform/desktop.h"

namespace platform {

// Each fills buf with terminated UTF-8 text of at most size - 1 bytes (cut at
// a character's start) and returns its length; empty and 0 when nothing can
// be read.
int windowTitleUtf8(WindowHandle window, char* buf, int size);
int windowClassUtf8(WindowHandle window, char* buf, int size);
// The file name of the program's image ("notepad.exe"), without its folder.
int windowProgramUtf8(WindowHandle window, char* buf, int size);

}  // namespace platform
