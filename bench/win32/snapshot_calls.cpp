// wrsnapshotcalls: what each kind of window query of the snapshot costs under
// Wine, on the desktop's real top-level windows (another process's sample
// windows among them):
//
//   wrsnapshotcalls [--ticks N] [--move 0|1]
//
// Each tick asks every kind of query once of every top-level window, the
// kinds in turn (the order rotates tick by tick), and times each kind over
// the whole list; with --move 1 the tick then moves the windows of the
// sample program (the class "WrSample") one pixel to and fro with
// asynchronous moves, as a scrolling tick does, so that the queries meet a
// wineserver that also serves the moves and the repaints. Sleeps fill the
// tick up to 40 ms. Prints one line a tick: "tick WINDOWS KIND MS ...".
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

#include "e2e/tool_common.h"

namespace {

constexpr int kMaxList = 1024;
constexpr UINT kMoveFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS;
constexpr DWORD kDwmCloaked = 14;

using DwmGet = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);

HWND list[kMaxList];
int listCount = 0;

BOOL CALLBACK collect(HWND w, LPARAM) {
    if (listCount < kMaxList) list[listCount++] = w;
    return TRUE;
}

// The sink keeps the compiler from dropping the calls.
volatile LONG sink = 0;

struct Kind {
    const char* name;
    void (*run)(DwmGet dwm);
};

void walk(DwmGet) {
    int n = 0;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) ++n;
    sink = n;
}
void enumerate(DwmGet) {
    listCount = 0;
    EnumWindows(collect, 0);
}
void visible(DwmGet) {
    for (int i = 0; i < listCount; ++i) sink = IsWindowVisible(list[i]);
}
void cloaked(DwmGet dwm) {
    for (int i = 0; i < listCount; ++i) {
        DWORD c = 0;
        if (dwm != nullptr) dwm(list[i], kDwmCloaked, &c, sizeof c);
        sink = static_cast<LONG>(c);
    }
}
void placement(DwmGet) {
    for (int i = 0; i < listCount; ++i) {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        GetWindowPlacement(list[i], &wp);
        sink = static_cast<LONG>(wp.showCmd);
    }
}
void text(DwmGet) {
    char buf[256];
    for (int i = 0; i < listCount; ++i) sink = GetWindowTextA(list[i], buf, sizeof buf);
}
void className(DwmGet) {
    char buf[256];
    for (int i = 0; i < listCount; ++i) sink = GetClassNameA(list[i], buf, sizeof buf);
}
void rect(DwmGet) {
    for (int i = 0; i < listCount; ++i) {
        RECT r;
        GetWindowRect(list[i], &r);
        sink = r.left;
    }
}
void info(DwmGet) {
    for (int i = 0; i < listCount; ++i) {
        WINDOWINFO wi{};
        wi.cbSize = sizeof wi;
        GetWindowInfo(list[i], &wi);
        sink = static_cast<LONG>(wi.dwStyle);
    }
}
void style(DwmGet) {
    for (int i = 0; i < listCount; ++i) sink = GetWindowLongW(list[i], GWL_STYLE);
}

const Kind kinds[] = {{"walk", walk},       {"enum", enumerate},      {"visible", visible},
                      {"cloaked", cloaked}, {"placement", placement}, {"text", text},
                      {"class", className}, {"rect", rect},           {"info", info},
                      {"style", style}};
constexpr int kKinds = sizeof kinds / sizeof kinds[0];

void moveSamples(int dx) {
    char buf[64];
    for (int i = 0; i < listCount; ++i) {
        if (GetClassNameA(list[i], buf, sizeof buf) == 0 || std::strcmp(buf, "WrSample") != 0) continue;
        RECT r;
        if (!GetWindowRect(list[i], &r)) continue;
        SetWindowPos(list[i], nullptr, r.left + dx, r.top, 0, 0, kMoveFlags);
    }
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    int ticks = 200;
    bool move = false;
    for (int i = 1; argv != nullptr && i + 1 < argc; i += 2) {
        if (std::wcscmp(argv[i], L"--ticks") == 0) {
            ticks = static_cast<int>(std::wcstol(argv[i + 1], nullptr, 10));
        } else if (std::wcscmp(argv[i], L"--move") == 0) {
            move = std::wcscmp(argv[i + 1], L"0") != 0;
        } else {
            std::fputs("usage: wrsnapshotcalls [--ticks N] [--move 0|1]\n", stderr);
            return 2;
        }
    }
    HMODULE dwmapi = LoadLibraryW(L"dwmapi.dll");
    DwmGet dwm = dwmapi != nullptr ? reinterpret_cast<DwmGet>(reinterpret_cast<void*>(
                                         GetProcAddress(dwmapi, "DwmGetWindowAttribute")))
                                   : nullptr;
    for (int t = 0; t < ticks; ++t) {
        const double t0 = nowMs();
        enumerate(dwm);
        std::printf("tick %d", listCount);
        for (int k = 0; k < kKinds; ++k) {
            const Kind& kind = kinds[(k + t) % kKinds];
            const double a = nowMs();
            kind.run(dwm);
            std::printf(" %s %.3f", kind.name, nowMs() - a);
        }
        std::printf("\n");
        if (move) moveSamples((t % 2) == 0 ? 1 : -1);
        const double work = nowMs() - t0;
        if (work < 30.0) Sleep(static_cast<DWORD>(30.0 - work));
        Sleep(10);
    }
    return 0;
}
