// wrsettool: drives the settings dialog, its message boxes, the about box and
// the command menu of a running wideroom.exe for the end-to-end tests, the
// way a user's clicks would reach them: slider positions, button clicks and
// list selections sent to the real controls. One subcommand per run; text
// out as UTF-8, one record a line; exit code 0 on success, 1 on failure or
// timeout, 2 on a usage error.
//
//   dialog [--timeout MS]        the settings dialog of wideroom.exe (Japanese or
//                                English): its handle
//   nodialog [--timeout MS]      waits until there is none
//   about [--timeout MS]         the about box of wideroom.exe: its handle
//   noabout [--timeout MS]       waits until there is none
//   msgbox H [--timeout MS]      a message box (or dialog) owned by H:
//                                "handle<TAB>caption<TAB>text"
//   nomsgbox H [--timeout MS]    waits until H owns none
//   checked H ID                 1 when check box or radio button ID is checked, else 0
//   text H [ID]                  the window's text, or that of its control ID
//   controls H                   every control: "id<TAB>class<TAB>text" (the
//                                controls of a tabbed dialog's pages in their place)
//   pos H ID                     a slider's position
//   values H                     the settings as the dialog shows them, one line:
//                                the six edits, "|", the six sliders, "|", the
//                                check boxes and radio buttons 1040 1041 1056 1057
//                                1058 1059 (1 checked, 0 not)
//   drag H ID POS                moves a slider as a drag does: position, then
//                                the scroll notice to the dialog
//   click H ID [--post]          clicks a button (posted: returns at once, for
//                                clicks that open a message box)
//   lines H ID                   a list box's lines: "index<TAB>text"
//   select H ID INDEX            selects a list box line (-1: none)
//   choose H ID INDEX            selects it as a click does: with the list's
//                                notice to its dialog
//   fix H INDEX...               selects each candidate line in turn and clicks
//                                the fix button after each
//   popup [--timeout MS]         the open pop-up menu: "handle<TAB>left top right bottom"
//   menufile EXE ID [ja|en]      the items of menu ID in EXE, loaded as data (a
//                                menu cannot be read from another process), in
//                                the given language (default: the system's pick)
//   locale                       this process's code pages and locales
//
// A menu item prints as "id<TAB>text"; a separator as "-"; a pop-up as
// "popup<TAB>text" followed by its items indented by a tab. The titles looked
// for are built in as UTF-16, so no command line conversion can touch them;
// the texts read, UTF-16 in the windows, are printed as UTF-8, which keeps
// every character.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/tool_common.h"

namespace {

const char kUsage[] =
    "usage: wrsettool dialog|nodialog|about|noabout [--timeout MS]\n"
    "       wrsettool msgbox|nomsgbox H [--timeout MS] | checked H ID\n"
    "       wrsettool text H [ID] | controls H | pos H ID | values H | drag H ID POS\n"
    "       wrsettool click H ID [--post] | lines H ID | select H ID INDEX | fix H INDEX...\n"
    "       wrsettool popup [--timeout MS] | menufile EXE ID [ja|en] | locale\n";

constexpr wchar_t kProgram[] = L"wideroom.exe";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr wchar_t kMenuClass[] = L"#32768";
// "Wideroom 設定" and "バージョン情報", and the English titles.
constexpr const wchar_t* kSettingsTitles[] = {L"Wideroom \u8a2d\u5b9a", L"Wideroom Settings"};
constexpr const wchar_t* kAboutTitles[] = {L"\u30d0\u30fc\u30b8\u30e7\u30f3\u60c5\u5831", L"About Wideroom"};
constexpr int kCandidates = 1036;
constexpr int kFixButton = 1038;

bool parseLiveHandle(const wchar_t* text, HWND* window) {
    return parseHandle(text, window) && IsWindow(*window) != 0;
}

// A top-level window's caption as the window manager holds it.
std::wstring textOf(HWND w) {
    int n = GetWindowTextLengthW(w);
    std::wstring s(static_cast<size_t>(n > 0 ? n + 1 : 1), L'\0');
    int got = GetWindowTextW(w, s.data(), static_cast<int>(s.size()));
    s.resize(static_cast<size_t>(got > 0 ? got : 0));
    return s;
}

// A control's text, asked of the control itself: edits keep theirs where the
// window manager does not see it from another process.
std::wstring controlText(HWND c) {
    DWORD_PTR n = 0;
    if (!sendTimeout(c, WM_GETTEXTLENGTH, 0, 0, &n)) return std::wstring();
    std::wstring s(static_cast<size_t>(n) + 1, L'\0');
    DWORD_PTR got = 0;
    if (!sendTimeout(c, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()), &got))
        return std::wstring();
    s.resize(static_cast<size_t>(got) < s.size() ? static_cast<size_t>(got) : s.size() - 1);
    return s;
}

