// The options dialog's keys group on the in-memory dialog: what it shows,
// what it takes on OK and what it refuses.
#include "settings/options_keys.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"
#include "settings/options_dialog.h"

namespace {

constexpr platform::WindowHandle kDialog = 0x500;
constexpr platform::WindowHandle kCommandWindow = 0x77;

class KeysGroup : public ::testing::Test {
protected:
    void SetUp() override {
        sim::reset();
        sim::resetDialogs();
    }
    std::string edit(int action) { return sim::control(kDialog, IDC_KEY_EDIT_FIRST + action).text; }
    std::string mark(int action) { return sim::control(kDialog, IDC_KEY_MARK_FIRST + action).text; }
    void type(int action, const std::string& text) {
        sim::control(kDialog, IDC_KEY_EDIT_FIRST + action).text = text;
    }
};

TEST_F(KeysGroup, ShowsTheCombinationsInForceAndMarksTheOnesThatFailed) {
    KeyOptions keys;
    std::strcpy(keys.pageRight, "alt+ctrl+right");       // shown as written back
    std::strcpy(keys.home, "Ctrl+Alt+Hom");              // unreadable: the default is in force
    std::strcpy(keys.pageUp, "");                        // none
    std::strcpy(keys.toggleNavigator, "Ctrl+Alt+Down");  // the same as PageDown
    KeyCombo combos[kViewActionCount];
    keyCombos(keys, combos);
    sim::takeHotKeyElsewhere(kModCtrl | kModAlt, kVkRight);
    HotkeySet set;
    set.registerAll(kCommandWindow, combos);
    showKeys(kDialog, keys, &set);
    EXPECT_EQ(edit(kActionPageLeft), "Ctrl+Alt+Left");
    EXPECT_EQ(edit(kActionPageRight), "Ctrl+Alt+Right");
    EXPECT_EQ(edit(kActionHome), "Ctrl+Alt+Home");
    EXPECT_EQ(edit(kActionPageUp), "");
    EXPECT_EQ(edit(kActionCarryDown), "Ctrl+Alt+Shift+Down");
    EXPECT_EQ(mark(kActionPageRight), "× 他のプログラムが使用中です");
    EXPECT_EQ(mark(kActionToggleNavigator), "× ほかの操作と同じキーです");
    for (int a : {kActionPageLeft, kActionPageUp, kActionHome, kActionCarryRight})
        EXPECT_EQ(mark(a), "") << a;
    // Nothing registered yet: no marks.
    sim::resetDialogs();
    showKeys(kDialog, keys, nullptr);
    EXPECT_EQ(mark(kActionPageRight), "");
}

// The marks, the refusals and the warning box's lines follow the interface
// language; Japanese is the default every other test reads.
TEST_F(KeysGroup, SpeaksTheChosenLanguage) {
    platform::setUiLanguage(platform::kLanguageEnglish);
    KeyOptions keys;
    std::strcpy(keys.toggleNavigator, "Ctrl+Alt+Right");
    KeyCombo combos[kViewActionCount];
    keyCombos(keys, combos);
    sim::takeHotKeyElsewhere(kModCtrl | kModAlt, kVkLeft);
    HotkeySet set;
    set.registerAll(kCommandWindow, combos);
    showKeys(kDialog, keys, &set);
    const std::string taken = mark(kActionPageLeft), twice = mark(kActionToggleNavigator);
    char lines[512];
    set.failureText(lines, sizeof lines);
    type(kActionPageUp, "Ctrl+Alt+Hom");
    const int refused = readKeys(kDialog, &keys);
    const std::string why = mark(kActionPageUp);
    platform::setUiLanguage(platform::kLanguageJapanese);
    EXPECT_EQ(taken, "× In use by another program");
    EXPECT_EQ(twice, "× Same key as another action");
    EXPECT_STREQ(lines,
                 "One screen left (Ctrl+Alt+Left): in use by another program\r\n"
                 "Show / hide the navigator (Ctrl+Alt+Right): same key as another action");
    EXPECT_EQ(refused, 1 + kActionPageUp);
    EXPECT_EQ(why, "× Unknown key name");
}

TEST_F(KeysGroup, OkTakesEveryFieldInItsWrittenForm) {
    KeyOptions keys;
    showKeys(kDialog, keys, nullptr);
    type(kActionPageLeft, " win + f5 ");
    type(kActionPageRight, "");
    type(kActionToggleNavigator, "Shift+Ctrl+N");
    EXPECT_EQ(readKeys(kDialog, &keys), 0);
    EXPECT_STREQ(keys.pageLeft, "Win+F5");
    EXPECT_STREQ(keys.pageRight, "");
    EXPECT_STREQ(keys.toggleNavigator, "Ctrl+Shift+N");
    EXPECT_STREQ(keys.carryUp, "Ctrl+Alt+Shift+Up");
}

struct BadField {
    int action;
    const char* text;
    const char* mark;
};

void PrintTo(const BadField& b, std::ostream* os) { *os << b.action << " \"" << b.text << '"'; }

class KeysRefused : public KeysGroup, public ::testing::WithParamInterface<BadField> {};

TEST_P(KeysRefused, OkIsRefusedWithTheFieldMarked) {
    const BadField& b = GetParam();
    KeyOptions keys;
    std::strcpy(keys.pageLeft, "Ctrl+Alt+L");
    showKeys(kDialog, keys, nullptr);
    type(kActionPageRight, "Win+Right");  // a good change beside the bad one
    type(b.action, b.text);
    EXPECT_EQ(readKeys(kDialog, &keys), 1 + b.action);
    EXPECT_EQ(mark(b.action), std::string("× ") + b.mark);
    // Nothing taken over, also not the good change.
    EXPECT_STREQ(keys.pageLeft, "Ctrl+Alt+L");
    EXPECT_STREQ(keys.pageRight, "Ctrl+Alt+Right");
}

const BadField kBadFields[] = {
    {kActionHome, "Ctrl+Alt+Hme", "知らないキー名があります"},
    {kActionCarryLeft, "Ctrl+Alt", "修飾キーだけでキーがありません"},
    {kActionCarryUp, "Ctrl+Ctrl+U", "同じ修飾キーが二度あります"},
    {kActionPageUp, "Up", "Ctrl、Alt か Win が必要です"},
    {kActionPageDown, "ctrl+alt+l", "ほかの操作と同じキーです"},        // as PageLeft
    {kActionToggleNavigator, "Win+Right", "ほかの操作と同じキーです"},  // typed twice
};

INSTANTIATE_TEST_SUITE_P(Rows, KeysRefused, ::testing::ValuesIn(kBadFields));

TEST_F(KeysGroup, AHugeFieldIsRefusedAsTooLong) {
    KeyOptions keys;
    showKeys(kDialog, keys, nullptr);
    type(kActionCarryDown, "Ctrl+Alt+" + std::string(1 << 20, 'x'));
    EXPECT_EQ(readKeys(kDialog, &keys), 1 + kActionCarryDown);
    EXPECT_EQ(mark(kActionCarryDown), "× 長すぎます");
    EXPECT_STREQ(keys.carryDown, "Ctrl+Alt+Shift+Down");
}

TEST_F(KeysGroup, TheOptionsDialogTakesNothingWhileAKeyFieldIsBad) {
    Options options;
    OptionsDialog dialog;
    dialog.onInit(kDialog, options);
    EXPECT_TRUE(sim::control(kDialog, IDC_WHEEL_SCROLLS).checked);
    sim::control(kDialog, IDC_DWELL_EDIT).text = "500";
    sim::control(kDialog, IDC_WHEEL_SCROLLS).checked = false;
    type(kActionHome, "Ctrl+");
    EXPECT_EQ(dialog.onOk(kDialog, &options), 1);
    EXPECT_EQ(options.edges.dwellMs, 0);
    EXPECT_EQ(options.navigator.wheelScrolls, 1);
    EXPECT_STREQ(options.keys.home, "Ctrl+Alt+Home");
    type(kActionHome, "alt+ctrl+h");
    EXPECT_EQ(dialog.onOk(kDialog, &options), 0);
    EXPECT_EQ(options.edges.dwellMs, 500);
    EXPECT_EQ(options.navigator.wheelScrolls, 0);
    EXPECT_STREQ(options.keys.home, "Ctrl+Alt+H");
}

}  // namespace
