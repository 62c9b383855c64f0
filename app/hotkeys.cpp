// The view actions' system-wide hotkeys.
#include "app/hotkeys.h"

#include <string>

#include "app/shell.h"
#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "settings/options_keys.h"

static_assert(kModAlt == MOD_ALT && kModCtrl == MOD_CONTROL && kModShift == MOD_SHIFT && kModWin == MOD_WIN);
static_assert(kVkLeft == VK_LEFT && kVkRight == VK_RIGHT && kVkUp == VK_UP && kVkDown == VK_DOWN);
static_assert(kVkHome == VK_HOME && kVkPageUp == VK_PRIOR && kVkPageDown == VK_NEXT && kVkF1 == VK_F1);

HotkeySet hotkeys;

int registerHotkeys(const KeyCombo combos[kViewActionCount]) {
    return hotkeys.registerAll(handleOf(mainWindow), combos);
}

int registerHotkeysFromOptions() {
    KeyCombo combos[kViewActionCount];
    keyCombos(appOptions.keys, combos);
    return registerHotkeys(combos);
}

void unregisterHotkeys() { hotkeys.unregisterAll(); }

void reportHotkeyFailures(HWND owner) {
    char failures[1024];
    if (hotkeys.failureText(failures, sizeof failures) == 0) return;
    const std::string text = platform::uiText(IDS_HOTKEY_FAILURES) + "\r\n\r\n" + failures;
    platform::warningBox(handleOf(owner), text.c_str(), "Wideroom");
}

void onHotkey(WPARAM id) {
    // The dialog may be changing the geometry the view moves in; like
    // scrolling, the keys wait until it is closed.
    if (settingsOpen || !desk) return;
    const int action = hotkeys.actionOf(static_cast<int>(id));
    if (action < 0) return;
    // The next tick's change test has the map repainted.
    runViewAction(desk, action, handleOf(navFrame));
}
