// The shell's application-wide state. The map pane's two button latches live
// with the map's pointer handling.
#include "app/shell.h"

HINSTANCE instance = nullptr;
VirtualDesk* desk = nullptr;
HWND mainWindow = nullptr;
HWND navFrame = nullptr;
HWND mapPane = nullptr;
NaviTip* naviTip = nullptr;
int32_t running = 1;
int32_t settingsOpen = 0;
HWND settingsDialog = nullptr;
Options appOptions;
