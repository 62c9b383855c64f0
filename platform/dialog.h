// The operations the settings dialog needs of its controls and of the
// program's own windows. Text crosses this seam as UTF-8; the Win32 backend
// shows it through the wide calls, so it reads right whatever the ANSI code
// page. Free functions; the backend (platform/win32 or platform/sim) is chosen
// at link time.
#pragma once

#include <string>

#include "platform/desktop.h"

namespace platform {

// --- control text ------------------------------------------------------------
bool setControlText(WindowHandle dialog, int id, const char* utf8);
// The control's text as UTF-8, terminated, at most size - 1 bytes; empty when
// the control has none. Returns the number of bytes stored.
int getControlText(WindowHandle dialog, int id, char* buf, int size);

// --- trackbars ---------------------------------------------------------------
// The trackbar keeps its position within its range: a position set outside
// it, or a range that no longer holds the position, leaves it at the nearer
// end.
bool setTrackbarRange(WindowHandle dialog, int id, int low, int high);
bool setTrackbarPos(WindowHandle dialog, int id, int pos);
int getTrackbarPos(WindowHandle dialog, int id);

// --- spin buttons (up-down controls) ------------------------------------------
// The range of the numbers the spin buttons step through in their edit.
bool setSpinRange(WindowHandle dialog, int id, int low, int high);

// --- check boxes and radio buttons ---------------------------------------------
bool setChecked(WindowHandle dialog, int id, bool checked);
bool isChecked(WindowHandle dialog, int id);

// --- list boxes (unsorted, single selection) -----------------------------------
// Inserts at index (0 to count; -1 appends). Returns the line's index, -1 on
// failure.
int listInsert(WindowHandle dialog, int id, int index, const char* utf8);
// Returns the number of lines left, -1 when there is no such line.
int listDelete(WindowHandle dialog, int id, int index);
bool listReset(WindowHandle dialog, int id);
int listSelection(WindowHandle dialog, int id);           // -1 when none
bool listSelect(WindowHandle dialog, int id, int index);  // -1: none
int listCount(WindowHandle dialog, int id);

// --- marking a field ----------------------------------------------------------
// The input focus on the control, its text selected: the field to mend.
bool markControl(WindowHandle dialog, int id);

// --- message box -------------------------------------------------------------
// A modal box owned by `owner` with an OK button and the warning icon.
int warningBox(WindowHandle owner, const char* textUtf8, const char* captionUtf8);

// --- text from the window manager -----------------------------------------------
// Controls are found in the dialog or on the pages (child dialogs) of a
// tabbed one.
// Titles and class names come as bytes of the narrow (ANSI) code page; this
// turns the first `length` bytes (fewer at a terminator) into UTF-8.
std::string narrowToUtf8(const char* text, int length);

// --- the program's own windows -------------------------------------------------
// The client area, origin (0, 0).
bool getClientRect(WindowHandle window, Rect* rect);
// New outer size, top-left corner kept. `topmost` also places it above every
// window that is not topmost; otherwise the Z order is kept.
bool resizeWindow(WindowHandle window, int width, int height, bool topmost);
bool destroyWindow(WindowHandle window);

}  // namespace platform
