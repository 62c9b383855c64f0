// wrsample: ordinary top-level windows in a process of their own, for the
// end-to-end tests to scroll, gather and read back.
//
//   wrsample [--exit-after MS] [--hang-after MS [--hang-for MS]] [--tray] WINDOW...
//   WINDOW: [--class NAME] --window TITLE X Y W H [--maximized|--minimized|--topmost|--tool|--hidden]
//           [--clamp] [--pause-at-move MS]
//           or --many N X Y W H   (N windows "wrsample 1".. "wrsample N", 24 pixels apart)
//
// Titles are taken as given (UTF-8 on the Unix side); \uXXXX in a title
// stands for that UTF-16 unit, for callers whose locale cannot carry it.
// Prints "pid P", then "HANDLE<TAB>TITLE" for each window, then "ready", and
// pumps messages until killed, until --exit-after has passed or until every
// window is closed. --hang-after stops pumping (the windows' thread sleeps)
// for --hang-for milliseconds, or for good when that is -1 or not given.
// --tray adds a notification-area icon (tip "wrsample") owned by the first
// window, removed when that window is destroyed. --clamp keeps the window at
// x >= 0 and y >= 0 (its WM_WINDOWPOSCHANGING handler changes every move that
// would go further), as programs that keep themselves on the screen do.
// --pause-at-move makes the windows' thread stop pumping for MS milliseconds
// once the window has been moved the first time (a slow program, not a hung
// one: moves asked meanwhile wait for it).
// Windows that belong to the screen: --overlay is topmost, layered and
// click-through (a recording or GPU overlay), --widget a topmost tool window
// that is never activated (an on-screen widget). --borderless has no caption
// or frame (a full-screen game or video with the screen's rectangle);
// --foreground makes the window the foreground window once shown.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wrsample [--exit-after MS] [--hang-after MS [--hang-for MS]] [--tray]\n"
    "                [--class NAME] --window TITLE X Y W H "
    "[--maximized|--minimized|--topmost|--tool|--hidden] [--clamp] [--pause-at-move MS]\n"
    "                [--overlay|--widget] [--borderless] [--foreground]\n"
    "                [--many N X Y W H] ...\n";

constexpr wchar_t kDefaultClass[] = L"WrSample";
constexpr COLORREF kColours[] = {RGB(230, 120, 100), RGB(110, 180, 110), RGB(100, 140, 220),
                                 RGB(220, 200, 90),  RGB(170, 110, 200), RGB(90, 190, 200),
                                 RGB(230, 160, 60),  RGB(160, 160, 160)};

struct WindowPlan {
    std::wstring className = kDefaultClass;
    std::wstring title;
    int x = 0, y = 0, w = 200, h = 150;
    int show = SW_SHOWNORMAL;
    DWORD exStyle = 0;
    DWORD style = WS_OVERLAPPEDWINDOW;
    bool foreground = false;
    bool hidden = false;
    bool clamp = false;
    long long pauseAtMove = 0;
};

constexpr wchar_t kClampProp[] = L"wrsample.clamp";
constexpr wchar_t kPauseProp[] = L"wrsample.pause";

int liveWindows = 0;
HWND trayOwner = nullptr;

NOTIFYICONDATAW trayRecord(HWND owner) {
    NOTIFYICONDATAW n{};
    n.cbSize = sizeof(n);
    n.hWnd = owner;
    n.uID = 1;
    n.uFlags = NIF_ICON | NIF_TIP;
    n.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    std::wcscpy(n.szTip, L"wrsample");
    return n;
}

std::wstring unescape(const wchar_t* text) {
    std::wstring out;
    for (const wchar_t* c = text; *c; ++c) {
        if (c[0] == L'\\' && c[1] == L'u' && std::wcslen(c) >= 6) {
            wchar_t hex[5] = {c[2], c[3], c[4], c[5], 0};
            wchar_t* end = nullptr;
            unsigned long v = std::wcstoul(hex, &end, 16);
            if (end == hex + 4) {
                out.push_back(static_cast<wchar_t>(v));
                c += 5;
                continue;
            }
        }
        out.push_back(*c);
    }
    return out;
}

