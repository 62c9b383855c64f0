// wrtickparts: what a scrolling tick's work is made of under Wine. Runs the
// engine's own snapshot, view moves and map painting on the desktop's real
// windows (another process's sample windows), in this process, and times
// each part of every tick:
//
//   wrtickparts [--ticks N] [--moves MODE]... [--paint window|none]
//
// Each tick: the snapshot, a view move of `step` pixels (alternating
// direction every 50 ticks, so that the view never meets a border), the map
// painted into a window of the map's size, then sleeps that fill the tick
// up to 40 ms as the main loop does. MODE says how the windows are moved:
//   engine  the engine's moveViewBy (its bookkeeping of moves in flight, one
//           asynchronous SetWindowPos a window);
//   direct  one asynchronous SetWindowPos a window;
//   owner   the same after asking which thread owns the window (what the
//           engine's moves did before);
//   batch   one DeferWindowPos batch, every entry with SWP_ASYNCWINDOWPOS;
//   none    no move (the snapshot of windows at rest, for comparison).
// Several --moves take turns tick by tick, so that all see the same load.
// Prints one line a tick: "tick MODE snapshot MS moves MS paint MS", then
// the process's CPU time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"

#include "e2e/tool_common.h"

namespace {

constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS;
constexpr int kTicksPerHold = 50;

LRESULT CALLBACK mapProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

// The rows move first, then the windows, as the engine's view move does, but
// without its bookkeeping of moves in flight.
void moveRows(VirtualDesk& desk, int dx, bool batch, bool owner) {
    HDWP dwp = batch ? BeginDeferWindowPos(desk.windowCount) : nullptr;
    for (int i = 0; i < desk.windowCount; ++i) {
        WindowEntry& row = desk.windows[i];
        row.x -= dx;
        HWND w = reinterpret_cast<HWND>(row.window);
        if (dwp != nullptr) {
            dwp = DeferWindowPos(dwp, w, nullptr, row.x, row.y, row.width, row.height, kMoveFlags);
        } else {
            const bool own = owner && GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId();
            SetWindowPos(w, nullptr, row.x, row.y, row.width, row.height,
                         own ? kMoveFlags & ~SWP_ASYNCWINDOWPOS : kMoveFlags);
        }
    }
    if (dwp != nullptr) EndDeferWindowPos(dwp);
    desk.viewX += dx;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double fileTimeMs(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) / 10000.0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int ticks = 300;
    bool paint = true;
    std::vector<std::wstring> modes;
    for (int i = 1; argv != nullptr && i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--ticks") == 0) {
            ticks = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        } else if (std::wcscmp(argv[i], L"--moves") == 0) {
            modes.emplace_back(argv[i + 1]);
        } else if (std::wcscmp(argv[i], L"--paint") == 0) {
            paint = std::wcscmp(argv[i + 1], L"none") != 0;
        } else {
            std::fputs(
                "usage: wrtickparts [--ticks N] [--moves engine|direct|owner|batch|none]... [--paint "
                "window|none]\n",
                stderr);
            return 2;
        }
    }
    if (modes.empty()) modes.emplace_back(L"engine");

    VirtualDesk desk;
    WNDCLASSW wc{};
    wc.lpfnWndProc = mapProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"WrTickPartsMap";
    RegisterClassW(&wc);
    // Titled as the navigator, so that the snapshot leaves it out.
    HWND map = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"Wideroom Navigator",
                               WS_POPUP | WS_VISIBLE, 800, 560, desk.mapWidth(), desk.mapHeight(), nullptr,
                               nullptr, wc.hInstance, nullptr);
    pump();

    for (int t = 0; t < ticks; ++t) {
        const std::wstring& mode = modes[static_cast<size_t>(t) % modes.size()];
        if (t % kTicksPerHold == 0) desk.resetStep();
        const int dir = (t / kTicksPerHold) % 2 == 0 ? 1 : -1;
        const double t0 = nowMs();
        desk.snapshotWindows();
        const double t1 = nowMs();
        if (mode == L"engine") {
            desk.scrollTick(dir, 0);
        } else if (mode != L"none") {
            moveRows(desk, dir * desk.step, mode == L"batch", mode == L"owner");
        }
        desk.accelerateStep();
        const double t2 = nowMs();
        if (paint && map != nullptr) {
            HDC dc = GetDC(map);
            desk.paintMap(reinterpret_cast<platform::Canvas>(dc));
            GdiFlush();
            ReleaseDC(map, dc);
        }
        const double t3 = nowMs();
        std::printf("tick %ls snapshot %.3f moves %.3f paint %.3f\n", mode.c_str(), t1 - t0, t2 - t1,
                    t3 - t2);
        const double work = t3 - t0;
        if (work < 30.0) Sleep(static_cast<DWORD>(30.0 - work));
        Sleep(10);
        pump();
    }
    FILETIME created, ended, kernel, user;
    if (GetProcessTimes(GetCurrentProcess(), &created, &ended, &kernel, &user))
        std::printf("cpu %.1f ms\n", fileTimeMs(kernel) + fileTimeMs(user));
    // The windows go back where they were.
    desk.moveViewTo(desk.moves.startViewX, desk.moves.startViewY);
    if (map != nullptr) DestroyWindow(map);
    return 0;
}
