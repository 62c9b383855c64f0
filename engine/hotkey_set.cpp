// Registering the view actions' hotkeys.
#include "engine/hotkey_set.h"

#include <cstring>
#include <string>

#include "platform/ui_text.h"

const HotkeyDef kHotkeyDefs[kViewActionCount] = {
    {"PageLeft", "Ctrl+Alt+Left", IDS_ACTION_PAGE_LEFT},
    {"PageRight", "Ctrl+Alt+Right", IDS_ACTION_PAGE_RIGHT},
    {"PageUp", "Ctrl+Alt+Up", IDS_ACTION_PAGE_UP},
    {"PageDown", "Ctrl+Alt+Down", IDS_ACTION_PAGE_DOWN},
    {"Home", "Ctrl+Alt+Home", IDS_ACTION_HOME},
    {"CarryLeft", "Ctrl+Alt+Shift+Left", IDS_ACTION_CARRY_LEFT},
    {"CarryRight", "Ctrl+Alt+Shift+Right", IDS_ACTION_CARRY_RIGHT},
    {"CarryUp", "Ctrl+Alt+Shift+Up", IDS_ACTION_CARRY_UP},
    {"CarryDown", "Ctrl+Alt+Shift+Down", IDS_ACTION_CARRY_DOWN},
    {"ToggleNavigator", "", IDS_ACTION_TOGGLE_NAVIGATOR},
};

KeyCombo hotkeyCombo(int action, const char* text, size_t length) {
    KeyCombo combo;
    if (action < 0 || action >= kViewActionCount) return combo;
    if (text && parseKeyCombo(text, length, &combo) == kComboOk) return combo;
    const char* fallback = kHotkeyDefs[action].defaultText;
    parseKeyCombo(fallback, std::strlen(fallback), &combo);
    return combo;
}

HotkeySet::HotkeySet() : combos{}, status{}, window(0) {}

int HotkeySet::registerAll(platform::WindowHandle target, const KeyCombo wanted[kViewActionCount]) {
    unregisterAll();
    window = target;
    int failed = 0;
    for (int i = 0; i < kViewActionCount; ++i) {
        combos[i] = wanted[i];
        status[i] = kHotkeyOff;
        if (combos[i].key == 0) continue;
        for (int j = 0; j < i; ++j) {
            if (combos[j] == combos[i]) status[i] = kHotkeyTwice;
        }
        if (status[i] == kHotkeyOff) {
            const bool ok =
                platform::registerHotKey(window, kHotkeyIdBase + i, combos[i].modifiers, combos[i].key);
            status[i] = ok ? kHotkeyActive : kHotkeyTaken;
        }
        if (status[i] != kHotkeyActive) ++failed;
    }
    return failed;
}

void HotkeySet::unregisterAll() {
    for (int i = 0; i < kViewActionCount; ++i) {
        if (status[i] == kHotkeyActive) platform::unregisterHotKey(window, kHotkeyIdBase + i);
        status[i] = kHotkeyOff;
    }
}

int HotkeySet::actionOf(int id) const {
    const int action = id - kHotkeyIdBase;
    if (action < 0 || action >= kViewActionCount || status[action] != kHotkeyActive) return -1;
    return action;
}

size_t HotkeySet::failureText(char* buf, size_t size) const {
    if (size == 0) return 0;
    size_t length = 0;
    buf[0] = '\0';
    for (int i = 0; i < kViewActionCount; ++i) {
        if (status[i] != kHotkeyTaken && status[i] != kHotkeyTwice) continue;
        char combo[kComboTextSize];
        formatKeyCombo(combos[i], combo, sizeof combo);
        const std::string why =
            platform::uiText(status[i] == kHotkeyTaken ? IDS_HOTKEY_WHY_TAKEN : IDS_HOTKEY_WHY_TWICE);
        std::string line = length ? "\r\n" : "";
        line += platform::uiText(kHotkeyDefs[i].labelId);
        line += " (";
        line += combo;
        line += "): ";
        line += why;
        if (length + line.size() + 1 > size) break;
        std::memcpy(buf + length, line.c_str(), line.size() + 1);
        length += line.size();
    }
    return length;
}
