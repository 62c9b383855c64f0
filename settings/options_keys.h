// The keys group of the options dialog and the [Keys] options it edits: one
// edit per action that reads a combination as the options file writes it
// ("Ctrl+Alt+Right", empty = none), and beside it what became of the
// combination at the last registration.
#pragma once

#include <string>

#include "engine/hotkey_set.h"
#include "platform/desktop.h"
#include "store/options.h"

// The [Keys] value of an action.
// A short description of a parse result in the interface language, "" for
// kComboOk.
std::string comboErrorText(int status);

const char* keyText(const KeyOptions& keys, int action);
char* keyText(KeyOptions* keys, int action);
// The combinations the options stand for (a value that cannot be read: the
// default).
void keyCombos(const KeyOptions& keys, KeyCombo combos[kViewActionCount]);

// Fills the group: each edit shows the combination in force, each mark what
// `hotkeys` (null: nothing registered yet) made of it.
void showKeys(platform::WindowHandle dialog, const KeyOptions& keys, const HotkeySet* hotkeys);
// Reads the edits. 0: every one holds a combination or nothing, and *keys
// takes them in their written form. Otherwise 1 + the action of the first
// field that cannot be used (unreadable, or the same combination as an
// earlier field), whose mark says why; *keys is untouched.
int readKeys(platform::WindowHandle dialog, KeyOptions* keys);
