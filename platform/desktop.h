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

constexpr int kKeyLButton = 0x01;
constexpr int kKeyRButton = 0x02;
constexpr int kKeyShift = 0x10;
constexpr int kKeyControl = 0x11;

// --- top-level windows -----------------------------------------------------
WindowHandle topWindow();                      // topmost top-level window, 0 if none
WindowHandle nextWindow(WindowHandle window);  // next one down, 0 at the end
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
