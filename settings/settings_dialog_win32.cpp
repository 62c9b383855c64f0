// The settings dialog's procedure: turns messages into the dialog logic's
// handlers. It returns 0, so the default dialog handling follows, except 2001
// when there were too many windows to offer while the dialog was shown.
#include "settings/settings_dialog_win32.h"

#include "app/shell.h"
#include "engine/virtual_desk.h"
#include "res/resource.h"
#include "settings/options_dialog_win32.h"
#include "settings/settings_dialog.h"

namespace {

// At most one settings dialog exists at a time.
SettingsDialog dialogState;

DialogWindows windowsOf(HWND dialog) { return {handleOf(dialog), handleOf(navFrame), handleOf(mapPane)}; }

}  // namespace

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_DESTROY) {
        settingsOpen = 0;
        settingsDialog = nullptr;
        // The main loop is waiting for a posted message and looks at
        // settingsOpen only when one comes; a close by a sent message (an
        // automation tool's click) leaves none, and scrolling would not resume.
        PostMessageA(mainWindow, WM_NULL, 0, 0);
    }
    if (!desk) return 0;
    dialogState.options = &appOptions;
    switch (message) {
        case WM_SHOWWINDOW:
            // The template is visible, so this arrives while the dialog is
            // created; it is where the dialog takes the settings. Being hidden
            // must not start the edit over.
            if (!wParam) return dialogState.endMessage(desk);
            return dialogState.onShow(desk, windowsOf(dialog));
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_OPTIONS) {
                // Modal: OK puts the options in force, save writes them.
                runOptionsDialog(dialog);
                return dialogState.endMessage(desk);
            }
            return dialogState.onCommand(desk, windowsOf(dialog), LOWORD(wParam));
        case WM_SYSCOMMAND:
            // The low four bits are the system's own.
            if ((wParam & 0xFFF0) == SC_CLOSE) return dialogState.onClose(desk, handleOf(dialog));
            return dialogState.endMessage(desk);
        case WM_DESTROY:
            return dialogState.endMessage(desk);
        default:
            return dialogState.onMessage(desk, handleOf(dialog));
    }
}