LRESULT CALLBACK sampleProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(w, &ps);
            RECT r;
            GetClientRect(w, &r);
            HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(GetWindowLongPtrW(w, GWLP_USERDATA)));
            FillRect(dc, &r, brush);
            DeleteObject(brush);
            wchar_t title[256];
            InternalGetWindowText(w, title, 256);
            SetBkMode(dc, TRANSPARENT);
            DrawTextW(dc, title, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            EndPaint(w, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_WINDOWPOSCHANGING: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            if (GetPropW(w, kClampProp) && !(pos->flags & SWP_NOMOVE)) {
                if (pos->x < 0) pos->x = 0;
                if (pos->y < 0) pos->y = 0;
            }
            return DefWindowProcW(w, msg, wp, lp);
        }
        case WM_WINDOWPOSCHANGED: {
            auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
            const auto pause = reinterpret_cast<uintptr_t>(GetPropW(w, kPauseProp));
            if (pause != 0 && !(pos->flags & SWP_NOMOVE) && IsWindowVisible(w)) {
                RemovePropW(w, kPauseProp);
                Sleep(static_cast<DWORD>(pause));
            }
            return DefWindowProcW(w, msg, wp, lp);
        }
        case WM_DESTROY:
            if (w == trayOwner) {
                NOTIFYICONDATAW n = trayRecord(w);
                Shell_NotifyIconW(NIM_DELETE, &n);
                trayOwner = nullptr;
            }
            if (--liveWindows == 0) PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(w, msg, wp, lp);
    }
}

bool registerClass(const std::wstring& name) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name.c_str(), &wc)) return true;
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = sampleProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = name.c_str();
    return RegisterClassExW(&wc) != 0;
}

int parseArgs(int argc, wchar_t** argv, std::vector<WindowPlan>* plans, long long* exitAfter,
              long long* hangAfter, long long* hangFor, bool* tray) {
    std::wstring className = kDefaultClass;
    for (int i = 1; i < argc; ++i) {
        const wchar_t* a = argv[i];
        if (std::wcscmp(a, L"--exit-after") == 0 && i + 1 < argc && parseInt(argv[i + 1], exitAfter)) {
            ++i;
        } else if (std::wcscmp(a, L"--hang-after") == 0 && i + 1 < argc && parseInt(argv[i + 1], hangAfter)) {
            ++i;
        } else if (std::wcscmp(a, L"--hang-for") == 0 && i + 1 < argc && parseInt(argv[i + 1], hangFor)) {
            ++i;
        } else if (std::wcscmp(a, L"--tray") == 0) {
            *tray = true;
        } else if (std::wcscmp(a, L"--class") == 0 && i + 1 < argc) {
            className = argv[++i];
        } else if ((std::wcscmp(a, L"--window") == 0 || std::wcscmp(a, L"--many") == 0) && i + 5 < argc) {
            bool many = std::wcscmp(a, L"--many") == 0;
            long long v[4];
            for (int k = 0; k < 4; ++k) {
                if (!parseInt(argv[i + 2 + k], &v[k])) return 2;
            }
            long long count = 1;
            if (many && (!parseInt(argv[i + 1], &count) || count < 1 || count > 1000)) return 2;
            for (long long k = 0; k < count; ++k) {
                WindowPlan s;
                s.className = className;
                s.title = many ? L"wrsample " + std::to_wstring(k + 1) : unescape(argv[i + 1]);
                s.x = static_cast<int>(v[0] + (many ? 24 * k : 0));
                s.y = static_cast<int>(v[1] + (many ? 24 * k : 0));
                s.w = static_cast<int>(v[2]);
                s.h = static_cast<int>(v[3]);
                plans->push_back(s);
            }
            i += 5;
        } else if (std::wcscmp(a, L"--maximized") == 0 && !plans->empty()) {
            plans->back().show = SW_SHOWMAXIMIZED;
        } else if (std::wcscmp(a, L"--minimized") == 0 && !plans->empty()) {
            plans->back().show = SW_SHOWMINNOACTIVE;
        } else if (std::wcscmp(a, L"--topmost") == 0 && !plans->empty()) {
            plans->back().exStyle |= WS_EX_TOPMOST;
        } else if (std::wcscmp(a, L"--tool") == 0 && !plans->empty()) {
            plans->back().exStyle |= WS_EX_TOOLWINDOW;
        } else if (std::wcscmp(a, L"--overlay") == 0 && !plans->empty()) {
            plans->back().exStyle |= WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_TRANSPARENT;
        } else if (std::wcscmp(a, L"--widget") == 0 && !plans->empty()) {
            plans->back().exStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        } else if (std::wcscmp(a, L"--borderless") == 0 && !plans->empty()) {
            plans->back().style = WS_POPUP;
        } else if (std::wcscmp(a, L"--foreground") == 0 && !plans->empty()) {
            plans->back().foreground = true;
        } else if (std::wcscmp(a, L"--hidden") == 0 && !plans->empty()) {
            plans->back().hidden = true;
        } else if (std::wcscmp(a, L"--clamp") == 0 && !plans->empty()) {
            plans->back().clamp = true;
        } else if (std::wcscmp(a, L"--pause-at-move") == 0 && !plans->empty() && i + 1 < argc &&
                   parseInt(argv[i + 1], &plans->back().pauseAtMove) && plans->back().pauseAtMove > 0) {
            ++i;
        } else {
            return 2;
        }
    }
    return plans->empty() ? 2 : 0;
}

