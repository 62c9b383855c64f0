// The settings dialog (resource 114), modeless.
#pragma once

#include <windows.h>

INT_PTR CALLBACK settingsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
