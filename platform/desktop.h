// The operations the portable core needs of the window manager, the input
// devices, the clock and drawing. Free functions over small project types;
// the backend (platform/win32 or platform/sim) is chosen at link time.
#pragma once

#include <cstdint>

namespace platform {

// Handles are the platform's handles carried as integers (0 = none).
using WindowHandle = std::uintptr_t;
using DrawObject = std::uintptr_t;
using Canvas = std::uintptr_t;

struct Rect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

struct Point {
    int32_t x;
    int32_t y;
};

struct Placement {
    uint32_t showCmd;  // 1 shown normally, 2 minimized, 3 maximized, ...
    Rect normal;       // the restored rectangle
};

constexpr uint32_t kShowNormal = 1;
constexpr uint32_t kShowMinimized = 2;
constexpr uint32_t kShowMaximized = 3;

constexpr int kShowCmdHide = 0;  // for showWindow
constexpr int kShowCmdShow = 5;
// Shown without being activated (SW_SHOWNA): the foreground window and the
// keyboard focus stay where the user has them.
constexpr int kShowCmdShowNoActivate = 8;

constexpr int kKeyLButton = 0x01;
constexpr int kKeyRButton = 0x02;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;

// --- top-level windows -----------------------------------------------------
// The list of top-level windows: platform/window_list.h.
bool isWindowVisible(WindowHandle window);
// The show state of a top-level window, as getWindowPlacement gives it
// (kShowNormal, kShowMinimized, kShowMaximized), or 0 while it is hidden: one
// reading of the window's style, where visibility and placement take five
// round trips to the window system between them.
uint32_t getShowState(WindowHandle window);
bool getWindowPlacement(WindowHandle window, Placement* placement);
// Terminated narrow string in buf (at most size - 1 bytes), empty when none.
int getWindowText(WindowHandle window, char* buf, int size);
int getClassName(WindowHandle window, char* buf, int size);
bool getWindowRect(WindowHandle window, Rect* rect);
// Places the outer rectangle; far off the screen included. True when done
// (or queued without waiting on the window's program).
bool moveWindow(WindowHandle window, int x, int y, int width, int height);
// Position only: size and Z order kept. True when done.
bool setWindowPos(WindowHandle window, int x, int y);
bool showWindow(WindowHandle window, int cmd);
// True while the window's program does not answer messages: such a window
// must not be moved synchronously.
bool isHungWindow(WindowHandle window);
// Sets the rectangle a minimized or maximized window is restored to (screen
// coordinates) and keeps its show state. False for a hidden or hung window.
bool setRestoredRect(WindowHandle window, const Rect& rect);
// True while the window is cloaked: visible to the window walk but shown on
// no screen (another virtual desktop of the system, a suspended app). False
// where the system cannot tell.
bool isWindowCloaked(WindowHandle window);
Rect desktopRect();

// --- what the screen holds besides the desktop's windows --------------------
// Extended style bits (GWL_EXSTYLE) that tell overlays and the like apart.
constexpr uint32_t kExTopmost = 0x00000008;      // WS_EX_TOPMOST
constexpr uint32_t kExTransparent = 0x00000020;  // WS_EX_TRANSPARENT: clicks go through
constexpr uint32_t kExToolWindow = 0x00000080;   // WS_EX_TOOLWINDOW
constexpr uint32_t kExLayered = 0x00080000;      // WS_EX_LAYERED
constexpr uint32_t kExNoActivate = 0x08000000;   // WS_EX_NOACTIVATE
uint32_t getExtendedStyle(WindowHandle window);
// Why the compositor cloaks a window (DWMWA_CLOAKED): 0 when it does not (or
// cannot tell), else any of these bits.
constexpr uint32_t kCloakedApp = 0x1;        // by its own program (a suspended app)
constexpr uint32_t kCloakedShell = 0x2;      // by the shell (another virtual desktop)
constexpr uint32_t kCloakedInherited = 0x4;  // from its owner window
uint32_t cloakReason(WindowHandle window);
// The shell's notification state (SHQueryUserNotificationState), one of the
// kUserState* values; 0 when the system cannot tell.
constexpr int kUserStateBusy = 2;              // a full-screen program, or presentation settings
constexpr int kUserStateD3dFullScreen = 3;     // an exclusive-mode full-screen Direct3D program
constexpr int kUserStatePresentationMode = 4;  // the user's presentation settings
constexpr int kUserStateAcceptsNotifications = 5;
int userNotificationState();
// True when the system refuses our moves of this window for want of rights:
// its program runs elevated (a higher integrity level) and user interface
// privilege isolation keeps us out.
bool isWindowOutOfReach(WindowHandle window);

// --- identity of windows and of the session -------------------------------
// The window's program: its id and when it started (100 ns units since
// 1601). False when that cannot be learnt.
bool windowProcess(WindowHandle window, uint32_t* processId, uint64_t* startTime);
// The file name of the window's program, without its folder ("notepad.exe"),
// as terminated UTF-8 in utf8Name (at most size - 1 bytes, cut at a whole
// character). False, and empty, when it cannot be learnt.
bool windowProgram(WindowHandle window, char* utf8Name, int size);
// The window's title as the user sees it, in Unicode, whatever the narrow
// code page: terminated UTF-8 (at most size - 1 bytes, cut at a whole
// character), empty when none. Returns the number of bytes stored.
int getWindowTextUtf8(WindowHandle window, char* buf, int size);
// A top-level window that exists (not a child of another window).
bool isTopLevel(WindowHandle window);
// When the system started, 100 ns units since 1601: the wall clock less the
// time since the start, so two readings in one boot agree within the
// clock's corrections.
uint64_t bootTime();
// Marks the whole client area for repainting, without erasing.
void invalidateWindow(WindowHandle window);

// --- monitors --------------------------------------------------------------
struct Monitor {
    Rect area;     // the monitor's rectangle, screen pixels
    Rect work;     // its work area: the rectangle without docked bars
    bool primary;  // the monitor whose top-left corner is (0, 0)
};

constexpr int kMaxMonitors = 16;

// The present monitors, at most `capacity`, into `out`; returns how many.
// 0 when the system reports none.
int getMonitors(Monitor* out, int capacity);

// --- input -----------------------------------------------------------------
int16_t getAsyncKeyState(int key);
bool getCursorPos(Point* point);
bool setCursorPos(int x, int y);
// The window the user works in, 0 when none.
WindowHandle foregroundWindow();
// A system-wide key combination posted to `window` as a hotkey message with
// `id`; false when another program (or this one, under another id) holds
// it. Modifiers are the kMod* bits of store/key_combo.h, key a virtual-key
// code.
bool registerHotKey(WindowHandle window, int id, uint32_t modifiers, uint32_t key);
bool unregisterHotKey(WindowHandle window, int id);
// The window that the foreground program is moving or sizing by its frame
// (its move/size loop), 0 when there is none.
WindowHandle draggedWindow();

// --- time ------------------------------------------------------------------
uint32_t getTickCount();
void sleepMs(uint32_t ms);

// --- drawing ---------------------------------------------------------------
DrawObject createPen(int width, uint8_t red, uint8_t green, uint8_t blue);  // solid
DrawObject createSolidBrush(uint8_t red, uint8_t green, uint8_t blue);
bool deleteObject(DrawObject object);
DrawObject nullPen();    // stock, never deleted
DrawObject nullBrush();  // stock, never deleted
void selectObject(Canvas canvas, DrawObject object);
void drawRectangle(Canvas canvas, int left, int top, int right, int bottom);
void moveTo(Canvas canvas, int x, int y);
void lineTo(Canvas canvas, int x, int y);

}  // namespace platform
