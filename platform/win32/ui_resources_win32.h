// The program's dialogs and menu in the language chosen at start-up
// (platform/ui_text.h). Win32 only.
#pragma once

#include <windows.h>

namespace platform {

// CreateDialogParamW, DialogBoxParamW and LoadMenuW of resource `id` in the
// chosen language (Japanese where it has no version of its own).
HWND createUiDialog(HINSTANCE instance, int id, HWND parent, DLGPROC procedure);
INT_PTR runUiDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure);
HMENU loadUiMenu(int id);

}  // namespace platform
