// The Windows backend of the platform seam: USER32, GDI32 and KERNEL32.
#include <windows.h>

#include "platform/desktop.h"
#include "platform/window_list.h"

namespace platform {

namespace {

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }
HDC hdc(Canvas canvas) { return reinterpret_cast<HDC>(canvas); }
HGDIOBJ gdiObject(DrawObject object) { return reinterpret_cast<HGDIOBJ>(object); }
DrawObject drawObject(HGDIOBJ object) { return reinterpret_cast<DrawObject>(object); }

// A synchronous move of another program's window waits until that program
// pumps its messages, seconds or forever when it hangs; the asynchronous form
// queues the move and returns at once. A window of this thread is moved at
// once all the same (the request goes elsewhere only for a window of another
// thread), so what follows sees it in place, and no move needs to ask first
// which thread owns the window: under Wine that question is one more round
// trip to the server for every window moved.
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
constexpr UINT kGatherFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOOWNERZORDER | SWP_ASYNCWINDOWPOS;
static_assert((kGatherFlags & ~SWP_ASYNCWINDOWPOS) == 0x205);

static_assert(sizeof(WINDOWPLACEMENT) == 44);

// Always leaves a terminated string, also when the call fails.
int terminated(int copied, char* buf, int size) {
    if (copied < 0) copied = 0;
    if (copied > size - 1) copied = size - 1;
    buf[copied] = '\0';
    return copied;
}

}  // namespace

// --- top-level windows -----------------------------------------------------

namespace {

struct WindowListFill {
    WindowHandle* out;
    int capacity;
    int count;
};

BOOL CALLBACK addTopLevelWindow(HWND window, LPARAM param) {
    WindowListFill* fill = reinterpret_cast<WindowListFill*>(param);
    if (fill->count < fill->capacity) fill->out[fill->count] = reinterpret_cast<WindowHandle>(window);
    ++fill->count;
    return TRUE;
}

}  // namespace

// EnumWindows, not GetTopWindow and GetWindow(GW_HWNDNEXT) in a loop: the
// documentation of GetWindow warns that such a loop may run forever or meet
// destroyed windows, and windows restacked under it are passed over or met
// twice (measured under Wine while a busy program carries out our moves).
int topLevelWindows(WindowHandle* out, int capacity) {
    WindowListFill fill{out, capacity, 0};
    EnumWindows(addTopLevelWindow, reinterpret_cast<LPARAM>(&fill));
    return fill.count;
}

bool isWindowVisible(WindowHandle window) { return IsWindowVisible(hwnd(window)) != 0; }

uint32_t getShowState(WindowHandle window) {
    // A top-level window's parent is the desktop, which is always visible:
    // its own style bit is what IsWindowVisible tells.
    const LONG style = GetWindowLongW(hwnd(window), GWL_STYLE);
    if ((style & WS_VISIBLE) == 0) return 0;
    if ((style & WS_MINIMIZE) != 0) return SW_SHOWMINIMIZED;
    if ((style & WS_MAXIMIZE) != 0) return SW_SHOWMAXIMIZED;
    return SW_SHOWNORMAL;
}

bool getWindowPlacement(WindowHandle window, Placement* placement) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(hwnd(window), &wp)) return false;
    placement->showCmd = wp.showCmd;
    placement->normal = {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                         wp.rcNormalPosition.bottom};
    return true;
}

int getWindowText(WindowHandle window, char* buf, int size) {
    if (size <= 0) return 0;
    buf[0] = '\0';
    return terminated(GetWindowTextA(hwnd(window), buf, size), buf, size);
}

int getClassName(WindowHandle window, char* buf, int size) {
    if (size <= 0) return 0;
    buf[0] = '\0';
    return terminated(GetClassNameA(hwnd(window), buf, size), buf, size);
}

