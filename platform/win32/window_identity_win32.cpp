// The Windows backend of what tells windows and sessions apart, and of a
// window's restore rectangle.
#include <windows.h>

#include "platform/desktop.h"

namespace platform {

namespace {

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

uint64_t fileTime(const FILETIME& t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
}

}  // namespace

bool windowProcess(WindowHandle window, uint32_t* processId, uint64_t* startTime) {
    DWORD id = 0;
    if (GetWindowThreadProcessId(hwnd(window), &id) == 0 || id == 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return false;
    FILETIME created, ended, kernel, user;
    const bool known = GetProcessTimes(process, &created, &ended, &kernel, &user) != 0;
    CloseHandle(process);
    if (!known) return false;
    *processId = id;
    *startTime = fileTime(created);
    return true;
}

bool isTopLevel(WindowHandle window) {
    HWND w = hwnd(window);
    return IsWindow(w) && GetAncestor(w, GA_PARENT) == GetDesktopWindow();
}

uint64_t bootTime() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return fileTime(now) - GetTickCount64() * 10000;
}

bool setRestoredRect(WindowHandle window, const Rect& rect) {
    HWND w = hwnd(window);
    // Placing a window sends it messages and waits: not for a hung program.
    if (!IsWindowVisible(w) || IsHungAppWindow(w)) return false;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (!GetWindowPlacement(w, &wp)) return false;
    // The restore rectangle is in work-area coordinates, except for tool
    // windows.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const bool tool = (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    const LONG dx = tool ? 0 : work.left;
    const LONG dy = tool ? 0 : work.top;
    wp.rcNormalPosition = {rect.left - dx, rect.top - dy, rect.right - dx, rect.bottom - dy};
    wp.flags &= ~static_cast<UINT>(WPF_SETMINPOSITION);
    // Kept as it is shown, without taking the focus.
    if (wp.showCmd == SW_SHOWMINIMIZED) wp.showCmd = SW_SHOWMINNOACTIVE;
    return SetWindowPlacement(w, &wp) != 0;
}

}  // namespace platform
