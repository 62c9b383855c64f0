// The view actions' system-wide hotkeys on the command window.
#pragma once

#include <windows.h>

#include "engine/hotkey_set.h"

// What became of each hotkey at the last registration; the options dialog
// shows it.
extern HotkeySet hotkeys;

// Registers the combinations on mainWindow, replacing earlier ones. Returns
// how many could not be registered.
int registerHotkeys(const KeyCombo combos[kViewActionCount]);
// The same with the keys of appOptions.
int registerHotkeysFromOptions();
void unregisterHotkeys();
// A warning box owned by `owner` naming each hotkey that failed.
void reportHotkeyFailures(HWND owner);
// A hotkey message: its action, unless the settings dialog is open.
void onHotkey(WPARAM id);