bool getWindowRect(WindowHandle window, Rect* rect) {
    RECT r;
    if (!GetWindowRect(hwnd(window), &r)) return false;
    *rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

bool moveWindow(WindowHandle window, int x, int y, int width, int height) {
    return SetWindowPos(hwnd(window), nullptr, x, y, width, height, kMoveFlags) != 0;
}

bool setWindowPos(WindowHandle window, int x, int y) {
    return SetWindowPos(hwnd(window), nullptr, x, y, 0, 0, kGatherFlags) != 0;
}

bool showWindow(WindowHandle window, int cmd) { return ShowWindow(hwnd(window), cmd) != 0; }

bool isHungWindow(WindowHandle window) { return IsHungAppWindow(hwnd(window)) != 0; }

namespace {

// DWMWA_CLOAKED (14): nonzero while the window is cloaked. The library is
// loaded on first use and may be absent (older systems, Wine).
constexpr DWORD kDwmCloaked = 14;
using DwmGetWindowAttributeFunction = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

DwmGetWindowAttributeFunction dwmGetWindowAttribute() {
    static bool tried = false;
    static DwmGetWindowAttributeFunction function = nullptr;
    if (!tried) {
        tried = true;
        HMODULE library = LoadLibraryA("dwmapi.dll");
        if (library) {
            function = reinterpret_cast<DwmGetWindowAttributeFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, "DwmGetWindowAttribute")));
        }
    }
    return function;
}

Rect rectOf(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct MonitorList {
    Monitor* out;
    int capacity;
    int count;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    MonitorList* list = reinterpret_cast<MonitorList*>(data);
    if (list->count >= list->capacity) return FALSE;
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    list->out[list->count++] = {rectOf(info.rcMonitor), rectOf(info.rcWork),
                                (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
    return TRUE;
}

}  // namespace

bool isWindowCloaked(WindowHandle window) {
    DwmGetWindowAttributeFunction get = dwmGetWindowAttribute();
    if (!get) return false;
    DWORD cloaked = 0;
    if (get(hwnd(window), kDwmCloaked, &cloaked, sizeof(cloaked)) != S_OK) return false;
    return cloaked != 0;
}

// The value is the reason: DWM_CLOAKED_APP, _SHELL, _INHERITED.
uint32_t cloakReason(WindowHandle window) {
    DwmGetWindowAttributeFunction get = dwmGetWindowAttribute();
    if (!get) return 0;
    DWORD cloaked = 0;
    if (get(hwnd(window), kDwmCloaked, &cloaked, sizeof(cloaked)) != S_OK) return 0;
    return cloaked;
}

uint32_t getExtendedStyle(WindowHandle window) {
    return static_cast<uint32_t>(GetWindowLongW(hwnd(window), GWL_EXSTYLE));
}

namespace {

using QueryNotificationStateFunction = HRESULT(WINAPI*)(int*);

// Loaded on first use: absent before Vista and in some shells.
QueryNotificationStateFunction queryNotificationState() {
    static bool tried = false;
    static QueryNotificationStateFunction function = nullptr;
    if (!tried) {
        tried = true;
        HMODULE library = LoadLibraryA("shell32.dll");
        if (library) {
            function = reinterpret_cast<QueryNotificationStateFunction>(
                reinterpret_cast<void*>(GetProcAddress(library, "SHQueryUserNotificationState")));
        }
    }
    return function;
}

// The mandatory label's last sub-authority: 0x2000 medium, 0x3000 high.
DWORD integrityOf(HANDLE token) {
    alignas(8) BYTE buffer[128];
    DWORD size = 0;
    if (!GetTokenInformation(token, TokenIntegrityLevel, buffer, sizeof(buffer), &size)) return 0;
    const auto* label = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer);
    const UCHAR count = *GetSidSubAuthorityCount(label->Label.Sid);
    return count == 0 ? 0 : *GetSidSubAuthority(label->Label.Sid, count - 1);
}

DWORD ownIntegrity() {
    static DWORD level = 0xFFFFFFFF;
    if (level == 0xFFFFFFFF) {
        level = 0;
        HANDLE token = nullptr;
        if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) {
            level = integrityOf(token);
            CloseHandle(token);
        }
    }
    return level;
}

}  // namespace

