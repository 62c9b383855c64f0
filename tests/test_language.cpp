// The interface language: the choice from the option and the display
// language, the string tables of both languages, and the settings dialog's
// list lines and refusals in English.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/sim/sim_dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"
#include "settings/fixed_list.h"
#include "settings/language.h"
#include "settings/options_dialog.h"
#include "settings/settings_dialog.h"
#include "store/options.h"
#include "test_engine_support.h"

namespace {

TEST(Language, OptionAndDisplayLanguageChooseTheInterface) {
    const struct {
        int32_t option;
        uint16_t display;
        int language;
    } rows[] = {
        {kLanguageAuto, 0x0411, platform::kLanguageJapanese},  // Japanese Windows
        {kLanguageAuto, 0x0409, platform::kLanguageEnglish},
        {kLanguageAuto, 0x0809, platform::kLanguageEnglish},
        {kLanguageAuto, 0x0804, platform::kLanguageEnglish},   // Chinese: not Japanese, so English
        {kLanguageAuto, 0x0000, platform::kLanguageEnglish},   // neutral
        {kLanguageAuto, 0x0c11, platform::kLanguageJapanese},  // any sublanguage of Japanese
        {kLanguageJa, 0x0409, platform::kLanguageJapanese},
        {kLanguageEn, 0x0411, platform::kLanguageEnglish},
        {7, 0x0411, platform::kLanguageJapanese},  // out of range: as auto
    };
    for (const auto& row : rows) {
        EXPECT_EQ(chooseLanguage(row.option, row.display), row.language) << row.option << " " << row.display;
    }
}

TEST(Language, TheOptionsDialogShowsAndTakesTheLanguage) {
    sim::resetDialogs();
    const platform::WindowHandle dialog = sim::addWindow("Wideroom 詳細設定", "#32770", 200, 100, 500, 300);
    const int buttons[] = {IDC_LANGUAGE_AUTO, IDC_LANGUAGE_JA, IDC_LANGUAGE_EN};
    OptionsDialog state;
    for (int32_t shown : {kLanguageAuto, kLanguageJa, kLanguageEn, 9}) {
        Options o;
        o.general.language = shown;
        state.onInit(dialog, o);
        // Exactly one button is on; a value the dialog does not know shows as
        // automatic, as the file reads it.
        const int32_t on = shown > kLanguageEn ? kLanguageAuto : shown;
        for (int32_t i = 0; i < 3; ++i) EXPECT_EQ(platform::isChecked(dialog, buttons[i]), i == on) << shown;
        for (int32_t picked = 0; picked < 3; ++picked) {
            // What a click on a radio button of the group does.
            for (int32_t i = 0; i < 3; ++i) platform::setChecked(dialog, buttons[i], i == picked);
            Options taken = o;
            ASSERT_EQ(state.onOk(dialog, &taken), 0);
            EXPECT_EQ(taken.general.language, picked);
        }
    }
}

class UiTextTest : public ::testing::Test {
protected:
    void TearDown() override { platform::setUiLanguage(platform::kLanguageJapanese); }
    static std::string in(int language, int id) {
        platform::setUiLanguage(language);
        return platform::uiText(id);
    }
};

TEST_F(UiTextTest, EveryStringHasBothLanguagesAndTheSameCountField) {
    const int ids[] = {IDS_DUPLICATE_CAPTION, IDS_DUPLICATE_TEXT, IDS_FULL_CAPTION, IDS_FULL_TEXT,
                       IDS_LINE_PREFIX,       IDS_LINE_MIDDLE,    IDS_HELP_FILE};
    for (int id : ids) {
        const std::string ja = in(platform::kLanguageJapanese, id);
        const std::string en = in(platform::kLanguageEnglish, id);
        EXPECT_FALSE(ja.empty()) << id;
        EXPECT_FALSE(en.empty()) << id;
        EXPECT_NE(ja, en) << id;
        // Only IDS_FULL_TEXT carries the number, once, in each language.
        const size_t fields = id == IDS_FULL_TEXT ? 1 : 0;
        for (const std::string& text : {ja, en}) {
            size_t percents = 0;
            for (char c : text) percents += c == '%';
            EXPECT_EQ(percents, fields) << text;
            if (fields) {
                EXPECT_NE(text.find("%d"), std::string::npos) << text;
            }
        }
    }
    EXPECT_EQ(in(platform::kLanguageJapanese, 9999), "");
}

TEST_F(UiTextTest, JapaneseTextsAreTheProgramsOwnByteForByte) {
    const struct {
        int id;
        const char* text;
    } rows[] = {
        {IDS_DUPLICATE_CAPTION, "二重登録"}, {IDS_DUPLICATE_TEXT, "既に登録されています"},
        {IDS_FULL_CAPTION, "登録数MAX"},     {IDS_FULL_TEXT, "固定するウインドウは%d個までです"},
        {IDS_LINE_PREFIX, "タイトル名 -> "}, {IDS_LINE_MIDDLE, " & クラス名 -> "},
        {IDS_HELP_FILE, "Wideroom.chm"},
    };
    for (const auto& row : rows) EXPECT_EQ(in(platform::kLanguageJapanese, row.id), row.text) << row.id;
    EXPECT_EQ(in(platform::kLanguageEnglish, IDS_HELP_FILE), "Wideroom-en.chm");
}

class EnglishDialogTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
        platform::setUiLanguage(platform::kLanguageEnglish);
        desk = std::make_unique<VirtualDesk>();
        windows.dialog = sim::addWindow("Wideroom Settings", "#32770", 200, 100, 600, 480);
        windows.navFrame = sim::addWindow(kNavigatorTitle, "#32770", 0, 0, 212, 180);
        windows.mapPane = sim::addChildWindow({0, 0, 204, 153});
        dialog = std::make_unique<SettingsDialog>();
    }
    void TearDown() override {
        platform::setUiLanguage(platform::kLanguageJapanese);
        desk.reset();
        engine_test::DeskTest::TearDown();
    }
    std::vector<std::string>& lines(int id) { return sim::control(windows.dialog, id).lines; }
    void fix(int i) {
        sim::selectLine(windows.dialog, IDC_CANDIDATES, i);
        dialog->onCommand(desk.get(), windows, IDC_FIX);
    }

    std::unique_ptr<VirtualDesk> desk;
    DialogWindows windows{};
    std::unique_ptr<SettingsDialog> dialog;
};

