// The options dialog's procedure: a tab strip over four pages (child dialogs
// below it), turning messages into the dialog logic's handlers. Controls are
// found on whichever page holds them, so the logic sees one dialog.
#include "settings/options_dialog_win32.h"

#include <commctrl.h>

#include <string>

#include "app/hotkeys.h"
#include "app/shell.h"
#include "app/start_with_windows.h"
#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/options_dialog.h"
#include "settings/rule_editor_win32.h"
#include "settings/rules_page.h"

namespace {

OptionsDialog dialogState;
RulesPage rulesPage;

struct Page {
    int dialogId;
    int titleId;
};

constexpr Page kPages[] = {
    {IDD_PAGE_EDGES, IDS_TAB_EDGES},
    {IDD_PAGE_KEYS, IDS_TAB_KEYS},
    {IDD_PAGE_WINDOWS, IDS_TAB_WINDOWS},
    {IDD_PAGE_GENERAL, IDS_TAB_GENERAL},
};
constexpr int kPageCount = sizeof kPages / sizeof kPages[0];
HWND pages[kPageCount];

std::wstring wide(const std::string& utf8) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, out.data(), n);
    out.resize(out.size() - 1);
    return out;
}

// A page hands its commands to the dialog, which handles them all.
INT_PTR CALLBACK pageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return FALSE;
    if (message == WM_COMMAND) {
        SendMessageW(GetParent(page), WM_COMMAND, wParam, lParam);
        return TRUE;
    }
    return FALSE;
}

void showPage(HWND dialog, int index) {
    for (int i = 0; i < kPageCount; ++i) ShowWindow(pages[i], i == index ? SW_SHOW : SW_HIDE);
    HWND tabs = GetDlgItem(dialog, IDC_OPTION_TABS);
    if (static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) != index)
        SendMessageW(tabs, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// The tabs, and the pages right below them in the tab order (Tab goes from
// the tabs into the page shown, then to OK and cancel).
void makePages(HWND dialog) {
    HWND tabs = GetDlgItem(dialog, IDC_OPTION_TABS);
    RECT strip{};
    GetWindowRect(tabs, &strip);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&strip), 2);
    HWND after = tabs;
    for (int i = 0; i < kPageCount; ++i) {
        std::wstring title = wide(platform::uiText(kPages[i].titleId));
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = title.data();
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        pages[i] = platform::createUiDialog(instance, kPages[i].dialogId, dialog, pageProc);
        SetWindowPos(pages[i], after, strip.left, strip.bottom + 2, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        after = pages[i];
    }
    showPage(dialog, 0);
}

void editRule(HWND dialog, bool adding) {
    const platform::WindowHandle d = handleOf(dialog);
    WindowRule rule;
    if (!adding && !rulesPage.selected(d, &rule)) return;
    if (runRuleEditor(dialog, adding, &rule) != 1) return;
    if (adding) {
        rulesPage.add(d, rule);
    } else {
        rulesPage.replaceSelected(d, rule);
    }
}

INT_PTR CALLBACK optionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            makePages(dialog);
            dialogState.hotkeys = &hotkeys;
            dialogState.onInit(handleOf(dialog), appOptions);
            rulesPage.onInit(handleOf(dialog), desk->rules.rules());
            // Start with Windows is the Run entry itself, not an option of the file.
            platform::setChecked(handleOf(dialog), IDC_START_WITH_WINDOWS, startsWithWindows());
            SetFocus(GetDlgItem(dialog, IDC_OPTION_TABS));
            return FALSE;
        case WM_NOTIFY: {
            const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
            if (header->idFrom == IDC_OPTION_TABS && header->code == TCN_SELCHANGE)
                showPage(dialog, static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
            return FALSE;
        }
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    // A key field that cannot be used keeps the dialog open.
                    if (dialogState.onOk(handleOf(dialog), &appOptions) != 0) return TRUE;
                    desk->rules.setRules(rulesPage.rules());
                    // Only a change is written: an entry of another copy of
                    // the program, shown unchecked, stays unless asked.
                    bool wanted = platform::isChecked(handleOf(dialog), IDC_START_WITH_WINDOWS);
                    if (wanted != startsWithWindows()) setStartWithWindows(wanted);
                    EndDialog(dialog, 1);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                case IDC_RULE_ADD:
                    editRule(dialog, true);
                    return TRUE;
                case IDC_RULE_EDIT:
                    editRule(dialog, false);
                    return TRUE;
                case IDC_RULES:
                    if (HIWORD(wParam) == LBN_DBLCLK) editRule(dialog, false);
                    return TRUE;
                case IDC_RULE_REMOVE:
                    rulesPage.removeSelected(handleOf(dialog));
                    return TRUE;
                case IDC_RULE_UP:
                    rulesPage.moveSelected(handleOf(dialog), -1);
                    return TRUE;
                case IDC_RULE_DOWN:
                    rulesPage.moveSelected(handleOf(dialog), 1);
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

int runOptionsDialog(HWND owner) {
    // The template's texts are UTF-16; the wide call keeps them whatever the
    // code page. In the language chosen at start-up.
    INT_PTR r = platform::runUiDialog(instance, IDD_OPTIONS, owner, optionsDialogProc);
    if (r != 1) return 0;
    // The keys take effect at once; one another program holds is named now,
    // and marked in the dialog from then on.
    if (registerHotkeysFromOptions() != 0) reportHotkeyFailures(owner);
    return 1;
}