bool ofProgram(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    return _wcsicmp(processNameOf(pid).c_str(), kProgram) == 0;
}

// The first top-level window that passes the test, polled until the timeout.
template <typename Test>
HWND waitFor(long long timeoutMs, Test test) {
    ULONGLONG start = GetTickCount64();
    for (;;) {
        for (HWND w = GetTopWindow(nullptr); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
            if (test(w)) return w;
        }
        if (static_cast<long long>(GetTickCount64() - start) >= timeoutMs) return nullptr;
        Sleep(20);
    }
}

bool isProgramDialog(HWND w, const wchar_t* title) {
    // The title is read without a message: the program may be busy.
    wchar_t buf[256];
    buf[0] = 0;
    InternalGetWindowText(w, buf, 256);
    return classOf(w) == kDialogClass && std::wcscmp(buf, title) == 0 && ofProgram(w);
}

struct Args {
    long long timeoutMs = 10000;
    bool post = false;
    std::vector<const wchar_t*> positional;
};

int parseArgs(int argc, wchar_t** argv, Args* a) {
    for (int i = 2; i < argc; ++i) {
        long long n = 0;
        if (std::wcscmp(argv[i], L"--timeout") == 0 && i + 1 < argc && parseInt(argv[i + 1], &n)) {
            a->timeoutMs = n;
            ++i;
        } else if (std::wcscmp(argv[i], L"--post") == 0) {
            a->post = true;
        } else if (argv[i][0] == L'-' && argv[i][1] == L'-') {
            return 2;
        } else {
            a->positional.push_back(argv[i]);
        }
    }
    return 0;
}

// The window and the integers after it, or a usage error.
int windowAndInts(const Args& a, size_t ints, HWND* w, long long* values) {
    if (a.positional.size() != ints + 1) return 2;
    if (!parseLiveHandle(a.positional[0], w)) return 1;
    for (size_t i = 0; i < ints; ++i) {
        if (!parseInt(a.positional[i + 1], &values[i])) return 2;
    }
    return 0;
}

HWND control(HWND dialog, long long id) { return findControl(dialog, static_cast<int>(id)); }

// Either language's dialog.
bool ownedDialog(HWND w, HWND owner) {
    return classOf(w) == kDialogClass && GetWindow(w, GW_OWNER) == owner && IsWindowVisible(w);
}

int cmdWaitDialog(const Args& a, const wchar_t* const (&titles)[2], bool present) {
    auto test = [&titles](HWND w) { return isProgramDialog(w, titles[0]) || isProgramDialog(w, titles[1]); };
    if (present) {
        HWND w = waitFor(a.timeoutMs, test);
        if (!w) return 1;
        printLine(handleText(w));
        return 0;
    }
    ULONGLONG start = GetTickCount64();
    while (waitFor(0, test) != nullptr) {
        if (static_cast<long long>(GetTickCount64() - start) >= a.timeoutMs) return 1;
        Sleep(20);
    }
    return 0;
}

