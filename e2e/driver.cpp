// wrdriver: reads and pokes the windows of a running Wine session for the
// end-to-end tests. One subcommand per run; plain text out, one record a line;
// exit code 0 on success, 1 on failure or timeout, 2 on a usage error.
//
// A window record is tab-separated:
//   handle pid visible showCmd topmost left top right bottom clientW clientH class title
// Titles and classes are printed as UTF-8; handles as 0x-prefixed hex.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wrdriver <command> ...\n"
    "  list [filters]                      top-level windows, topmost first\n"
    "  find [filters] [--timeout MS] [--children] [--list]\n"
    "                                      wait for the first match, print it\n"
    "  gone [filters] [--timeout MS]       wait until nothing matches\n"
    "  watch [filters] --for MS [--until TITLE] [--children]\n"
    "                                      print + / - / ~ lines as windows come, go, change;\n"
    "                                      stop early once a visible TITLE window is there\n"
    "  info H | children H | rect H | client H | pid H | process H\n"
    "  post H MSG WPARAM LPARAM            PostMessageW\n"
    "  send H MSG WPARAM LPARAM            SendMessageTimeoutW (5 s), prints the result\n"
    "  move H X Y [W H] [--async]          place a window (size kept unless given)\n"
    "  title H TEXT                        set a window's title\n"
    "  front H                             bring a window to the front (SetForegroundWindow),\n"
    "                                      as a taskbar button or Alt+Tab does\n"
    "  cursor X Y | getcursor\n"
    "  key down|up VK                      synthesised key (VK decimal or 0x hex)\n"
    "  button left|right down|up           synthesised mouse button\n"
    "  track H --pixels N [--timeout MS]   wait for H to start moving, then time N pixels\n"
    "                                      of horizontal travel; prints moves, pixels, ms\n"
    "                                      and ms per pixel\n"
    "filters: --class C --title T --process EXE --pid P --visible --exclude H\n";

// Reading the title must not send a message: the window's program may be hung.
std::wstring titleOf(HWND w) {
    wchar_t buf[512];
    buf[0] = 0;
    InternalGetWindowText(w, buf, 512);
    return buf;
}

// Filters ask for the same processes over and over.
std::wstring cachedProcessName(DWORD pid) {
    static std::map<DWORD, std::wstring> cache;
    auto it = cache.find(pid);
    if (it != cache.end()) return it->second;
    return cache[pid] = processNameOf(pid);
}

struct Record {
    HWND handle = nullptr;
    DWORD pid = 0;
    int visible = 0;
    unsigned showCmd = 0;
    int topmost = 0;
    RECT rect{};
    int clientW = 0;
    int clientH = 0;
    std::wstring className;
    std::wstring title;
};

