// The options dialog's logic ("Wideroom 詳細設定", resource 116), apart from
// its Win32 procedure: a modal dialog owned by the settings dialog that edits
// a copy of the options and hands it back on OK only. Each group of controls
// is one table of rows; later groups add their own rows.
#pragma once

#include "engine/hotkey_set.h"
#include "platform/desktop.h"
#include "store/options.h"

class OptionsDialog {
public:
    // The dialog opens: every control shows `current`.
    int onInit(platform::WindowHandle dialog, const Options& current);
    // OK: the controls' values, each inside its range (an unreadable number
    // keeps the value it had), into *options; options without a control are
    // kept. 0; 1 when a key field cannot be used: it is marked, nothing is
    // taken and the dialog stays open.
    int onOk(platform::WindowHandle dialog, Options* options);

    // What the hotkeys came to at the last registration, shown beside the
    // key fields (null: none yet).
    const HotkeySet* hotkeys = nullptr;
};
