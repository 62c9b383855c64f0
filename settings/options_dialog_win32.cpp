// The options dialog's procedure: turns messages into the dialog logic's
// handlers.
#include "settings/options_dialog_win32.h"

#include "app/hotkeys.h"
#include "app/shell.h"
#include "app/start_with_windows.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/options_dialog.h"

namespace {

OptionsDialog dialogState;

INT_PTR CALLBACK optionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            dialogState.hotkeys = &hotkeys;
            dialogState.onInit(handleOf(dialog), appOptions);
            // Start with Windows is the Run entry itself, not an option of the file.
            CheckDlgButton(dialog, IDC_START_WITH_WINDOWS, startsWithWindows() ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK: {
                    // A key field that cannot be used keeps the dialog open.
                    if (dialogState.onOk(handleOf(dialog), &appOptions) != 0) return TRUE;
                    // Only a change is written: an entry of another copy of
                    // the program, shown unchecked, stays unless asked.
                    bool wanted = IsDlgButtonChecked(dialog, IDC_START_WITH_WINDOWS) == BST_CHECKED;
                    if (wanted != startsWithWindows()) setStartWithWindows(wanted);
                    EndDialog(dialog, 1);
                    return TRUE;
                }
                case IDCANCEL:
                    EndDialog(dialog, 0);
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