Record recordOf(HWND w) {
    Record r;
    r.handle = w;
    GetWindowThreadProcessId(w, &r.pid);
    r.visible = IsWindowVisible(w) ? 1 : 0;
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if (GetWindowPlacement(w, &wp)) r.showCmd = wp.showCmd;
    r.topmost = (GetWindowLongW(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
    GetWindowRect(w, &r.rect);
    RECT c{};
    if (GetClientRect(w, &c)) {
        r.clientW = c.right - c.left;
        r.clientH = c.bottom - c.top;
    }
    r.className = classOf(w);
    r.title = titleOf(w);
    return r;
}

std::string format(const Record& r) {
    char head[256];
    std::snprintf(head, sizeof(head), "0x%llx\t%lu\t%d\t%u\t%d\t%ld\t%ld\t%ld\t%ld\t%d\t%d\t",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(r.handle)),
                  static_cast<unsigned long>(r.pid), r.visible, r.showCmd, r.topmost, r.rect.left, r.rect.top,
                  r.rect.right, r.rect.bottom, r.clientW, r.clientH);
    return head + recordText(r.className.c_str()) + "\t" + recordText(r.title.c_str());
}

struct Filter {
    const wchar_t* className = nullptr;
    const wchar_t* title = nullptr;
    const wchar_t* process = nullptr;
    long long pid = -1;
    bool visibleOnly = false;
    std::set<HWND> excluded;

    bool matches(const Record& r) const {
        if (className != nullptr && r.className != className) return false;
        if (title != nullptr && r.title != title) return false;
        if (pid >= 0 && r.pid != static_cast<DWORD>(pid)) return false;
        if (visibleOnly && !r.visible) return false;
        if (excluded.count(r.handle)) return false;
        if (process != nullptr && _wcsicmp(cachedProcessName(r.pid).c_str(), process) != 0) return false;
        return true;
    }
};

// The options every window-walking command shares, and a few of their own.
struct Options {
    Filter filter;
    long long timeoutMs = 10000;
    long long forMs = -1;
    const wchar_t* until = nullptr;
    long long pixels = 100;
    bool children = false;
    bool list = false;
    bool async = false;
    std::vector<const wchar_t*> positional;
};

int parseOptions(int argc, wchar_t** argv, int first, Options* o) {
    for (int i = first; i < argc; ++i) {
        const wchar_t* a = argv[i];
        const wchar_t* v = i + 1 < argc ? argv[i + 1] : nullptr;
        long long n = 0;
        if (std::wcscmp(a, L"--class") == 0 && v) {
            o->filter.className = v;
            ++i;
        } else if (std::wcscmp(a, L"--title") == 0 && v) {
            o->filter.title = v;
            ++i;
        } else if (std::wcscmp(a, L"--process") == 0 && v) {
            o->filter.process = v;
            ++i;
        } else if (std::wcscmp(a, L"--pid") == 0 && parseInt(v, &n)) {
            o->filter.pid = n;
            ++i;
        } else if (std::wcscmp(a, L"--exclude") == 0 && v) {
            HWND h = nullptr;
            if (!parseHandle(v, &h)) return 2;
            o->filter.excluded.insert(h);
            ++i;
        } else if (std::wcscmp(a, L"--visible") == 0) {
            o->filter.visibleOnly = true;
        } else if (std::wcscmp(a, L"--timeout") == 0 && parseInt(v, &n)) {
            o->timeoutMs = n;
            ++i;
        } else if (std::wcscmp(a, L"--for") == 0 && parseInt(v, &n)) {
            o->forMs = n;
            ++i;
        } else if (std::wcscmp(a, L"--until") == 0 && v) {
            o->until = v;
            ++i;
        } else if (std::wcscmp(a, L"--pixels") == 0 && parseInt(v, &n) && n > 0) {
            o->pixels = n;
            ++i;
        } else if (std::wcscmp(a, L"--children") == 0) {
            o->children = true;
        } else if (std::wcscmp(a, L"--list") == 0) {
            o->list = true;
        } else if (std::wcscmp(a, L"--async") == 0) {
            o->async = true;
        } else if (a[0] == L'-' && a[1] == L'-') {
            return 2;
        } else {
            o->positional.push_back(a);
        }
    }
    return 0;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> all;
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        all.push_back(w);
        if (all.size() > 100000) break;  // a walk that loops must not hang the test
    }
    return all;
}

BOOL CALLBACK collectChild(HWND w, LPARAM out) {
    reinterpret_cast<std::vector<HWND>*>(out)->push_back(w);
    return TRUE;
}

std::vector<HWND> childWindows(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collectChild, reinterpret_cast<LPARAM>(&all));
    return all;
}

void printChildren(HWND parent) {
    for (HWND c : childWindows(parent)) printLine("child\t" + format(recordOf(c)));
}

void printList(const Filter& filter) {
    for (HWND w : topLevelWindows()) {
        Record r = recordOf(w);
        if (filter.matches(r)) printLine(format(r));
    }
}

int cmdList(const Options& o) {
    printList(o.filter);
    return 0;
}

int cmdFind(const Options& o) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        for (HWND w : topLevelWindows()) {
            Record r = recordOf(w);
            if (!o.filter.matches(r)) continue;
            printLine(format(r));
            if (o.children) printChildren(w);
            // The whole desktop at the same moment, marked so it can be told apart.
            if (o.list) {
                for (HWND other : topLevelWindows()) printLine("list\t" + format(recordOf(other)));
            }
            return 0;
        }
        if (static_cast<long long>(GetTickCount64() - start) >= o.timeoutMs) return 1;
        Sleep(20);
    }
}

int cmdGone(const Options& o) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        bool any = false;
        for (HWND w : topLevelWindows()) {
            if (o.filter.matches(recordOf(w))) {
                any = true;
                break;
            }
        }
        if (!any) return 0;
        if (static_cast<long long>(GetTickCount64() - start) >= o.timeoutMs) return 1;
        Sleep(20);
    }
}

