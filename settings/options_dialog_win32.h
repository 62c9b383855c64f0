// The options dialog (resource 116), modal, owned by the settings dialog.
#pragma once

#include <windows.h>

// Runs the dialog over `owner`; OK puts the edited options in force at once
// (the settings dialog's save writes them). 1 after OK, 0 after cancel.
int runOptionsDialog(HWND owner);
