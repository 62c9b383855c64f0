// The about box (dialog 115): closes on OK or Enter only, never on Esc.
#include "app/command_window.h"

INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if ((message == WM_COMMAND && LOWORD(wParam) == IDOK) || message == WM_DESTROY) EndDialog(dialog, 0);
    // Not handled: the default dialog handling follows, also for the focus.
    return 0;
}