// Appearances, disappearances and changes of matching windows, until the time
// is up. "ready" marks the first pass so that a test can start what it watches.
// With --children, each + and ~ line is followed by the window's children.
// Each pass that saw a change ends with "@ MS" (milliseconds since the start).
int cmdWatch(const Options& o) {
    if (o.forMs < 0) return 2;
    std::map<HWND, std::string> seen;
    ULONGLONG start = GetTickCount64();
    bool first = true;
    for (;;) {
        std::map<HWND, std::string> now;
        bool done = false;
        for (HWND w : topLevelWindows()) {
            Record r = recordOf(w);
            if (!o.filter.matches(r)) continue;
            now[w] = format(r);
            if (o.until != nullptr && r.visible && r.title == o.until) done = true;
        }
        if (!first) {
            bool changed = false;
            for (const auto& [w, line] : seen) {
                if (now.count(w)) continue;
                printLine("-\t" + line);
                changed = true;
            }
            for (const auto& [w, line] : now) {
                auto it = seen.find(w);
                if (it == seen.end()) {
                    printLine("+\t" + line);
                } else if (it->second != line) {
                    printLine("~\t" + line);
                } else {
                    continue;
                }
                changed = true;
                if (o.children) printChildren(w);
            }
            // The end of one snapshot: the lines above held at the same moment.
            if (changed) printLine("@\t" + std::to_string(GetTickCount64() - start));
        } else {
            for (const auto& [w, line] : now) printLine("=\t" + line);
            printLine("ready");
            first = false;
        }
        seen.swap(now);
        if (done || static_cast<long long>(GetTickCount64() - start) >= o.forMs) return 0;
        Sleep(10);
    }
}

int needWindow(const Options& o, HWND* w) {
    if (o.positional.empty() || !parseHandle(o.positional[0], w) || !IsWindow(*w)) return 1;
    return 0;
}

int cmdInfo(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    printLine(format(recordOf(w)));
    return 0;
}

int cmdChildren(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    printChildren(w);
    return 0;
}

int cmdRect(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    RECT r{};
    if (!GetWindowRect(w, &r)) return 1;
    std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
    return 0;
}

int cmdClient(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    RECT r{};
    if (!GetClientRect(w, &r)) return 1;
    std::printf("%ld %ld\n", r.right - r.left, r.bottom - r.top);
    return 0;
}

int cmdPid(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::printf("%lu\n", static_cast<unsigned long>(pid));
    return 0;
}

int cmdProcess(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    std::printf("%s\n", utf8(cachedProcessName(pid).c_str()).c_str());
    return 0;
}

int messageArgs(const Options& o, HWND* w, UINT* msg, WPARAM* wp, LPARAM* lp) {
    long long m = 0, a = 0, b = 0;
    if (o.positional.size() != 4 || !parseHandle(o.positional[0], w) || !parseInt(o.positional[1], &m) ||
        !parseInt(o.positional[2], &a) || !parseInt(o.positional[3], &b)) {
        return 2;
    }
    *msg = static_cast<UINT>(m);
    *wp = static_cast<WPARAM>(a);
    *lp = static_cast<LPARAM>(b);
    return 0;
}

int cmdPost(const Options& o) {
    HWND w = nullptr;
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
    if (int rc = messageArgs(o, &w, &msg, &wp, &lp)) return rc;
    return PostMessageW(w, msg, wp, lp) ? 0 : 1;
}

int cmdSend(const Options& o) {
    HWND w = nullptr;
    UINT msg = 0;
    WPARAM wp = 0;
    LPARAM lp = 0;
    if (int rc = messageArgs(o, &w, &msg, &wp, &lp)) return rc;
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(w, msg, wp, lp, SMTO_ABORTIFHUNG, 5000, &result)) return 1;
    std::printf("%lld\n", static_cast<long long>(result));
    return 0;
}

int cmdMove(const Options& o) {
    HWND w = nullptr;
    long long x = 0, y = 0, cx = 0, cy = 0;
    size_t n = o.positional.size();
    if ((n != 3 && n != 5) || !parseHandle(o.positional[0], &w) || !parseInt(o.positional[1], &x) ||
        !parseInt(o.positional[2], &y)) {
        return 2;
    }
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
    if (n == 5) {
        if (!parseInt(o.positional[3], &cx) || !parseInt(o.positional[4], &cy)) return 2;
    } else {
        flags |= SWP_NOSIZE;
    }
    if (o.async) flags |= SWP_ASYNCWINDOWPOS;
    return SetWindowPos(w, nullptr, static_cast<int>(x), static_cast<int>(y), static_cast<int>(cx),
                        static_cast<int>(cy), flags)
               ? 0
               : 1;
}

int cmdFront(const Options& o) {
    HWND w = nullptr;
    if (o.positional.size() != 1 || !parseHandle(o.positional[0], &w)) return 2;
    // Under Wine the foreground reads back a moment later: the call's answer counts.
    return SetForegroundWindow(w) ? 0 : 1;
}

