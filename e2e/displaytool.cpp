// wrdisplaytool: the display as the end-to-end tests change and read it.
//   set W H     ChangeDisplaySettingsA to W x H; prints the result (0 = done)
//   monitors    one line per monitor: left top right bottom, the work area's
//               left top right bottom, and 1 for the primary one
//   screen      the virtual screen: left top width height, and the count
// Exit code 0 on success, 1 on failure, 2 on a usage error.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cwchar>

#include "e2e/tool_common.h"

namespace {

int setMode(long long width, long long height) {
    DEVMODEA mode{};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(width);
    mode.dmPelsHeight = static_cast<DWORD>(height);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    const LONG result = ChangeDisplaySettingsA(&mode, 0);
    std::printf("%ld\n", result);
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

BOOL CALLBACK printMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    const RECT& a = info.rcMonitor;
    const RECT& w = info.rcWork;
    std::printf("%ld %ld %ld %ld %ld %ld %ld %ld %d\n", a.left, a.top, a.right, a.bottom, w.left, w.top,
                w.right, w.bottom, (info.dwFlags & MONITORINFOF_PRIMARY) ? 1 : 0);
    return TRUE;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    if (argc >= 2 && std::wcscmp(argv[1], L"set") == 0) {
        long long w = 0, h = 0;
        if (argc != 4 || !parseInt(argv[2], &w) || !parseInt(argv[3], &h)) return 2;
        return setMode(w, h);
    }
    if (argc == 2 && std::wcscmp(argv[1], L"monitors") == 0)
        return EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0) ? 0 : 1;
    if (argc == 2 && std::wcscmp(argv[1], L"screen") == 0) {
        std::printf("%d %d %d %d %d\n", GetSystemMetrics(SM_XVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_CYVIRTUALSCREEN), GetSystemMetrics(SM_CMONITORS));
        return 0;
    }
    std::fprintf(stderr, "usage: wrdisplaytool set W H | monitors | screen\n");
    return 2;
}
