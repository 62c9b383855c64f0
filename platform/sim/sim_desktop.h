// The in-memory desktop behind the platform seam, for tests and benchmarks:
// top-level windows in Z order, the pointer, the keys, a tick clock that
// sleeping advances, the screen size, and a canvas that records drawing.
// Never shipped.
//
// Moves are carried out at once, as the window manager does for a program
// that answers promptly. A window marked `queuesMoves` (a program that has not
// pumped its messages yet) or `hung` keeps its moves waiting, in order, until
// pumpWindow carries them out, as an asynchronous move of another program's
// window waits for that program.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/desktop.h"

namespace sim {

// A move waiting for the window's program: keepSize for a position-only
// placement, which takes the size the window has when it is carried out.
struct SimMove {
    platform::Rect rect;
    bool keepSize;
};

struct SimWindow {
    platform::WindowHandle handle = 0;  // 0: assigned by addWindow
    std::string title;                  // narrow bytes, any length
    std::string className;
    bool visible = true;
    uint32_t showCmd = platform::kShowNormal;
    platform::Rect normal{};   // restored rectangle
    platform::Rect rect{};     // current outer rectangle
    bool refuseMove = false;   // moveWindow / setWindowPos fail
    bool hung = false;         // isHungWindow reports true; moves wait
    bool queuesMoves = false;  // moves wait in pendingMoves until pumpWindow
    // Programs that answer but do not obey: the move succeeds and the window
    // stays where it is, or its handler keeps it at x >= 0 and y >= 0.
    bool ignoresMoves = false;
    bool keepsOrigin = false;
    uint32_t processId = 0x500;
    uint64_t processStart = 777;
    // The program's file name (UTF-8; empty: it cannot be learnt) and the
    // title as the wide call reads it (UTF-8; empty: the narrow title's bytes).
    std::string program = "sample.exe";
    std::string unicodeTitle;
    bool topLevel = true;
    bool cloaked = false;  // isWindowCloaked reports true
    // Waiting moves carried out by pumpWindow put the window on top of the Z
    // order, as Wine restacks a window whose thread carries out an
    // asynchronous move even when the move keeps the Z order.
    bool raisedByMoves = false;
    // Why it is cloaked; 0 with `cloaked` set counts as by its own program.
    uint32_t cloakReason = 0;
    uint32_t exStyle = 0;  // getExtendedStyle
    // Its program runs elevated: every move fails, as the system refuses it
    // with access denied, and isWindowOutOfReach reports true.
    bool outOfReach = false;
    std::vector<SimMove> pendingMoves;
    int moveCount = 0;      // successful moves and positionings
    int invalidations = 0;  // invalidateWindow calls (repaint requests)
};

// One recorded drawing call.
struct DrawOp {
    enum Kind { Select, Rectangle, MoveTo, LineTo } kind;
    platform::DrawObject object;  // Select only
    int a, b, c, d;               // Rectangle: l, t, r, b; MoveTo/LineTo: x, y
};

struct DrawObjectInfo {
    platform::DrawObject handle;
    bool pen;
    int width;
    uint8_t red, green, blue;
    bool deleted;
};

// Empties the desktop: no windows, pointer (0, 0) succeeding, keys up,
// clock 0, canvas and drawing objects cleared, call counter 0, and one
// primary monitor of the screen's size at (0, 0) whose work area is all of it.
void reset(int screenWidth = 1024, int screenHeight = 768);

// The monitor layout that getMonitors reports from now on (empty: none).
// The desktop window keeps the size given to reset.
void setMonitors(const std::vector<platform::Monitor>& monitors);
// A monitor of rectangle (left, top, right, bottom) whose work area is all of it.
platform::Monitor monitor(int left, int top, int right, int bottom, bool primary = false);

// Appends at the bottom of the Z order; returns the handle.
platform::WindowHandle addWindow(SimWindow w);
// Convenience: a visible, normally shown window whose restored and current
// rectangles are (x, y, x + width, y + height).
platform::WindowHandle addWindow(const std::string& title, const std::string& className, int x, int y,
                                 int width, int height);
SimWindow* window(platform::WindowHandle handle);  // null when gone
std::vector<SimWindow>& zOrder();                  // topmost first
void removeWindow(platform::WindowHandle handle);
// Carries out up to `count` waiting moves of the window in order (-1: all);
// returns how many were carried out.
int pumpWindow(platform::WindowHandle handle, int count = -1);

// Puts the window at `index` of the Z order (0: topmost; past the end: the
// bottom), as another program raising or lowering its window.
void restack(platform::WindowHandle handle, size_t index);
// Another program's thread at work while this one talks to the window
// manager: `work` runs at the start of every call of the window manager
// (not within itself), where it may carry out waiting moves, restack, open
// or close windows. Until reset or a null function.
void onCall(std::function<void()> work);

// Restores a minimized or maximized window to its restored rectangle.
void restoreWindow(platform::WindowHandle handle);
// Called with the window at every move or positioning asked for (until
// reset or a null function).
void onMove(std::function<void(platform::WindowHandle)> observer);
// What platform::bootTime reports (1 after reset).
void setBootTime(uint64_t t);

void setCursor(int x, int y);
platform::Point cursor();
void failCursor(bool fail);  // getCursorPos fails while set
// The window in its move/size loop (dragged by its frame), 0 = none. The
// pointer does not move it here: a test moves both as a drag would.
void setDraggedWindow(platform::WindowHandle handle);

// Key state as the platform reports it: bit 15 while down, bit 0 when the
// key went down since the previous reading (cleared by reading).
void setKey(int key, bool down);
void tapKey(int key);  // down and up between two readings

// The foreground window that foregroundWindow reports (0 = none). Showing
// a window with kShowCmdShow activates it: it becomes the foreground window,
// as ShowWindow(SW_SHOW) makes it; kShowCmdShowNoActivate leaves it.
void setForeground(platform::WindowHandle window);
// What userNotificationState reports (0 after reset: the system cannot tell).
void setUserNotificationState(int state);

// Hotkeys: a combination taken by another program refuses registration.
struct SimHotKey {
    platform::WindowHandle window;
    int id;
    uint32_t modifiers;
    uint32_t key;
};
void takeHotKeyElsewhere(uint32_t modifiers, uint32_t key);
const std::vector<SimHotKey>& hotKeys();  // registered by the program

uint32_t now();
void advance(uint32_t ms);
// Added to the clock by every getTickCount reading (simulated work per call).
void setTickCost(uint32_t ms);

// The sleepMs calls since reset, in order (the first 4096 of them).
const std::vector<uint32_t>& sleeps();
// Simulated work: the next reading of the window list (the start of a window
// walk, such as the snapshot's) advances the clock by ms, once (0 = none).
void advanceAtNextWalk(uint32_t ms);

// The k-th drawing-object creation from now (1 = the next) fails.
void failDrawObjectCreation(int k);
const std::vector<DrawObjectInfo>& drawObjects();
std::vector<DrawOp>& canvasOps();
const DrawObjectInfo* drawObject(platform::DrawObject handle);

// Every moveWindow and setWindowPos call, refused ones too, in order, while
// recording is on (off after reset: benchmarks move windows millions of
// times). keepSize: a position-only placement, the size left as it is.
struct SimMoveCall {
    platform::WindowHandle window;
    platform::Rect rect;
    bool keepSize;
};
void recordMoves(bool on);  // also empties the log
const std::vector<SimMoveCall>& moveLog();
// invalidateWindow calls for this handle since reset, for any window, child
// windows such as the map pane included (the first 16 handles invalidated).
int invalidationsOf(platform::WindowHandle handle);

// Window-manager calls made since reset (or since resetCallCount).
long callCount();
void resetCallCount();

}  // namespace sim
