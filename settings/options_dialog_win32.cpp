// The options dialog's procedure: turns messages into the dialog logic's
// handlers.
#include "settings/options_dialog_win32.h"

#include "app/hotkeys.h"
#include "app/shell.h"
#include "res/resource.h"
#include "settings/options_dialog.h"

namespace {

OptionsDialog dialogState;

INT_PTR CALLBACK optionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            dialogState.hotkeys = &hotkeys;
            dialogState.onInit(handleOf(dialog), appOptions);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    // A key field that cannot be used keeps the dialog open.
                    if (dialogState.onOk(handleOf(dialog), &appOptions) != 0) return TRUE;
                    EndDialog(dialog, 1);
                    return TRUE;
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
    // code page.
    INT_PTR r = DialogBoxParamW(instance, MAKEINTRESOURCEW(IDD_OPTIONS), owner, optionsDialogProc, 0);
    if (r != 1) return 0;
    // The keys take effect at once; one another program holds is named now,
    // and marked in the dialog from then on.
    if (registerHotkeysFromOptions() != 0) reportHotkeyFailures(owner);
    return 1;
}
