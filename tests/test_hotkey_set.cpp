// Registering the hotkeys: defaults, refusals by other programs, repeats.
#include "engine/hotkey_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/sim/sim_desktop.h"

namespace {

constexpr platform::WindowHandle kCommandWindow = 0x77;
constexpr uint32_t kCA = kModCtrl | kModAlt;

void defaults(KeyCombo combos[kViewActionCount]) {
    for (int i = 0; i < kViewActionCount; ++i) combos[i] = hotkeyCombo(i, nullptr, 0);
}

TEST(HotkeyDefaults, EveryActionHasItsDefault) {
    struct Row {
        int action;
        uint32_t modifiers;
        uint32_t key;
    } rows[] = {
        {kActionPageLeft, kCA, kVkLeft},
        {kActionPageRight, kCA, kVkRight},
        {kActionPageUp, kCA, kVkUp},
        {kActionPageDown, kCA, kVkDown},
        {kActionHome, kCA, kVkHome},
        {kActionCarryLeft, kCA | kModShift, kVkLeft},
        {kActionCarryRight, kCA | kModShift, kVkRight},
        {kActionCarryUp, kCA | kModShift, kVkUp},
        {kActionCarryDown, kCA | kModShift, kVkDown},
        {kActionToggleNavigator, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(kHotkeyDefs[r.action].name);
        const KeyCombo c = hotkeyCombo(r.action, nullptr, 0);
        EXPECT_EQ(c.modifiers, r.modifiers);
        EXPECT_EQ(c.key, r.key);
    }
    EXPECT_STREQ(kHotkeyDefs[kActionCarryDown].name, "CarryDown");
    EXPECT_STREQ(kHotkeyDefs[kActionToggleNavigator].name, "ToggleNavigator");
}

TEST(HotkeyDefaults, ValueReadsOrFallsBackToTheDefault) {
    const std::string alt = "Win+F5";
    EXPECT_TRUE(hotkeyCombo(kActionHome, alt.data(), alt.size()) == (KeyCombo{kModWin, kVkF1 + 4}));
    // Empty is none, even where the default is a combination.
    EXPECT_EQ(hotkeyCombo(kActionPageLeft, "", 0).key, 0u);
    // Unreadable: the default.
    const std::string bad = "Ctrl+Ctrl+Q";
    EXPECT_EQ(hotkeyCombo(kActionPageLeft, bad.data(), bad.size()).key, kVkLeft);
    const std::string huge(1 << 20, 'x');
    EXPECT_EQ(hotkeyCombo(kActionPageRight, huge.data(), huge.size()).key, kVkRight);
    EXPECT_EQ(hotkeyCombo(kActionToggleNavigator, bad.data(), bad.size()).key, 0u);
}

class Hotkeys : public ::testing::Test {
protected:
    void SetUp() override { sim::reset(); }
};

TEST_F(Hotkeys, RegistersEveryCombinationUnderItsActionsId) {
    KeyCombo combos[kViewActionCount];
    defaults(combos);
    HotkeySet set;
    EXPECT_EQ(set.registerAll(kCommandWindow, combos), 0);
    ASSERT_EQ(sim::hotKeys().size(), 9u);  // the navigator toggle has none
    for (const sim::SimHotKey& h : sim::hotKeys()) {
        EXPECT_EQ(h.window, kCommandWindow);
        const int action = set.actionOf(h.id);
        ASSERT_GE(action, 0);
        EXPECT_EQ(h.modifiers, combos[action].modifiers);
        EXPECT_EQ(h.key, combos[action].key);
    }
    EXPECT_EQ(set.status[kActionToggleNavigator], kHotkeyOff);
    EXPECT_EQ(set.actionOf(kHotkeyIdBase + kActionToggleNavigator), -1);
    EXPECT_EQ(set.actionOf(0), -1);
    EXPECT_EQ(set.actionOf(kHotkeyIdBase + kViewActionCount), -1);
    char text[64] = "x";
    EXPECT_EQ(set.failureText(text, sizeof text), 0u);
    EXPECT_STREQ(text, "");
}

TEST_F(Hotkeys, ATakenCombinationIsReportedAndTheOthersStillWork) {
    sim::takeHotKeyElsewhere(kCA, kVkRight);
    KeyCombo combos[kViewActionCount];
    defaults(combos);
    HotkeySet set;
    EXPECT_EQ(set.registerAll(kCommandWindow, combos), 1);
    EXPECT_EQ(set.status[kActionPageRight], kHotkeyTaken);
    EXPECT_EQ(set.status[kActionPageLeft], kHotkeyActive);
    EXPECT_EQ(set.status[kActionCarryRight], kHotkeyActive);
    EXPECT_EQ(sim::hotKeys().size(), 8u);
    EXPECT_EQ(set.actionOf(kHotkeyIdBase + kActionPageRight), -1);
    char text[256];
    set.failureText(text, sizeof text);
    EXPECT_STREQ(text, "右へ 1 画面 (Ctrl+Alt+Right): 他のプログラムが使っています");
}

TEST_F(Hotkeys, TheSameCombinationTwiceRegistersOnce) {
    KeyCombo combos[kViewActionCount];
    defaults(combos);
    combos[kActionToggleNavigator] = combos[kActionHome];
    HotkeySet set;
    EXPECT_EQ(set.registerAll(kCommandWindow, combos), 1);
    EXPECT_EQ(set.status[kActionHome], kHotkeyActive);
    EXPECT_EQ(set.status[kActionToggleNavigator], kHotkeyTwice);
    char text[256];
    set.failureText(text, sizeof text);
    EXPECT_STREQ(text, "ナビゲータの表示 / 非表示 (Ctrl+Alt+Home): ほかの操作と同じキーです");
    // Whole lines only when the room runs out.
    char small[8] = "x";
    EXPECT_EQ(set.failureText(small, sizeof small), 0u);
    EXPECT_STREQ(small, "");
}

TEST_F(Hotkeys, RegisteringAgainReplacesTheOldSet) {
    KeyCombo combos[kViewActionCount];
    defaults(combos);
    HotkeySet set;
    set.registerAll(kCommandWindow, combos);
    // The user frees PageRight and gives Home another combination.
    combos[kActionPageRight] = KeyCombo{};
    combos[kActionHome] = KeyCombo{kModWin, kVkHome};
    EXPECT_EQ(set.registerAll(kCommandWindow, combos), 0);
    EXPECT_EQ(sim::hotKeys().size(), 8u);
    EXPECT_EQ(set.status[kActionPageRight], kHotkeyOff);
    bool homeSeen = false;
    for (const sim::SimHotKey& h : sim::hotKeys()) {
        EXPECT_FALSE(h.modifiers == kCA && h.key == kVkRight);
        if (h.key == kVkHome) {
            homeSeen = true;
            EXPECT_EQ(h.modifiers, kModWin);
        }
    }
    EXPECT_TRUE(homeSeen);
    // A combination taken by another program in between comes back once freed.
    sim::takeHotKeyElsewhere(kModWin, kVkHome);
    set.unregisterAll();
    EXPECT_TRUE(sim::hotKeys().empty());
    EXPECT_EQ(set.registerAll(kCommandWindow, combos), 1);
    EXPECT_EQ(set.status[kActionHome], kHotkeyTaken);
}

}  // namespace
