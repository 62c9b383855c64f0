// Application-wide state of the shell, one of each, on the one UI thread.
#pragma once

#include <windows.h>

#include <cstdint>

#include "platform/desktop.h"
#include "store/options.h"

class VirtualDesk;
class NaviTip;

extern HINSTANCE instance;
extern VirtualDesk* desk;
extern HWND mainWindow;
extern HWND navFrame;
extern HWND mapPane;
extern NaviTip* naviTip;
extern int32_t running;
extern int32_t settingsOpen;
extern HWND settingsDialog;
extern int32_t viewDragLatch;
extern int32_t windowDragLatch;
// The options in force: read from "Wideroom.ini" at start-up, changed by the
// options dialog's OK, written by the settings dialog's save.
extern Options appOptions;

inline platform::WindowHandle handleOf(HWND w) { return reinterpret_cast<platform::WindowHandle>(w); }
inline HWND hwndOf(platform::WindowHandle h) { return reinterpret_cast<HWND>(h); }
