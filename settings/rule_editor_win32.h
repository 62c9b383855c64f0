// The rule editor (resource 117), modal, owned by the options dialog.
#pragma once

#include <windows.h>

#include "store/window_rules.h"

// Edits *rule (a new one when `adding`); 1 after OK with the rule changed,
// 0 after cancel.
int runRuleEditor(HWND owner, bool adding, WindowRule* rule);
