// The system-wide hotkeys of the view actions: their [Keys] names and
// defaults, registration on the command window, and what became of each.
#pragma once

#include <cstddef>

#include "engine/view_actions.h"
#include "platform/desktop.h"
#include "store/key_combo.h"

struct HotkeyDef {
    const char* name;         // the [Keys] entry
    const char* defaultText;  // empty: none
    int labelId;              // what it does: a string id of res/strings.h
};

// Indexed by ViewAction.
extern const HotkeyDef kHotkeyDefs[kViewActionCount];

// The combination a [Keys] value stands for: the default when the value
// cannot be read (as a line that cannot be read counts as missing).
KeyCombo hotkeyCombo(int action, const char* text, size_t length);

// What became of one hotkey at the last registration.
constexpr int kHotkeyOff = 0;     // no combination
constexpr int kHotkeyActive = 1;  // registered
constexpr int kHotkeyTaken = 2;   // refused: another program holds it
constexpr int kHotkeyTwice = 3;   // the same combination as an earlier action

// Hotkey ids are the action + kHotkeyIdBase (0 is never used as an id).
constexpr int kHotkeyIdBase = 1;

class HotkeySet {
public:
    HotkeySet();
    // Drops the present registrations and registers each combination of
    // `wanted` on `target`. Returns how many could not be registered.
    int registerAll(platform::WindowHandle target, const KeyCombo wanted[kViewActionCount]);
    void unregisterAll();
    // The action of a hotkey message's id, -1 for an id not ours.
    int actionOf(int id) const;
    // One line per hotkey that could not be registered, "label (Ctrl+Alt+Right):
    // reason", UTF-8, into buf (whole lines only); empty when every one works.
    // Returns the length.
    size_t failureText(char* buf, size_t size) const;

    KeyCombo combos[kViewActionCount];
    int status[kViewActionCount];
    platform::WindowHandle window;
};
