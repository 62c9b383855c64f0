// The options dialog's keys group.
#include "settings/options_keys.h"

#include <cstring>
#include <string>

#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"

namespace {

using KeyField = char (KeyOptions::*)[kKeyTextSize];

// Indexed by ViewAction.
constexpr KeyField kKeyFields[kViewActionCount] = {
    &KeyOptions::pageLeft,  &KeyOptions::pageRight,       &KeyOptions::pageUp,     &KeyOptions::pageDown,
    &KeyOptions::home,      &KeyOptions::carryLeft,       &KeyOptions::carryRight, &KeyOptions::carryUp,
    &KeyOptions::carryDown, &KeyOptions::toggleNavigator,
};

static_assert(IDC_KEY_MARK_FIRST - IDC_KEY_EDIT_FIRST >= kViewActionCount);

// Room for what an edit may hold and a little more: a longer text cannot be
// a combination.
constexpr int kFieldTextSize = 256;

std::string markOf(const HotkeySet* hotkeys, int action) {
    if (!hotkeys) return "";
    switch (hotkeys->status[action]) {
        case kHotkeyTaken:
            return platform::uiText(IDS_KEY_MARK_TAKEN);
        case kHotkeyTwice:
            return platform::uiText(IDS_KEY_MARK_TWICE);
        default:
            return "";
    }
}

}  // namespace

std::string comboErrorText(int status) {
    if (status == kComboOk) return "";
    const bool known = status >= kComboUnknownName && status <= kComboNeedsModifier;
    return platform::uiText(known ? IDS_COMBO_UNKNOWN_NAME - kComboUnknownName + status
                                  : IDS_COMBO_ERROR_OTHER);
}

const char* keyText(const KeyOptions& keys, int action) { return keys.*kKeyFields[action]; }
char* keyText(KeyOptions* keys, int action) { return keys->*kKeyFields[action]; }

void keyCombos(const KeyOptions& keys, KeyCombo combos[kViewActionCount]) {
    for (int i = 0; i < kViewActionCount; ++i) {
        const char* text = keyText(keys, i);
        combos[i] = hotkeyCombo(i, text, strnlen(text, kKeyTextSize));
    }
}

void showKeys(platform::WindowHandle dialog, const KeyOptions& keys, const HotkeySet* hotkeys) {
    KeyCombo combos[kViewActionCount];
    keyCombos(keys, combos);
    for (int i = 0; i < kViewActionCount; ++i) {
        char text[kComboTextSize];
        formatKeyCombo(combos[i], text, sizeof text);
        platform::setControlText(dialog, IDC_KEY_EDIT_FIRST + i, text);
        platform::setControlText(dialog, IDC_KEY_MARK_FIRST + i, markOf(hotkeys, i).c_str());
    }
}

int readKeys(platform::WindowHandle dialog, KeyOptions* keys) {
    KeyCombo combos[kViewActionCount];
    int bad = -1;
    std::string why;
    for (int i = 0; i < kViewActionCount; ++i) {
        char text[kFieldTextSize];
        const int length = platform::getControlText(dialog, IDC_KEY_EDIT_FIRST + i, text, sizeof text);
        // A full buffer may have cut a longer text: too long either way.
        const int status = length >= kFieldTextSize - 1
                               ? kComboTooLong
                               : parseKeyCombo(text, static_cast<size_t>(length), &combos[i]);
        if (status != kComboOk) {
            why = platform::uiText(IDS_KEY_MARK_PREFIX) + comboErrorText(status);
        } else if (combos[i].key != 0) {
            for (int j = 0; j < i && why.empty(); ++j) {
                if (combos[j] == combos[i]) why = platform::uiText(IDS_KEY_MARK_TWICE);
            }
        }
        if (!why.empty()) {
            bad = i;
            break;
        }
    }
    if (bad >= 0) {
        platform::setControlText(dialog, IDC_KEY_MARK_FIRST + bad, why.c_str());
        return 1 + bad;
    }
    for (int i = 0; i < kViewActionCount; ++i) {
        char* field = keyText(keys, i);
        formatKeyCombo(combos[i], field, kKeyTextSize);
    }
    return 0;
}
