// The options dialog on the in-memory dialog: it shows the options in force,
// OK takes every control back within its range, and the settings dialog's
// save writes the options file beside the settings file.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "platform/dialog.h"
#include "platform/sim/sim_dialog.h"
#include "res/resource.h"
#include "settings/options_dialog.h"
#include "settings/settings_dialog.h"
#include "test_engine_support.h"

namespace {

class OptionsDialogTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
        dialog = sim::addWindow("Wideroom 詳細設定", "#32770", 200, 100, 500, 300);
    }
    std::string text(int id) { return sim::control(dialog, id).text; }
    void type(int id, const char* t) { platform::setControlText(dialog, id, t); }
    bool checked(int id) { return platform::isChecked(dialog, id); }

    platform::WindowHandle dialog = 0;
    OptionsDialog state;
};

TEST_F(OptionsDialogTest, OpeningShowsTheOptionsInForceWithTheSpinRanges) {
    Options o;
    o.edges = {300, 40, 1000, 1, 0, 1, 0, 1};
    ASSERT_EQ(state.onInit(dialog, o), 0);
    // edit | spin | value | low | high
    const int rows[][5] = {{IDC_DWELL_EDIT, IDC_DWELL_SPIN, 300, 0, 2000},
                           {IDC_CORNER_EDIT, IDC_CORNER_SPIN, 40, 0, 200},
                           {IDC_PAUSE_EDIT, IDC_PAUSE_SPIN, 1000, 0, 3000}};
    for (const auto& r : rows) {
        EXPECT_EQ(text(r[0]), std::to_string(r[2]));
        EXPECT_EQ(sim::control(dialog, r[1]).low, r[3]);
        EXPECT_EQ(sim::control(dialog, r[1]).high, r[4]);
    }
    EXPECT_TRUE(checked(IDC_EDGE_LEFT));
    EXPECT_FALSE(checked(IDC_EDGE_RIGHT));
    EXPECT_TRUE(checked(IDC_EDGE_TOP));
    EXPECT_FALSE(checked(IDC_EDGE_BOTTOM));
    EXPECT_TRUE(checked(IDC_CARRY));
}

TEST_F(OptionsDialogTest, OkTakesEveryControlWithinItsRangeAndKeepsTheRest) {
    Options o;
    std::strcpy(o.keys.home, "Ctrl+Alt+H");
    o.general.language = kLanguageEn;
    o.edges.cornerPx = 25;
    state.onInit(dialog, o);
    type(IDC_DWELL_EDIT, "2500");  // typed past the top
    type(IDC_CORNER_EDIT, "");     // emptied: keeps its value
    type(IDC_PAUSE_EDIT, "750");
    platform::setChecked(dialog, IDC_EDGE_LEFT, false);
    platform::setChecked(dialog, IDC_EDGE_BOTTOM, false);
    platform::setChecked(dialog, IDC_CARRY, true);
    ASSERT_EQ(state.onOk(dialog, &o), 0);
    EXPECT_EQ(o.edges.dwellMs, 2000);
    EXPECT_EQ(o.edges.cornerPx, 25);
    EXPECT_EQ(o.edges.pagePauseMs, 750);
    EXPECT_EQ(o.edges.left, 0);
    EXPECT_EQ(o.edges.right, 1);
    EXPECT_EQ(o.edges.top, 1);
    EXPECT_EQ(o.edges.bottom, 0);
    EXPECT_EQ(o.edges.carryDraggedWindow, 1);
    EXPECT_STREQ(o.keys.home, "Ctrl+Alt+H");
    EXPECT_EQ(o.general.language, kLanguageEn);
}

TEST_F(OptionsDialogTest, SettingsSaveWritesTheOptionsFileAndApplyDoesNot) {
    auto desk = std::make_unique<VirtualDesk>();
    DialogWindows windows{};
    windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
    windows.navFrame = sim::addWindow(kNavigatorTitle, "#32770", 40, 30, 212, 180);
    windows.mapPane = sim::addChildWindow({0, 0, 204, 153});
    Options live;
    live.edges.dwellMs = 400;
    SettingsDialog settings;
    settings.options = &live;

    ASSERT_EQ(settings.onShow(desk.get(), windows), 0);
    settings.onCommand(desk.get(), windows, IDC_APPLY);
    EXPECT_FALSE(engine_test::fileExists(kOptionsFileName));

    windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
    ASSERT_EQ(settings.onShow(desk.get(), windows), 0);
    settings.onCommand(desk.get(), windows, IDC_SAVE);
    Options loaded;
    ASSERT_EQ(readOptions(kOptionsFileName, &loaded), 0);
    EXPECT_EQ(loaded.edges.dwellMs, 400);
    EXPECT_TRUE(engine_test::fileExists(kSettingsFileName));
}

TEST_F(OptionsDialogTest, FollowFocusIsOneOfThreeRadioButtonsBothWays) {
    const int buttons[] = {IDC_FOCUS_VIEW, IDC_FOCUS_WINDOW, IDC_FOCUS_OFF};
    const int32_t values[] = {kFollowView, kFollowWindow, kFollowOff};
    for (int shown = 0; shown < 3; ++shown) {
        Options o;
        o.focus.followFocus = values[shown];
        state.onInit(dialog, o);
        for (int i = 0; i < 3; ++i) EXPECT_EQ(checked(buttons[i]), i == shown) << shown << ' ' << i;
        for (int picked = 0; picked < 3; ++picked) {
            for (int i = 0; i < 3; ++i) platform::setChecked(dialog, buttons[i], i == picked);
            Options back = o;
            ASSERT_EQ(state.onOk(dialog, &back), 0);
            EXPECT_EQ(back.focus.followFocus, values[picked]) << shown << ' ' << picked;
        }
    }
    // A value out of range shows the default.
    Options damaged;
    damaged.focus.followFocus = 7;
    state.onInit(dialog, damaged);
    EXPECT_TRUE(checked(IDC_FOCUS_VIEW));
    EXPECT_FALSE(checked(IDC_FOCUS_OFF));
}

TEST_F(OptionsDialogTest, ThePauseInFullScreenBoxShowsAndTakesTheOption) {
    for (const int32_t value : {0, 1}) {
        Options o;
        o.edges.pauseInFullscreen = value;
        state.onInit(dialog, o);
        EXPECT_EQ(checked(IDC_PAUSE_FULLSCREEN), value != 0);
        platform::setChecked(dialog, IDC_PAUSE_FULLSCREEN, value == 0);
        ASSERT_EQ(state.onOk(dialog, &o), 0);
        EXPECT_EQ(o.edges.pauseInFullscreen, value == 0 ? 1 : 0);
    }
}

}  // namespace
