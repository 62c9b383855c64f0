// wrreltool: measures, from outside, what calls on a window of a program
// that does not answer cost, for the hung-window tests and benchmark.
//
//   wrreltool probe H [--for MS] [--every MS]
//       times the calls the program makes on a window (hung test, rectangle,
//       title, placement, asynchronous move in place) every --every ms
//       (default 200) for --for ms (default: once); one line per round:
//       "probe T_MS hung H rect MS title MS placement MS hungtest MS move MS"
//   wrreltool batch [--sync] H...
//       times one DeferWindowPos batch that puts each window where it is,
//       every entry with SWP_ASYNCWINDOWPOS (--sync: without it):
//       "batch MS result R" (R: what EndDeferWindowPos returned)
//   wrreltool wait H hung|answering [--timeout MS]
//       waits until the window manager reports the window's program as not
//       responding (or responding again); exit code 1 on timeout (default
//       30000 ms)
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wrreltool probe H [--for MS] [--every MS]\n"
    "       wrreltool batch [--sync] H...\n"
    "       wrreltool wait H hung|answering [--timeout MS]\n";

int probe(HWND w, long long forMs, long long everyMs) {
    const double start = nowMs();
    do {
        double t0 = nowMs();
        BOOL hung = IsHungAppWindow(w);
        double t1 = nowMs();
        RECT r{};
        GetWindowRect(w, &r);
        double t2 = nowMs();
        char title[64];
        GetWindowTextA(w, title, sizeof title);
        double t3 = nowMs();
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(w, &wp);
        double t4 = nowMs();
        SetWindowPos(w, nullptr, r.left, r.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
        double t5 = nowMs();
        std::printf("probe %.0f hung %d hungtest %.2f rect %.2f title %.2f placement %.2f move %.2f\n",
                    t0 - start, hung ? 1 : 0, t1 - t0, t2 - t1, t3 - t2, t4 - t3, t5 - t4);
        std::fflush(stdout);
        if (nowMs() - start + static_cast<double>(everyMs) > static_cast<double>(forMs)) break;
        Sleep(static_cast<DWORD>(everyMs));
    } while (true);
    return 0;
}

int batch(wchar_t** handles, int count, bool sync) {
    constexpr UINT kFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    const double t0 = nowMs();
    HDWP dwp = BeginDeferWindowPos(count);
    for (int i = 0; i < count && dwp != nullptr; ++i) {
        long long h = 0;
        if (!parseInt(handles[i], &h)) return 2;
        HWND w = reinterpret_cast<HWND>(static_cast<uintptr_t>(h));
        RECT r{};
        GetWindowRect(w, &r);
        dwp =
            DeferWindowPos(dwp, w, nullptr, r.left, r.top, 0, 0, sync ? kFlags : kFlags | SWP_ASYNCWINDOWPOS);
    }
    const BOOL done = dwp != nullptr && EndDeferWindowPos(dwp);
    std::printf("batch %.2f result %d\n", nowMs() - t0, done ? 1 : 0);
    return 0;
}

int waitFor(HWND w, bool hung, long long timeoutMs) {
    const double start = nowMs();
    while ((IsHungAppWindow(w) != 0) != hung) {
        if (!IsWindow(w) || nowMs() - start > static_cast<double>(timeoutMs)) return 1;
        Sleep(50);
    }
    return 0;
}

}  // namespace

int main() {
    _setmode(_fileno(stdout), _O_BINARY);
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argv == nullptr || argc < 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (std::wcscmp(argv[1], L"batch") == 0) {
        const bool sync = std::wcscmp(argv[2], L"--sync") == 0;
        return batch(argv + (sync ? 3 : 2), argc - (sync ? 3 : 2), sync);
    }
    long long handle = 0;
    if (!parseInt(argv[2], &handle)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(handle));
    if (std::wcscmp(argv[1], L"wait") == 0) {
        if (argc < 4) return 2;
        const bool hung = std::wcscmp(argv[3], L"hung") == 0;
        if (!hung && std::wcscmp(argv[3], L"answering") != 0) return 2;
        long long timeoutMs = 30000;
        if (argc == 6 && std::wcscmp(argv[4], L"--timeout") == 0 && !parseInt(argv[5], &timeoutMs)) return 2;
        return waitFor(window, hung, timeoutMs);
    }
    if (std::wcscmp(argv[1], L"probe") != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    long long forMs = 0, everyMs = 200;
    for (int i = 3; i + 1 < argc; i += 2) {
        long long v = 0;
        if (!parseInt(argv[i + 1], &v)) return 2;
        if (std::wcscmp(argv[i], L"--for") == 0) {
            forMs = v;
        } else if (std::wcscmp(argv[i], L"--every") == 0) {
            everyMs = v;
        } else {
            std::fputs(kUsage, stderr);
            return 2;
        }
    }
    return probe(window, forMs, everyMs);
}