int cmdMsgBox(const Args& a) {
    HWND owner = nullptr;
    if (a.positional.size() != 1) return 2;
    if (!parseLiveHandle(a.positional[0], &owner)) return 1;
    HWND box = waitFor(a.timeoutMs, [owner](HWND w) { return ownedDialog(w, owner); });
    if (!box) return 1;
    // The message is the static control that holds text; the icon's has none.
    std::wstring message;
    for (HWND c = GetWindow(box, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (_wcsicmp(classOf(c).c_str(), L"Static") != 0) continue;
        std::wstring t = controlText(c);
        if (!t.empty()) {
            message = t;
            break;
        }
    }
    printLine(handleText(box) + "\t" + recordText(textOf(box)) + "\t" + recordText(message));
    return 0;
}

// Waits until no dialog is owned by H any more.
int cmdNoMsgBox(const Args& a) {
    HWND owner = nullptr;
    if (a.positional.size() != 1) return 2;
    if (!parseLiveHandle(a.positional[0], &owner)) return 1;
    ULONGLONG start = GetTickCount64();
    while (waitFor(0, [owner](HWND w) { return ownedDialog(w, owner); }) != nullptr) {
        if (static_cast<long long>(GetTickCount64() - start) >= a.timeoutMs) return 1;
        Sleep(20);
    }
    return 0;
}

// 1 when the check box or radio button ID is checked, else 0.
int cmdChecked(const Args& a) {
    HWND w = nullptr;
    long long id = 0;
    if (a.positional.size() != 2 || !parseInt(a.positional[1], &id)) return 2;
    if (!parseLiveHandle(a.positional[0], &w) || !control(w, id)) return 1;
    DWORD_PTR state = 0;
    if (!sendTimeout(control(w, id), BM_GETCHECK, 0, 0, &state)) return 1;
    printLine(state == BST_CHECKED ? "1" : "0");
    return 0;
}

int cmdText(const Args& a) {
    HWND w = nullptr;
    if (a.positional.empty() || a.positional.size() > 2) return 2;
    if (!parseLiveHandle(a.positional[0], &w)) return 1;
    if (a.positional.size() == 2) {
        long long id = 0;
        if (!parseInt(a.positional[1], &id)) return 2;
        wchar_t buf[1024];
        buf[0] = 0;
        if (!control(w, id)) return 1;
        DWORD_PTR got = 0;
        sendTimeout(control(w, id), WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(buf), &got);
        printLine(recordText(buf));
        return 0;
    }
    printLine(recordText(textOf(w)));
    return 0;
}

// The controls in their order, a tabbed dialog's pages in place of the
// controls they hold.
void printControls(HWND w, bool top) {
    for (HWND c = GetWindow(w, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (top && classOf(c) == kDialogClass) {
            printControls(c, false);
            continue;
        }
        int id = GetDlgCtrlID(c);
        // -1 ids of the template come back as 65535.
        if (id == 0xFFFF) id = -1;
        printLine(std::to_string(id) + "\t" + recordText(classOf(c)) + "\t" + recordText(controlText(c)));
    }
}

int cmdControls(const Args& a) {
    HWND w = nullptr;
    if (a.positional.size() != 1) return 2;
    if (!parseLiveHandle(a.positional[0], &w)) return 1;
    printControls(w, true);
    return 0;
}

int cmdPos(const Args& a) {
    HWND w = nullptr;
    long long v[1];
    if (int rc = windowAndInts(a, 1, &w, v)) return rc;
    DWORD_PTR pos = 0;
    if (!control(w, v[0]) || !sendTimeout(control(w, v[0]), TBM_GETPOS, 0, 0, &pos)) return 1;
    printLine(std::to_string(static_cast<long long>(pos)));
    return 0;
}

constexpr int kEdits[] = {1023, 1024, 1025, 1026, 1027, 1028};
constexpr int kSliders[] = {1030, 1031, 1032, 1033, 1034, 1035};
constexpr int kChecks[] = {1040, 1041, 1056, 1057, 1058, 1059};

int cmdValues(const Args& a) {
    HWND w = nullptr;
    if (int rc = windowAndInts(a, 0, &w, nullptr)) return rc;
    std::string line;
    for (int id : kEdits) line += recordText(controlText(control(w, id))) + " ";
    line += "|";
    for (int id : kSliders) {
        DWORD_PTR pos = 0;
        if (!sendTimeout(control(w, id), TBM_GETPOS, 0, 0, &pos)) return 1;
        line += ' ';
        line += std::to_string(static_cast<long long>(pos));
    }
    line += " |";
    for (int id : kChecks) {
        DWORD_PTR state = 0;
        if (!sendTimeout(control(w, id), BM_GETCHECK, 0, 0, &state)) return 1;
        line += state == BST_CHECKED ? " 1" : " 0";
    }
    printLine(line);
    return 0;
}

int cmdDrag(const Args& a) {
    HWND w = nullptr;
    long long v[2];
    if (int rc = windowAndInts(a, 2, &w, v)) return rc;
    HWND slider = control(w, v[0]);
    if (!slider) return 1;
    if (!sendTimeout(slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(v[1]))) return 1;
    // What a trackbar tells its parent when a drag ends.
    WPARAM where = MAKEWPARAM(TB_THUMBPOSITION, static_cast<WORD>(v[1]));
    if (!sendTimeout(w, WM_HSCROLL, where, reinterpret_cast<LPARAM>(slider))) return 1;
    return sendTimeout(w, WM_HSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(slider)) ? 0 : 1;
}

int cmdClick(const Args& a) {
    HWND w = nullptr;
    long long v[1];
    if (int rc = windowAndInts(a, 1, &w, v)) return rc;
    HWND button = control(w, v[0]);
    if (!button) return 1;
    if (a.post) return PostMessageW(button, BM_CLICK, 0, 0) ? 0 : 1;
    return sendTimeout(button, BM_CLICK, 0, 0) ? 0 : 1;
}

// The list box's lines through LB_GETTEXT, which the window manager carries
// across processes for list boxes that keep their strings.
std::vector<std::wstring> listLines(HWND list) {
    std::vector<std::wstring> lines;
    DWORD_PTR count = 0;
    if (!sendTimeout(list, LB_GETCOUNT, 0, 0, &count)) return lines;
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        sendTimeout(list, LB_GETTEXTLEN, i, 0, &length);
        std::wstring s(static_cast<size_t>(length) + 1, L'\0');
        DWORD_PTR got = 0;
        sendTimeout(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()), &got);
        s.resize(static_cast<LONG_PTR>(got) > 0 ? static_cast<size_t>(got) : 0);
        lines.push_back(s);
    }
    return lines;
}