// Pumps until the deadline (-1: for good); false once the quit message came.
bool pumpUntil(ULONGLONG deadline) {
    for (;;) {
        MSG m;
        while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
            if (m.message == WM_QUIT) return false;
            TranslateMessage(&m);
            DispatchMessageW(&m);
        }
        DWORD wait = INFINITE;
        if (deadline != static_cast<ULONGLONG>(-1)) {
            ULONGLONG now = GetTickCount64();
            if (now >= deadline) return true;
            wait = static_cast<DWORD>(deadline - now);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    std::vector<WindowPlan> plans;
    long long exitAfter = -1, hangAfter = -1, hangFor = -1;
    bool tray = false;
    if (argv == nullptr || parseArgs(argc, argv, &plans, &exitAfter, &hangAfter, &hangFor, &tray) != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::printf("pid %lu\n", static_cast<unsigned long>(GetCurrentProcessId()));
    int index = 0;
    for (const WindowPlan& s : plans) {
        if (!registerClass(s.className)) return 1;
        HWND w = CreateWindowExW(s.exStyle, s.className.c_str(), s.title.c_str(), s.style, s.x, s.y, s.w, s.h,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        if (w == nullptr) return 1;
        ++liveWindows;
        SetWindowLongPtrW(w, GWLP_USERDATA, static_cast<LONG_PTR>(kColours[index++ % 8]));
        // A layered window shows nothing until its opacity is given.
        if (s.exStyle & WS_EX_LAYERED) SetLayeredWindowAttributes(w, 0, 160, LWA_ALPHA);
        if (!s.hidden) ShowWindow(w, s.show);
        if (s.foreground) SetForegroundWindow(w);
        // Set once the window stands where it was created.
        if (s.clamp) SetPropW(w, kClampProp, reinterpret_cast<HANDLE>(1));
        if (s.pauseAtMove > 0)
            SetPropW(w, kPauseProp, reinterpret_cast<HANDLE>(static_cast<uintptr_t>(s.pauseAtMove)));
        if (tray && trayOwner == nullptr) {
            NOTIFYICONDATAW n = trayRecord(w);
            if (Shell_NotifyIconW(NIM_ADD, &n)) trayOwner = w;
        }
        std::printf("0x%llx\t%s\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)),
                    utf8(s.title).c_str());
    }
    std::printf("ready\n");
    std::fflush(stdout);

    ULONGLONG start = GetTickCount64();
    ULONGLONG never = static_cast<ULONGLONG>(-1);
    ULONGLONG exitAt = exitAfter >= 0 ? start + static_cast<ULONGLONG>(exitAfter) : never;
    if (hangAfter >= 0) {
        ULONGLONG hangAt = start + static_cast<ULONGLONG>(hangAfter);
        if (!pumpUntil(exitAt < hangAt ? exitAt : hangAt)) return 0;
        if (exitAt != never && GetTickCount64() >= exitAt) return 0;
        // Not answering messages: what a hung program looks like from outside.
        Sleep(hangFor >= 0 ? static_cast<DWORD>(hangFor) : INFINITE);
    }
    pumpUntil(exitAt);
    return 0;
}
