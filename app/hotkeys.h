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
void unregisterHotkeys();
// A hotkey message: its action, unless the settings dialog is open.
void onHotkey(WPARAM id);