// The title is sent as the window's own program would set it (WM_SETTEXT,
// carried across the processes by the window manager).
int cmdTitle(const Options& o) {
    HWND w = nullptr;
    if (o.positional.size() != 2 || !parseHandle(o.positional[0], &w)) return 2;
    return SetWindowTextW(w, o.positional[1]) ? 0 : 1;
}

int cmdCursor(const Options& o) {
    long long x = 0, y = 0;
    if (o.positional.size() != 2 || !parseInt(o.positional[0], &x) || !parseInt(o.positional[1], &y))
        return 2;
    return SetCursorPos(static_cast<int>(x), static_cast<int>(y)) ? 0 : 1;
}

int cmdGetCursor(const Options&) {
    POINT p{};
    if (!GetCursorPos(&p)) return 1;
    std::printf("%ld %ld\n", p.x, p.y);
    return 0;
}

int cmdKey(const Options& o) {
    long long vk = 0;
    if (o.positional.size() != 2 || !parseInt(o.positional[1], &vk)) return 2;
    bool down = std::wcscmp(o.positional[0], L"down") == 0;
    if (!down && std::wcscmp(o.positional[0], L"up") != 0) return 2;
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = static_cast<WORD>(vk);
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC));
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    return SendInput(1, &in, sizeof(in)) == 1 ? 0 : 1;
}

int cmdButton(const Options& o) {
    if (o.positional.size() != 2) return 2;
    bool left = std::wcscmp(o.positional[0], L"left") == 0;
    bool right = std::wcscmp(o.positional[0], L"right") == 0;
    bool down = std::wcscmp(o.positional[1], L"down") == 0;
    bool up = std::wcscmp(o.positional[1], L"up") == 0;
    if ((!left && !right) || (!down && !up)) return 2;
    INPUT in{};
    in.type = INPUT_MOUSE;
    if (left) in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    if (right) in.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    return SendInput(1, &in, sizeof(in)) == 1 ? 0 : 1;
}

// Times the horizontal travel of a window from outside: from its first move
// (the clock starts at a move, not between two) until it has travelled the
// given number of pixels. Polls every millisecond (Wine's Sleep is that
// fine), so the error is about one millisecond over the whole run.
int cmdTrack(const Options& o) {
    HWND w = nullptr;
    if (needWindow(o, &w)) return 1;
    RECT r{};
    if (!GetWindowRect(w, &r)) return 1;
    long x0 = r.left;
    double start = nowMs();
    int rc = 1;
    long moves = 0;
    long last = x0;
    double t0 = 0;
    long xs = 0;
    for (;;) {
        if (!GetWindowRect(w, &r)) break;
        double t = nowMs();
        if (r.left != last) {
            if (moves == 0) {
                t0 = t;
                xs = r.left;
            }
            ++moves;
            last = r.left;
            long travelled = std::labs(r.left - xs);
            if (travelled >= o.pixels) {
                double ms = t - t0;
                std::printf("moves %ld pixels %ld ms %.1f ms_per_pixel %.2f\n", moves - 1, travelled, ms,
                            ms / static_cast<double>(travelled));
                rc = 0;
                break;
            }
        }
        if (t - start >= static_cast<double>(o.timeoutMs)) break;
        Sleep(1);
    }
    return rc;
}

struct Command {
    const wchar_t* name;
    int (*run)(const Options&);
};

const Command kCommands[] = {
    {L"list", cmdList},       {L"find", cmdFind},           {L"gone", cmdGone},
    {L"watch", cmdWatch},     {L"info", cmdInfo},           {L"children", cmdChildren},
    {L"rect", cmdRect},       {L"client", cmdClient},       {L"pid", cmdPid},
    {L"process", cmdProcess}, {L"post", cmdPost},           {L"send", cmdSend},
    {L"move", cmdMove},       {L"title", cmdTitle},         {L"front", cmdFront},
    {L"cursor", cmdCursor},   {L"getcursor", cmdGetCursor}, {L"key", cmdKey},
    {L"button", cmdButton},   {L"track", cmdTrack},
};

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    if (argv == nullptr || argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    Options options;
    if (parseOptions(argc, argv, 2, &options) != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    for (const Command& c : kCommands) {
        if (std::wcscmp(argv[1], c.name) == 0) {
            int rc = c.run(options);
            std::fflush(stdout);
            if (rc == 2) std::fputs(kUsage, stderr);
            return rc;
        }
    }
    std::fputs(kUsage, stderr);
    return 2;
}
