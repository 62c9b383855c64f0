// Key combinations as the options file writes them: modifiers and one key
// joined by '+', such as "Ctrl+Alt+Right"; an empty value is no combination.
// The codes are those the platform's hotkey registration takes.
#pragma once

#include <cstddef>
#include <cstdint>

// Modifier bits, the values of the platform's MOD_* flags.
constexpr uint32_t kModAlt = 0x1;
constexpr uint32_t kModCtrl = 0x2;
constexpr uint32_t kModShift = 0x4;
constexpr uint32_t kModWin = 0x8;

// Virtual-key codes of the keys a combination may end in.
constexpr uint32_t kVkPageUp = 0x21;
constexpr uint32_t kVkPageDown = 0x22;
constexpr uint32_t kVkHome = 0x24;
constexpr uint32_t kVkLeft = 0x25;
constexpr uint32_t kVkUp = 0x26;
constexpr uint32_t kVkRight = 0x27;
constexpr uint32_t kVkDown = 0x28;
constexpr uint32_t kVkF1 = 0x70;  // ... kVkF1 + 23 for F24

struct KeyCombo {
    uint32_t modifiers = 0;  // kMod* bits
    uint32_t key = 0;        // virtual-key code; 0 = no combination
};

inline bool operator==(const KeyCombo& a, const KeyCombo& b) {
    return a.modifiers == b.modifiers && a.key == b.key;
}

// Parse results.
constexpr int kComboOk = 0;
constexpr int kComboUnknownName = 1;    // a part that is no modifier or key
constexpr int kComboNoKey = 2;          // modifiers alone
constexpr int kComboDuplicate = 3;      // a modifier twice
constexpr int kComboTwoKeys = 4;        // a key before the last part
constexpr int kComboEmptyPart = 5;      // "Ctrl++Right", "+Right"
constexpr int kComboTooLong = 6;        // more than kMaxComboText bytes
constexpr int kComboNeedsModifier = 7;  // a typing key without Ctrl, Alt or Win

// The longest text worth reading; "Ctrl+Alt+Shift+Win+PageDown" is 27.
constexpr size_t kMaxComboText = 64;
// Room for the longest combination format writes, terminator included.
constexpr size_t kComboTextSize = 32;

// Reads `length` bytes (case does not matter; blanks around the parts are
// allowed). Empty or blank text gives key 0 and kComboOk. On failure *combo
// is left untouched. A key other than F1..F24 needs Ctrl, Alt or Win: alone
// or with Shift only it would take a key away from typing in every program.
int parseKeyCombo(const char* text, size_t length, KeyCombo* combo);

// Writes the canonical text ("Ctrl+Alt+Shift+Win+Key" order, empty for key
// 0) terminated into buf; returns its length, or 0 with buf empty when the
// combination has no name or does not fit.
size_t formatKeyCombo(const KeyCombo& combo, char* buf, size_t size);