int cmdLines(const Args& a) {
    HWND w = nullptr;
    long long v[1];
    if (int rc = windowAndInts(a, 1, &w, v)) return rc;
    HWND list = control(w, v[0]);
    if (!list) return 1;
    std::vector<std::wstring> lines = listLines(list);
    for (size_t i = 0; i < lines.size(); ++i) printLine(std::to_string(i) + "\t" + recordText(lines[i]));
    return 0;
}

int cmdSelect(const Args& a) {
    HWND w = nullptr;
    long long v[2];
    if (int rc = windowAndInts(a, 2, &w, v)) return rc;
    HWND list = control(w, v[0]);
    DWORD_PTR result = 0;
    if (!list || !sendTimeout(list, LB_SETCURSEL, static_cast<WPARAM>(v[1]), 0, &result)) return 1;
    return static_cast<LONG_PTR>(result) == v[1] ? 0 : 1;
}

// A line chosen as a click chooses it: selected, and the list's notice of
// the new selection to its dialog.
int cmdChoose(const Args& a) {
    if (int rc = cmdSelect(a)) return rc;
    HWND w = nullptr;
    long long v[2];
    windowAndInts(a, 2, &w, v);
    HWND list = control(w, v[0]);
    const WPARAM notice = MAKEWPARAM(static_cast<WORD>(v[0]), LBN_SELCHANGE);
    return sendTimeout(GetParent(list), WM_COMMAND, notice, reinterpret_cast<LPARAM>(list)) ? 0 : 1;
}

int cmdFix(const Args& a) {
    HWND w = nullptr;
    if (a.positional.size() < 2) return 2;
    if (!parseLiveHandle(a.positional[0], &w)) return 1;
    HWND list = control(w, kCandidates);
    HWND button = control(w, kFixButton);
    if (!list || !button) return 1;
    for (size_t i = 1; i < a.positional.size(); ++i) {
        long long index = 0;
        if (!parseInt(a.positional[i], &index)) return 2;
        DWORD_PTR result = 0;
        if (!sendTimeout(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, &result) ||
            static_cast<LONG_PTR>(result) != index) {
            return 1;
        }
        if (!sendTimeout(button, BM_CLICK, 0, 0)) return 1;
    }
    return 0;
}

// A menu's items; false when they cannot be read.
bool printMenu(HMENU menu, const std::string& indent) {
    int count = GetMenuItemCount(menu);
    if (count < 0) return false;
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU;
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) return false;
        if (info.fType & MFT_SEPARATOR) {
            printLine(indent + "-");
            continue;
        }
        wchar_t text[256];
        text[0] = 0;
        GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION);
        if (info.hSubMenu) {
            printLine(indent + "popup\t" + recordText(text));
            if (!printMenu(info.hSubMenu, indent + "\t")) return false;
        } else {
            printLine(indent + std::to_string(info.wID) + "\t" + recordText(text));
        }
    }
    return true;
}

int cmdPopup(const Args& a) {
    HWND popup = waitFor(a.timeoutMs, [](HWND w) { return classOf(w) == kMenuClass && IsWindowVisible(w); });
    if (!popup) return 1;
    RECT r{};
    GetWindowRect(popup, &r);
    char rect[96];
    std::snprintf(rect, sizeof(rect), "%ld %ld %ld %ld", r.left, r.top, r.right, r.bottom);
    printLine(handleText(popup) + "\t" + rect);
    return 0;
}

