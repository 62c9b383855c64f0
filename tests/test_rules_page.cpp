// The Windows tab of the options dialog on the in-memory dialog: the rules in
// order with add, edit, remove, up and down; the rule editor with its "Pick a
// window" list and its refusal of patterns that cannot be stored; the focus
// and full-screen options shown and taken back.
#include <gtest/gtest.h>

#include <string>

#include "platform/dialog.h"
#include "platform/sim/sim_dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"
#include "settings/options_dialog.h"
#include "settings/rule_editor.h"
#include "settings/rules_page.h"
#include "test_engine_support.h"

namespace {

class RulesPageTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
        dialog = sim::addWindow("Wideroom 詳細設定", "#32770", 200, 100, 500, 300);
        sim::window(dialog)->processId = kOwnProcess;
    }
    std::vector<std::string> lines(int id) { return sim::control(dialog, id).lines; }
    std::string text(int id) { return sim::control(dialog, id).text; }

    static constexpr uint32_t kOwnProcess = 0x77;
    platform::WindowHandle dialog = 0;
};

WindowRule rule(int32_t action, const char* program, const char* cls, const char* title) {
    return WindowRule{action, program, cls, title};
}

TEST_F(RulesPageTest, TheListShowsTheRulesInOrderAndEditsThem) {
    RulesPage page;
    page.onInit(dialog, {rule(kRuleStay, "notepad.exe", "", ""), rule(kRuleIgnore, "", "Acc*", "Ign ?")});
    const std::string any = platform::uiText(IDS_RULE_ANY);
    const std::string stay = platform::uiText(IDS_RULE_STAY);
    const std::string ignore = platform::uiText(IDS_RULE_IGNORE);
    const std::string first = stay + ": notepad.exe | " + any + " | " + any;
    const std::string second = ignore + ": " + any + " | Acc* | Ign ?";
    EXPECT_EQ(lines(IDC_RULES), (std::vector<std::string>{first, second}));

    // Nothing selected: edit, remove and the moves do nothing.
    WindowRule r;
    EXPECT_FALSE(page.selected(dialog, &r));
    page.removeSelected(dialog);
    page.moveSelected(dialog, 1);
    EXPECT_EQ(page.rules().size(), 2u);

    // Add appends and selects; up moves the selected rule before the other.
    ASSERT_EQ(page.add(dialog, rule(kRuleStay, "", "", "Memo*")), 0);
    EXPECT_EQ(platform::listSelection(dialog, IDC_RULES), 2);
    page.moveSelected(dialog, -1);
    EXPECT_EQ(page.rules()[1].title, "Memo*");
    EXPECT_EQ(platform::listSelection(dialog, IDC_RULES), 1);
    page.moveSelected(dialog, -1);
    page.moveSelected(dialog, -1);  // already first
    EXPECT_EQ(page.rules()[0].title, "Memo*");
    page.moveSelected(dialog, 1);
    EXPECT_EQ(page.rules()[1].title, "Memo*");
    ASSERT_TRUE(page.selected(dialog, &r));
    EXPECT_EQ(r.title, "Memo*");
    // Edit replaces, remove takes the selected one out.
    page.replaceSelected(dialog, rule(kRuleIgnore, "", "", "Memo 2"));
    EXPECT_EQ(page.rules()[1], rule(kRuleIgnore, "", "", "Memo 2"));
    EXPECT_EQ(lines(IDC_RULES)[1], ignore + ": " + any + " | " + any + " | Memo 2");
    page.removeSelected(dialog);
    EXPECT_EQ(page.rules(), (WindowRuleList{rule(kRuleStay, "notepad.exe", "", ""),
                                            rule(kRuleIgnore, "", "Acc*", "Ign ?")}));
    EXPECT_EQ(lines(IDC_RULES), (std::vector<std::string>{first, second}));
    EXPECT_EQ(platform::listSelection(dialog, IDC_RULES), 1);
}

TEST_F(RulesPageTest, ASixtyFifthRuleIsRefusedWithAWarning) {
    RulesPage page;
    page.onInit(dialog, {});
    for (int i = 0; i < kMaxWindowRules; ++i)
        ASSERT_EQ(page.add(dialog, rule(kRuleStay, "", ("C" + std::to_string(i)).c_str(), "")), 0);
    EXPECT_TRUE(sim::messageBoxes().empty());
    EXPECT_EQ(page.add(dialog, rule(kRuleStay, "", "One more", "")), 1);
    EXPECT_EQ(static_cast<int>(page.rules().size()), kMaxWindowRules);
    ASSERT_EQ(sim::messageBoxes().size(), 1u);
    EXPECT_NE(sim::messageBoxes()[0].text.find("64"), std::string::npos);
    EXPECT_EQ(sim::messageBoxes()[0].caption, platform::uiText(IDS_RULES_FULL_CAPTION));
}