int userNotificationState() {
    QueryNotificationStateFunction query = queryNotificationState();
    int value = 0;
    if (!query || query(&value) != S_OK) return 0;
    return value;
}

// A program whose token we may not even read runs above us.
bool isWindowOutOfReach(WindowHandle window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(hwnd(window), &processId);
    if (processId == 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED;
    HANDLE token = nullptr;
    bool above = false;
    if (OpenProcessToken(process, TOKEN_QUERY, &token)) {
        above = integrityOf(token) > ownIntegrity();
        CloseHandle(token);
    } else {
        above = GetLastError() == ERROR_ACCESS_DENIED;
    }
    CloseHandle(process);
    return above;
}

int getMonitors(Monitor* out, int capacity) {
    MonitorList list{out, capacity, 0};
    if (capacity <= 0) return 0;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    return list.count;
}

Rect desktopRect() {
    RECT r{};
    GetWindowRect(GetDesktopWindow(), &r);
    return {r.left, r.top, r.right, r.bottom};
}

void invalidateWindow(WindowHandle window) { RedrawWindow(hwnd(window), nullptr, nullptr, RDW_INVALIDATE); }

// --- input -----------------------------------------------------------------

int16_t getAsyncKeyState(int key) { return GetAsyncKeyState(key); }

bool getCursorPos(Point* point) {
    POINT p;
    if (!GetCursorPos(&p)) return false;
    *point = {p.x, p.y};
    return true;
}

bool setCursorPos(int x, int y) { return SetCursorPos(x, y) != 0; }

WindowHandle foregroundWindow() { return reinterpret_cast<WindowHandle>(GetForegroundWindow()); }

// Without MOD_NOREPEAT: held down, a combination repeats with the keyboard.
// Under Wine that flag also keeps the left button's state from reaching
// GetAsyncKeyState for a tick or two after a press, so that a plain drag to
// an edge scrolled.
bool registerHotKey(WindowHandle window, int id, uint32_t modifiers, uint32_t key) {
    return RegisterHotKey(hwnd(window), id, modifiers, key) != 0;
}

bool unregisterHotKey(WindowHandle window, int id) { return UnregisterHotKey(hwnd(window), id) != 0; }

WindowHandle draggedWindow() {
    HWND foreground = GetForegroundWindow();
    if (!foreground) return 0;
    const DWORD thread = GetWindowThreadProcessId(foreground, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof(info);
    if (!GetGUIThreadInfo(thread, &info) || (info.flags & GUI_INMOVESIZE) == 0) return 0;
    return reinterpret_cast<WindowHandle>(info.hwndMoveSize);
}

// --- time ------------------------------------------------------------------

uint32_t getTickCount() { return GetTickCount(); }

void sleepMs(uint32_t ms) { Sleep(ms); }

// --- drawing ---------------------------------------------------------------

DrawObject createPen(int width, uint8_t red, uint8_t green, uint8_t blue) {
    return drawObject(CreatePen(PS_SOLID, width, RGB(red, green, blue)));
}

DrawObject createSolidBrush(uint8_t red, uint8_t green, uint8_t blue) {
    return drawObject(CreateSolidBrush(RGB(red, green, blue)));
}

bool deleteObject(DrawObject object) { return DeleteObject(gdiObject(object)) != 0; }

DrawObject nullPen() { return drawObject(GetStockObject(NULL_PEN)); }

DrawObject nullBrush() { return drawObject(GetStockObject(NULL_BRUSH)); }

void selectObject(Canvas canvas, DrawObject object) { SelectObject(hdc(canvas), gdiObject(object)); }

void drawRectangle(Canvas canvas, int left, int top, int right, int bottom) {
    Rectangle(hdc(canvas), left, top, right, bottom);
}

void moveTo(Canvas canvas, int x, int y) { MoveToEx(hdc(canvas), x, y, nullptr); }

void lineTo(Canvas canvas, int x, int y) { LineTo(hdc(canvas), x, y); }

}  // namespace platform