int cmdMenuFile(const Args& a) {
    long long id = 0;
    if (a.positional.size() < 2 || a.positional.size() > 3 || !parseInt(a.positional[1], &id)) return 2;
    LANGID language = 0;
    if (a.positional.size() == 3) {
        if (std::wcscmp(a.positional[2], L"ja") == 0) language = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
        if (std::wcscmp(a.positional[2], L"en") == 0) language = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
        if (language == 0) return 2;
    }
    HMODULE module = LoadLibraryExW(a.positional[0], nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return 1;
    HMENU menu = nullptr;
    if (language == 0) {
        menu = LoadMenuW(module, MAKEINTRESOURCEW(id));
    } else if (HRSRC found = FindResourceExW(module, reinterpret_cast<LPCWSTR>(RT_MENU), MAKEINTRESOURCEW(id),
                                             language)) {
        HGLOBAL loaded = LoadResource(module, found);
        if (loaded) menu = LoadMenuIndirectW(LockResource(loaded));
    }
    int rc = 1;
    if (menu) {
        rc = printMenu(menu, "") ? 0 : 1;
        DestroyMenu(menu);
    }
    FreeLibrary(module);
    return rc;
}

int cmdLocale(const Args&) {
    wchar_t user[LOCALE_NAME_MAX_LENGTH] = {};
    wchar_t system[LOCALE_NAME_MAX_LENGTH] = {};
    GetUserDefaultLocaleName(user, LOCALE_NAME_MAX_LENGTH);
    GetSystemDefaultLocaleName(system, LOCALE_NAME_MAX_LENGTH);
    printLine(std::string("acp ") + std::to_string(GetACP()));
    printLine(std::string("oemcp ") + std::to_string(GetOEMCP()));
    printLine(std::string("user ") + recordText(user));
    printLine(std::string("system ") + recordText(system));
    printLine(std::string("ui ") + std::to_string(GetUserDefaultUILanguage()));
    return 0;
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    Args a;
    if (argv == nullptr || argc < 2 || parseArgs(argc, argv, &a) != 0) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const wchar_t* c = argv[1];
    int rc = 2;
    if (std::wcscmp(c, L"dialog") == 0) {
        rc = cmdWaitDialog(a, kSettingsTitles, true);
    } else if (std::wcscmp(c, L"nodialog") == 0) {
        rc = cmdWaitDialog(a, kSettingsTitles, false);
    } else if (std::wcscmp(c, L"about") == 0) {
        rc = cmdWaitDialog(a, kAboutTitles, true);
    } else if (std::wcscmp(c, L"noabout") == 0) {
        rc = cmdWaitDialog(a, kAboutTitles, false);
    } else if (std::wcscmp(c, L"msgbox") == 0) {
        rc = cmdMsgBox(a);
    } else if (std::wcscmp(c, L"nomsgbox") == 0) {
        rc = cmdNoMsgBox(a);
    } else if (std::wcscmp(c, L"checked") == 0) {
        rc = cmdChecked(a);
    } else if (std::wcscmp(c, L"text") == 0) {
        rc = cmdText(a);
    } else if (std::wcscmp(c, L"controls") == 0) {
        rc = cmdControls(a);
    } else if (std::wcscmp(c, L"pos") == 0) {
        rc = cmdPos(a);
    } else if (std::wcscmp(c, L"values") == 0) {
        rc = cmdValues(a);
    } else if (std::wcscmp(c, L"drag") == 0) {
        rc = cmdDrag(a);
    } else if (std::wcscmp(c, L"click") == 0) {
        rc = cmdClick(a);
    } else if (std::wcscmp(c, L"lines") == 0) {
        rc = cmdLines(a);
    } else if (std::wcscmp(c, L"select") == 0) {
        rc = cmdSelect(a);
    } else if (std::wcscmp(c, L"choose") == 0) {
        rc = cmdChoose(a);
    } else if (std::wcscmp(c, L"fix") == 0) {
        rc = cmdFix(a);
    } else if (std::wcscmp(c, L"popup") == 0) {
        rc = cmdPopup(a);
    } else if (std::wcscmp(c, L"menufile") == 0) {
        rc = cmdMenuFile(a);
    } else if (std::wcscmp(c, L"locale") == 0) {
        rc = cmdLocale(a);
    }
    std::fflush(stdout);
    if (rc == 2) std::fputs(kUsage, stderr);
    return rc;
}