TEST_F(RulesPageTest, PickAWindowFillsInItsProgramClassAndUnicodeTitle) {
    sim::SimWindow memo;
    memo.title = "????";
    memo.unicodeTitle = "\xE3\x83\xA1\xE3\x83\xA2 1";  // メモ 1
    memo.className = "WrSample";
    memo.program = "wrsample.exe";
    memo.normal = memo.rect = {10, 10, 300, 200};
    sim::addWindow(memo);
    sim::addWindow("", "Shell_TrayWnd", 0, 748, 1024, 20);
    sim::SimWindow own = memo;
    own.title = own.unicodeTitle = "Wideroom Navigator";
    own.processId = kOwnProcess;
    sim::addWindow(own);
    sim::SimWindow minimized = memo;
    minimized.showCmd = platform::kShowMinimized;
    sim::addWindow(minimized);

    RuleEditor editor;
    editor.onInit(dialog, rule(kRuleIgnore, "", "Old", ""));
    EXPECT_EQ(text(IDC_RULE_CLASS), "Old");
    EXPECT_TRUE(platform::isChecked(dialog, IDC_RULE_IGNORE));
    // Only the sample is offered: not the taskbar, not this program's own
    // windows (the dialog among them), not a minimized window.
    ASSERT_EQ(lines(IDC_RULE_PICK),
              (std::vector<std::string>{"\xE3\x83\xA1\xE3\x83\xA2 1  [WrSample, wrsample.exe]"}));
    sim::selectLine(dialog, IDC_RULE_PICK, 0);
    editor.onPick(dialog);
    EXPECT_EQ(text(IDC_RULE_PROGRAM), "wrsample.exe");
    EXPECT_EQ(text(IDC_RULE_CLASS), "WrSample");
    EXPECT_EQ(text(IDC_RULE_TITLE), "\xE3\x83\xA1\xE3\x83\xA2 1");
    platform::setChecked(dialog, IDC_RULE_IGNORE, false);
    platform::setChecked(dialog, IDC_RULE_STAY, true);
    ASSERT_EQ(editor.onOk(dialog), 0);
    EXPECT_EQ(editor.rule, rule(kRuleStay, "wrsample.exe", "WrSample", "\xE3\x83\xA1\xE3\x83\xA2 1"));
}

TEST_F(RulesPageTest, PatternsThatCannotBeStoredAreRefusedWithTheirFieldMarked) {
    struct Case {
        const char* program;
        std::string title;
        int marked;
        int why;
    } cases[] = {
        {"a\tb.exe", "", IDC_RULE_PROGRAM, IDS_PATTERN_CONTROL},
        {"", std::string(256, 'x'), IDC_RULE_TITLE, IDS_PATTERN_TOO_LONG},
        {"", "", IDC_RULE_PROGRAM, IDS_RULE_NO_PATTERN},
        {"   ", "  ", IDC_RULE_PROGRAM, IDS_RULE_NO_PATTERN},
    };
    for (const Case& c : cases) {
        sim::resetDialogs();
        RuleEditor editor;
        editor.onInit(dialog, rule(kRuleStay, "keep.exe", "", ""));
        platform::setControlText(dialog, IDC_RULE_PROGRAM, c.program);
        platform::setControlText(dialog, IDC_RULE_TITLE, c.title.c_str());
        EXPECT_EQ(editor.onOk(dialog), 1) << c.program << c.title;
        EXPECT_EQ(sim::control(dialog, c.marked).marks, 1) << c.program << c.title;
        EXPECT_EQ(text(IDC_RULE_ERROR), platform::uiText(c.why)) << c.program << c.title;
        EXPECT_EQ(editor.rule, rule(kRuleStay, "keep.exe", "", "")) << "nothing taken";
    }
    // 255 characters are kept, spaces around a pattern are not.
    RuleEditor editor;
    editor.onInit(dialog, WindowRule{});
    platform::setControlText(dialog, IDC_RULE_PROGRAM, "  x.exe ");
    platform::setControlText(dialog, IDC_RULE_TITLE, std::string(255, 'y').c_str());
    ASSERT_EQ(editor.onOk(dialog), 0);
    EXPECT_EQ(editor.rule.program, "x.exe");
    EXPECT_EQ(editor.rule.title, std::string(255, 'y'));
}

TEST_F(RulesPageTest, FollowFocusAndFullScreenPauseAreShownAndTakenBack) {
    OptionsDialog state;
    const int follow[] = {IDC_FOCUS_VIEW, IDC_FOCUS_WINDOW, IDC_FOCUS_OFF};
    for (int32_t value : {kFollowView, kFollowWindow, kFollowOff, 7}) {
        Options o;
        o.focus.followFocus = value;
        o.edges.pauseInFullscreen = value == kFollowWindow ? 0 : 1;
        state.onInit(dialog, o);
        const int32_t shown = value == 7 ? kFollowView : value;
        for (int32_t i = kFollowView; i <= kFollowOff; ++i)
            EXPECT_EQ(platform::isChecked(dialog, follow[i]), i == shown) << value;
        EXPECT_EQ(platform::isChecked(dialog, IDC_PAUSE_FULLSCREEN), value != kFollowWindow);
    }
    platform::setChecked(dialog, IDC_FOCUS_VIEW, false);
    platform::setChecked(dialog, IDC_FOCUS_OFF, true);
    platform::setChecked(dialog, IDC_PAUSE_FULLSCREEN, false);
    Options taken;
    ASSERT_EQ(state.onOk(dialog, &taken), 0);
    EXPECT_EQ(taken.focus.followFocus, kFollowOff);
    EXPECT_EQ(taken.edges.pauseInFullscreen, 0);
}

}  // namespace
