// wrscrolltool: follows windows while the screen scrolls, for the scrolling
// tests. One subcommand per run; exit code 0 on success, 1 on
// failure or timeout, 2 on a usage error.
//
//   trace [--settle MS] [--for MS] [--timeout MS] [--poll MS] H...
//       Prints "at H X Y" for each window, then "ready", then one line
//       "move MS H X Y" for every position a window takes, MS counted from
//       the first move seen. Polls every --poll ms (default 5), well within
//       one tick, so each tick's step is seen on its own. Ends with "end MS"
//       (the time of the last move) once no window has moved for --settle ms
//       (default 1500) after a first move, after --for ms in any case, or
//       after --timeout ms without any move (default 30000; exit code 1
//       unless --for was given). Changes of the pointer's position show as
//       "cursor MS X Y" lines.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] = "usage: wrscrolltool trace [--settle MS] [--for MS] [--timeout MS] [--poll MS] H...\n";

unsigned long long handleValue(HWND w) {
    return static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w));
}

struct Followed {
    HWND window = nullptr;
    RECT last{};
};

int cmdTrace(int argc, wchar_t** argv) {
    long long settleMs = 1500;
    long long forMs = -1;
    long long timeoutMs = 30000;
    long long pollMs = 5;
    std::vector<Followed> followed;
    for (int i = 2; i < argc; ++i) {
        const wchar_t* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::wcscmp(argv[i], L"--settle") == 0 && parseInt(v, &settleMs)) {
            ++i;
        } else if (std::wcscmp(argv[i], L"--for") == 0 && parseInt(v, &forMs)) {
            ++i;
        } else if (std::wcscmp(argv[i], L"--timeout") == 0 && parseInt(v, &timeoutMs)) {
            ++i;
        } else if (std::wcscmp(argv[i], L"--poll") == 0 && parseInt(v, &pollMs) && pollMs > 0) {
            ++i;
        } else {
            Followed f;
            if (!parseHandle(argv[i], &f.window) || !IsWindow(f.window)) return 2;
            followed.push_back(f);
        }
    }
    if (followed.empty()) return 2;
    for (Followed& f : followed) {
        GetWindowRect(f.window, &f.last);
        std::printf("at 0x%llx %ld %ld\n", handleValue(f.window), f.last.left, f.last.top);
    }
    std::printf("ready\n");
    std::fflush(stdout);

    const double start = nowMs();
    double first = -1;
    double lastMove = -1;
    POINT pointer{-1, -1};
    for (;;) {
        const double t = nowMs();
        POINT p{};
        if (GetCursorPos(&p) && (p.x != pointer.x || p.y != pointer.y)) {
            pointer = p;
            std::printf("cursor %.1f %ld %ld\n", first < 0 ? 0.0 : t - first, p.x, p.y);
        }
        for (Followed& f : followed) {
            RECT r{};
            if (!GetWindowRect(f.window, &r)) continue;
            if (r.left == f.last.left && r.top == f.last.top) continue;
            f.last = r;
            if (first < 0) first = t;
            lastMove = t;
            std::printf("move %.1f 0x%llx %ld %ld\n", t - first, handleValue(f.window), r.left, r.top);
        }
        std::fflush(stdout);
        if (forMs >= 0) {
            if (t - start >= static_cast<double>(forMs)) break;
        } else if (first >= 0) {
            if (t - lastMove >= static_cast<double>(settleMs)) break;
        } else if (t - start >= static_cast<double>(timeoutMs)) {
            std::printf("end none\n");
            return 1;
        }
        Sleep(static_cast<DWORD>(pollMs));
    }
    if (first >= 0) {
        std::printf("end %.1f\n", lastMove - first);
    } else {
        std::printf("end none\n");
    }
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    int rc = 2;
    if (argv != nullptr && argc >= 2) {
        if (std::wcscmp(argv[1], L"trace") == 0) {
            rc = cmdTrace(argc, argv);
        }
    }
    std::fflush(stdout);
    if (rc == 2) std::fputs(kUsage, stderr);
    return rc;
}
