// wropttool: drives the options dialog ("Wideroom 詳細設定") of a running
// wideroom.exe for the end-to-end tests, as a user's typing and clicks reach
// its controls. One subcommand per run; text out as UTF-8, one record a line;
// exit code 0 on success, 1 on failure or timeout, 2 on a usage error.
//
//   dialog [--timeout MS]     the options dialog: "handle<TAB>owner"
//   nodialog [--timeout MS]   waits until there is none
//   values H                  the three edits, "|", the check boxes Left Right
//                             Top Bottom and Carry (1 checked, 0 not)
//   type H ID TEXT            replaces an edit's text, as typing does
//   check H ID 0|1            clicks a check box when it is not so already
//   rects H                   every control: "id left top right bottom" in
//                             screen pixels (-1: no id), those of the pages of
//                             a tabbed dialog too
//   tab H ID                  shows the page that holds control ID, as the
//                             arrow keys on the tabs do
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wropttool dialog|nodialog [--timeout MS] | values H | type H ID TEXT | check H ID 0|1 | rects "
    "H | tab H ID\n";

// "Wideroom 詳細設定", built in as UTF-16.
// "Wideroom 詳細設定" and the English dialog's title.
constexpr const wchar_t* kTitles[] = {L"Wideroom \u8a73\u7d30\u8a2d\u5b9a", L"Wideroom Options"};
constexpr int kEdits[] = {1101, 1103, 1105};
constexpr int kChecks[] = {1107, 1108, 1109, 1110, 1111};

HWND findDialog() {
    for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        wchar_t buf[256];
        buf[0] = 0;
        InternalGetWindowText(w, buf, 256);
        bool titled = std::wcscmp(buf, kTitles[0]) == 0 || std::wcscmp(buf, kTitles[1]) == 0;
        if (classOf(w) == L"#32770" && titled && IsWindowVisible(w)) return w;
    }
    return nullptr;
}

int cmdDialog(long long timeoutMs, bool present) {
    const ULONGLONG start = GetTickCount64();
    for (;;) {
        HWND w = findDialog();
        if (present && w) {
            printLine(handleText(w) + "\t" + handleText(GetWindow(w, GW_OWNER)));
            return 0;
        }
        if (!present && !w) return 0;
        if (static_cast<long long>(GetTickCount64() - start) >= timeoutMs) return 1;
        Sleep(20);
    }
}

std::string editText(HWND edit) {
    wchar_t buf[256];
    DWORD_PTR got = 0;
    if (!sendTimeout(edit, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buf), &got)) return "?";
    return recordText(std::wstring(buf, static_cast<size_t>(got)));
}

int cmdValues(HWND dialog) {
    std::string line;
    for (int id : kEdits) line += editText(findControl(dialog, id)) + " ";
    line += "|";
    for (int id : kChecks) {
        DWORD_PTR state = 0;
        if (!sendTimeout(findControl(dialog, id), BM_GETCHECK, 0, 0, &state)) return 1;
        line += state == BST_CHECKED ? " 1" : " 0";
    }
    printLine(line);
    return 0;
}

int cmdType(HWND dialog, long long id, const wchar_t* text) {
    HWND edit = findControl(dialog, static_cast<int>(id));
    return edit && sendTimeout(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) ? 0 : 1;
}

int cmdCheck(HWND dialog, long long id, long long on) {
    HWND box = findControl(dialog, static_cast<int>(id));
    DWORD_PTR state = 0;
    if (!box || !sendTimeout(box, BM_GETCHECK, 0, 0, &state)) return 1;
    if ((state == BST_CHECKED) == (on != 0)) return 0;
    return sendTimeout(box, BM_CLICK, 0, 0) ? 0 : 1;
}

int cmdRects(HWND dialog) {
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        // A tabbed dialog's page: its controls.
        if (classOf(c) == L"#32770") {
            cmdRects(c);
            continue;
        }
        int id = GetDlgCtrlID(c);
        if (id == 0xFFFF) id = -1;
        RECT r;
        GetWindowRect(c, &r);
        char buf[96];
        std::snprintf(buf, sizeof buf, "%d %ld %ld %ld %ld", id, r.left, r.top, r.right, r.bottom);
        printLine(buf);
    }
    return 0;
}

// Brings the page that holds control ID to the front as the keyboard does:
// the tab before it (or after it, for the first) selected, then an arrow key
// on the tabs, which tell the dialog of the change.
int cmdTab(HWND dialog, long long id) {
    HWND tabs = nullptr;
    int index = -1;
    int pages = 0;
    HWND page = nullptr;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (classOf(c) == L"SysTabControl32") tabs = c;
        if (classOf(c) != L"#32770") continue;
        if (GetDlgItem(c, static_cast<int>(id)) != nullptr) {
            index = pages;
            page = c;
        }
        ++pages;
    }
    if (!tabs || index < 0 || pages < 2) return 1;
    if (IsWindowVisible(page)) return 0;
    const bool first = index == 0;
    if (!sendTimeout(tabs, TCM_SETCURSEL, static_cast<WPARAM>(first ? 1 : index - 1), 0)) return 1;
    const WPARAM key = first ? VK_LEFT : VK_RIGHT;
    if (!sendTimeout(tabs, WM_KEYDOWN, key, 1) || !sendTimeout(tabs, WM_KEYUP, key, 0xC0000001)) return 1;
    for (int i = 0; i < 100 && !IsWindowVisible(page); ++i) Sleep(20);
    return IsWindowVisible(page) ? 0 : 1;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::wstring c = argv[1];
    long long timeoutMs = 10000;
    std::vector<const wchar_t*> rest;
    for (int i = 2; i < argc; ++i) {
        if (std::wcscmp(argv[i], L"--timeout") == 0 && i + 1 < argc && parseInt(argv[i + 1], &timeoutMs)) {
            ++i;
        } else {
            rest.push_back(argv[i]);
        }
    }
    if (c == L"dialog" || c == L"nodialog") return cmdDialog(timeoutMs, c == L"dialog");
    HWND dialog = nullptr;
    long long a = 0;
    long long b = 0;
    if (rest.empty() || !parseHandle(rest[0], &dialog)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!IsWindow(dialog)) return 1;
    if (c == L"values" && rest.size() == 1) return cmdValues(dialog);
    if (c == L"rects" && rest.size() == 1) return cmdRects(dialog);
    if (c == L"tab" && rest.size() == 2 && parseInt(rest[1], &a)) return cmdTab(dialog, a);
    if (c == L"type" && rest.size() == 3 && parseInt(rest[1], &a)) return cmdType(dialog, a, rest[2]);
    if (c == L"check" && rest.size() == 3 && parseInt(rest[1], &a) && parseInt(rest[2], &b))
        return cmdCheck(dialog, a, b);
    std::fputs(kUsage, stderr);
    return 2;
}