TEST_F(EnglishDialogTest, ListLinesAndBothRefusalsSpeakEnglish) {
    for (int i = 0; i < kFixedEntryCount + 1; ++i)
        engine_test::addWindow(10 + i, 10, 300, 200, "w" + std::to_string(i), "App");
    // Another copy of the English settings dialog is not offered either.
    engine_test::addWindow(10, 10, 300, 200, "Wideroom Settings", "#32770");
    ASSERT_EQ(dialog->onShow(desk.get(), windows), 0);
    ASSERT_EQ(lines(IDC_CANDIDATES).size(), static_cast<size_t>(kFixedEntryCount + 1));
    EXPECT_EQ(lines(IDC_CANDIDATES)[0], "Title -> w0 & Class -> App");

    fix(0);
    fix(0);
    ASSERT_EQ(sim::messageBoxes().size(), 1u);
    EXPECT_EQ(sim::messageBoxes()[0].caption, "Already fixed");
    EXPECT_EQ(sim::messageBoxes()[0].text, "This window is already on the list.");
    EXPECT_EQ(lines(IDC_FIXED), std::vector<std::string>{"Title -> w0 & Class -> App"});

    for (int i = 1; i < kFixedEntryCount; ++i) fix(i);
    fix(kFixedEntryCount);
    ASSERT_EQ(sim::messageBoxes().size(), 2u);
    EXPECT_EQ(sim::messageBoxes()[1].caption, "List full");
    EXPECT_EQ(sim::messageBoxes()[1].text, "At most 20 windows can be fixed.");
}

}  // namespace
