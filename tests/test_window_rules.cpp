// Window rules: the wildcard matching, the rules in the options file, and how
// the snapshot, the re-fit and the gathering apply them.
#include <cstring>
#include <fstream>
#include <random>
#include <string>

#include "engine/rule_match.h"
#include "store/ini_document.h"
#include "store/options.h"
#include "store/window_rules.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class WindowRules : public DeskTest {};

// --- wildcards -----------------------------------------------------------------

struct MatchCase {
    const char* pattern;
    const char* text;
    bool foldCase;
    bool matches;
};

const MatchCase kMatches[] = {
    // Whole text, byte for byte without wildcards.
    {"abc", "abc", false, true},
    {"abc", "abcd", false, false},
    {"abc", "ab", false, false},
    {"", "", false, true},
    {"", "a", false, false},
    // "*" at every position, none or many characters.
    {"*", "", false, true},
    {"*", "anything at all", false, true},
    {"*abc", "abc", false, true},
    {"*abc", "xxabc", false, true},
    {"*abc", "abcx", false, false},
    {"abc*", "abc", false, true},
    {"abc*", "abcdef", false, true},
    {"abc*", "xabc", false, false},
    {"a*c", "ac", false, true},
    {"a*c", "abbbc", false, true},
    {"a*c", "abbbcd", false, false},
    {"a**c", "axc", false, true},
    {"*b*", "abc", false, true},
    {"*b*", "ac", false, false},
    {"a*b*c", "aXbYbZc", false, true},
    {"a*bc", "abcbc", false, true},  // the star must give back what it took
    {"*aab", "aaaab", false, true},
    // "?" exactly one character, at every position.
    {"?", "", false, false},
    {"?", "a", false, true},
    {"?", "ab", false, false},
    {"?bc", "abc", false, true},
    {"a?c", "abc", false, true},
    {"ab?", "abc", false, true},
    {"ab?", "ab", false, false},
    {"Ign ?", "Ign 0", false, true},
    {"Ign ?", "Ign 10", false, false},
    {"?*", "", false, false},
    {"*?", "x", false, true},
    // Case: only when folded, across scripts.
    {"NOTEPAD.EXE", "notepad.exe", true, true},
    {"NOTEPAD.EXE", "notepad.exe", false, false},
    {"Acc*", "accSample", true, true},
    {"Acc*", "accSample", false, false},
    {"\xC3\x89T\xC3\x89", "\xC3\xA9t\xC3\xA9", true, true},                // ÉTÉ / été
    {"\xD0\x9C\xD0\x98\xD0\xA0", "\xD0\xBC\xD0\xB8\xD1\x80", true, true},  // МИР / мир
    {"\xEF\xBC\xA1\xEF\xBC\xA2", "\xEF\xBD\x81\xEF\xBD\x82", true, true},  // ＡＢ / ａｂ
    {"\xC3\x97", "\xC3\xB7", true, false},                                 // × is no letter
    // Japanese: "?" is one character of three bytes.
    {"\xE3\x83\xA1\xE3\x83\xA2*", "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3 - x", true, true},  // メモ*
    {"\xE3\x83\xA1?", "\xE3\x83\xA1\xE3\x83\xA2", true, true},                              // メ?
    {"\xE3\x83\xA1??", "\xE3\x83\xA1\xE3\x83\xA2", true, false},
    {"*\xE5\xB8\xB3", "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3", true, true},  // *帳
    // Bytes that are not UTF-8 are one character each and match themselves.
    {"?", "\xFF", false, true},
    {"\xFF", "\xFF", false, true},
    {"\xFF", "\xFE", false, false},
    {"a?", "a\xE3\x83", false, false},
};

TEST(RuleMatch, WildcardsCaseAndCharactersAsTheTableSays) {
    for (const MatchCase& c : kMatches) {
        EXPECT_EQ(wildcardMatch(c.pattern, c.text, c.foldCase), c.matches)
            << "pattern \"" << c.pattern << "\" text \"" << c.text << "\" fold " << c.foldCase;
    }
}

TEST(RuleMatch, LongStarsStayQuick) {
    // A pattern that backtracks at every star still ends (pattern x text steps).
    std::string text(4000, 'a');
    std::string pattern;
    for (int i = 0; i < 100; ++i) pattern += "*a";
    pattern += "b";
    EXPECT_FALSE(wildcardMatch(pattern.c_str(), text.c_str(), true));
    EXPECT_TRUE(wildcardMatch(pattern.substr(0, pattern.size() - 1).c_str(), text.c_str(), true));
}

// --- rules -----------------------------------------------------------------------

WindowRule rule(int32_t action, const char* program, const char* cls, const char* title) {
    return WindowRule{action, program, cls, title};
}

struct RuleCase {
    const char* program;
    const char* className;
    const char* title;
    int32_t action;
};

TEST(RuleMatch, FirstRuleThatMatchesWinsProgramsAndTitlesIgnoreCaseClassesDoNot) {
    const WindowRuleList rules = {
        rule(kRuleStay, "notepad.exe", "", ""),
        rule(kRuleIgnore, "", "Acc*", "Ign ?"),
        rule(kRuleIgnore, "", "", "\xE3\x83\xA1\xE3\x83\xA2*"),  // メモ*
        rule(kRuleStay, "", "Acc*", ""),
    };
    const RuleCase cases[] = {
        {"notepad.exe", "Notepad", "Untitled - Notepad", kRuleStay},
        {"NOTEPAD.EXE", "Notepad", "", kRuleStay},
        {"notepad.exe", "AccSample", "Ign 0", kRuleStay},  // rule 1 comes first
        {"sample.exe", "AccSample", "Ign 0", kRuleIgnore},
        {"sample.exe", "AccSample", "ign 7", kRuleIgnore},  // title without case
        {"sample.exe", "accSample", "Ign 0", kRuleNone},    // class with case
        {"sample.exe", "AccSample", "Ign 10", kRuleStay},   // rule 4
        {"sample.exe", "Other", "\xE3\x83\xA1\xE3\x83\xA2 1", kRuleIgnore},
        {"sample.exe", "Other", "Memo", kRuleNone},
        {nullptr, "Other", "x", kRuleNone},  // program not known: its patterns fail
    };
    for (const RuleCase& c : cases) {
        EXPECT_EQ(firstRuleAction(rules, {c.program, c.className, c.title}), c.action)
            << (c.program ? c.program : "(none)") << " / " << c.className << " / " << c.title;
    }
    // A rule of the last pattern only: a program that cannot be learnt still
    // matches it.
    EXPECT_EQ(firstRuleAction({rule(kRuleStay, "", "Other", "")}, {nullptr, "Other", "x"}), kRuleStay);
}

// --- the file --------------------------------------------------------------------

WindowRuleList rulesOf(const std::string& text) {
    IniDocument doc;
    doc.parse(text.data(), text.size());
    return readWindowRules(doc);
}

TEST(RuleFile, RulesComeInTheOrderOfTheirNumbersAndBadOnesAreLeftOut) {
    const std::string longPattern(256, 'x');
    const std::string text =
        "[Rule10]\nAction=ignore\nClass=Ten\n"
        "[Rule2]\nAction=Stay\nProgram=notepad.exe\n"
        "[rule3]\nAction=ignore\nClass=Acc*\nTitle=Ign ?\n"
        "[Rule4]\nAction=hide\nClass=Unknown\n"   // unknown action
        "[Rule5]\nAction=stay\n"                  // no pattern
        "[Rule6]\nAction=stay\nTitle=\nClass=\n"  // empty patterns
        "[Rule7]\nClass=NoAction\n"               // no action
        "[Rule8]\nAction=stay\nTitle=" +
        longPattern +
        "\n"  // too long
        "[Rule09]\nAction=stay\nClass=LeadingZero\n"
        "[Rule0]\nAction=stay\nClass=Zero\n"
        "[Rule1]\nAction=stay\nTitle=" +
        std::string(255, 'y') + "\n";
    const WindowRuleList rules = rulesOf(text);
    ASSERT_EQ(rules.size(), 4u);
    EXPECT_EQ(rules[0], rule(kRuleStay, "", "", std::string(255, 'y').c_str()));
    EXPECT_EQ(rules[1], rule(kRuleStay, "notepad.exe", "", ""));
    EXPECT_EQ(rules[2], rule(kRuleIgnore, "", "Acc*", "Ign ?"));
    EXPECT_EQ(rules[3], rule(kRuleIgnore, "", "Ten", ""));
}

TEST(RuleFile, AtMostSixtyFourRulesTheRestIgnored) {
    std::string text;
    for (int i = 1; i <= 70; ++i)
        text += "[Rule" + std::to_string(i) + "]\nAction=stay\nClass=C" + std::to_string(i) + "\n";
    const WindowRuleList rules = rulesOf(text);
    ASSERT_EQ(static_cast<int>(rules.size()), kMaxWindowRules);
    EXPECT_EQ(rules.back().className, "C64");
}

TEST(RuleFile, PatternsThatCannotBeStoredAreRefused) {
    EXPECT_EQ(checkPattern(""), 0);
    EXPECT_EQ(checkPattern("Acc*"), 0);
    EXPECT_EQ(checkPattern(std::string(255, 'a')), 0);
    EXPECT_EQ(checkPattern(std::string(256, 'a')), kPatternTooLong);
    // 255 characters of three bytes each are 255 characters.
    std::string japanese;
    for (int i = 0; i < 255; ++i) japanese += "\xE3\x83\xA1";
    EXPECT_EQ(checkPattern(japanese), 0);
    EXPECT_EQ(checkPattern(japanese + "\xE3\x83\xA1"), kPatternTooLong);
    EXPECT_EQ(checkPattern("a\tb"), kPatternControl);
    EXPECT_EQ(checkPattern("a\x7F"), kPatternControl);
    EXPECT_EQ(checkPattern("\xC2\x85"), kPatternControl);  // a C1 control
    EXPECT_EQ(checkPattern("\xE3\x83"), kPatternControl);  // cut short
    EXPECT_EQ(checkPattern("\xFF"), kPatternControl);
}

TEST(RuleFile, WritingKeepsWhatIsNotARuleAndNumbersAroundIt) {
    IniDocument doc;
    const std::string text =
        "; mine\n[Edges]\nDwellMs=200\n"
        "[Rule1]\nAction=stay\nClass=Old\n"
        "[Rule2]\nAction=hide\nClass=Kept\n"
        "[Other]\nKey=Value\n";
    doc.parse(text.data(), text.size());
    writeWindowRules(&doc, {rule(kRuleIgnore, "a.exe", "", ""), rule(kRuleStay, "", "", "T*"),
                            rule(kRuleStay, "", "", "")});  // the last is no rule
    const std::string written = doc.text();
    EXPECT_EQ(written.find("Class=Old"), std::string::npos);
    EXPECT_NE(written.find("[Rule2]\r\nAction=hide\r\nClass=Kept\r\n"), std::string::npos);
    EXPECT_NE(written.find("; mine\r\n[Edges]\r\nDwellMs=200\r\n"), std::string::npos);
    EXPECT_NE(written.find("[Other]\r\nKey=Value\r\n"), std::string::npos);
    EXPECT_NE(written.find("[Rule1]\r\nAction=ignore\r\nProgram=a.exe\r\n"), std::string::npos);
    EXPECT_NE(written.find("[Rule3]\r\nAction=stay\r\nTitle=T*\r\n"), std::string::npos);
    IniDocument again;
    again.parse(written.data(), written.size());
    const WindowRuleList back = readWindowRules(again);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0], rule(kRuleIgnore, "a.exe", "", ""));
    EXPECT_EQ(back[1], rule(kRuleStay, "", "", "T*"));
}

TEST(RuleFile, UnchangedRulesLeaveTheTextAsWritten) {
    const std::string text = "[Rule5]\r\n; a comment\r\nAction=STAY\r\nProgram=notepad.exe\r\n";
    IniDocument doc;
    doc.parse(text.data(), text.size());
    writeWindowRules(&doc, readWindowRules(doc));
    EXPECT_EQ(doc.text(), text);
}

TEST_F(WindowRules, SavedRulesAreReadBackWithTheRestOfTheFileKept) {
    {
        std::ofstream f("Wideroom.ini", std::ios::binary);
        f << "[General]\nLanguage=en\n[Rule1]\nAction=bogus\nTitle=x\n";
    }
    const WindowRuleList rules = {rule(kRuleStay, "", "", "\xE3\x83\xA1\xE3\x83\xA2*"),
                                  rule(kRuleIgnore, "", "AccSample", "Ign ?")};
    ASSERT_EQ(saveWindowRules("Wideroom.ini", rules), 0);
    WindowRuleList back;
    ASSERT_EQ(loadWindowRules("Wideroom.ini", &back), 0);
    EXPECT_EQ(back, rules);
    Options options;
    readOptions("Wideroom.ini", &options);
    EXPECT_EQ(options.general.language, kLanguageEn);
    EXPECT_EQ(loadWindowRules("missing.ini", &back), 1);
    EXPECT_TRUE(back.empty());
}

// Seeded random texts from pieces of rule files: no crash (ASan, UBSan), every
// rule read is usable, at most 64, and writing what was read into the text
// reads back the same rules.
TEST(RuleFile, FuzzedFilesGiveUsableRulesThatSurviveARewrite) {
    const char* const pieces[] = {"[Rule1]", "[Rule2]", "[Rule10]", "[rule3]", "[Rule0]",      "[Rule01]",
                                  "[Rule",   "]",       "[Edges]",  "Action=", "stay",         "ignore",
                                  "Stay",    "hide",    "Program=", "Class=",  "Title=",       "*",
                                  "?",       "**",      "a",        "Acc",     "\xE3\x83\xA1", "\xFF",
                                  "\xC3",    "\t",      "\x01",     "=",       "\n",           "\r\n",
                                  "\r",      ";",       " ",        "x.exe"};
    std::mt19937 random(2212);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        const int n = static_cast<int>(random() % 60);
        for (int i = 0; i < n; ++i) text += pieces[random() % (sizeof pieces / sizeof pieces[0])];
        if (round % 7 == 0) text += std::string(300, 'z');
        IniDocument doc;
        doc.parse(text.data(), text.size());
        const WindowRuleList rules = readWindowRules(doc);
        ASSERT_LE(static_cast<int>(rules.size()), kMaxWindowRules);
        for (const WindowRule& r : rules) ASSERT_TRUE(usableRule(r)) << text;
        // Matching anything against them is safe.
        firstRuleAction(rules, {text.c_str(), text.c_str(), text.c_str()});
        WindowRuleList changed = rules;
        if (!changed.empty()) changed.erase(changed.begin());
        changed.push_back(rule(kRuleIgnore, "", "New", ""));
        writeWindowRules(&doc, changed);
        const std::string written = doc.text();
        IniDocument again;
        again.parse(written.data(), written.size());
        ASSERT_EQ(again.ignoredLines(), 0) << text;
        ASSERT_EQ(readWindowRules(again), changed) << text << "\n---\n" << written;
    }
}

// --- the engine ------------------------------------------------------------------

platform::WindowHandle addNamed(const std::string& title, const std::string& cls, const std::string& program,
                                int x, const std::string& unicodeTitle = "") {
    sim::SimWindow w;
    w.title = title;
    w.className = cls;
    w.program = program;
    w.unicodeTitle = unicodeTitle;
    w.normal = w.rect = {x, 100, x + 200, 300};
    return sim::addWindow(w);
}

bool inTable(const VirtualDesk& desk, platform::WindowHandle h) {
    for (int i = 0; i < desk.windowCount; ++i)
        if (desk.windows[i].window == h) return true;
    return false;
}

const WindowRuleList kIssueRules = {rule(kRuleStay, "notepad.exe", "", ""),
                                    rule(kRuleIgnore, "", "Acc*", "Ign ?")};

TEST_F(WindowRules, StayAndIgnoreWindowsAreLeftOutOfTheTableTheRestScrolls) {
    const platform::WindowHandle notepad = addNamed("Untitled - Notepad", "Notepad", "NOTEPAD.EXE", 100);
    const platform::WindowHandle ignored = addNamed("Ign 0", "AccSample", "sample.exe", 300);
    const platform::WindowHandle sample = addNamed("Ign 10", "AccSample", "sample.exe", 500);
    VirtualDesk desk;
    desk.rules.setRules(kIssueRules);
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, notepad));
    EXPECT_FALSE(inTable(desk, ignored));
    EXPECT_TRUE(inTable(desk, sample));
    desk.moveViewBy(300, 0);
    EXPECT_EQ(sim::window(notepad)->rect.left, 100);
    EXPECT_EQ(sim::window(ignored)->rect.left, 300);
    EXPECT_EQ(sim::window(sample)->rect.left, 200);
}

TEST_F(WindowRules, ARuleIsTriedBeforeTheFixedListAndBothKeepWindowsOut) {
    const platform::WindowHandle fixedOnly = addNamed("F", "Fixed", "f.exe", 100);
    const platform::WindowHandle both = addNamed("Ign 1", "AccSample", "s.exe", 300);
    VirtualDesk desk;
    std::strcpy(desk.fixedWindows.entries[0].className, "Fixed");
    std::strcpy(desk.fixedWindows.entries[0].title, "F");
    std::strcpy(desk.fixedWindows.entries[1].className, "AccSample");
    std::strcpy(desk.fixedWindows.entries[1].title, "Ign 1");
    desk.rules.setRules(kIssueRules);
    desk.snapshotWindows();
    EXPECT_EQ(desk.windowCount, 0);
    // The ignore rule came first: the gathering leaves it where it is, the
    // fixed-only window is gathered.
    sim::window(fixedOnly)->rect = sim::window(fixedOnly)->normal = {3000, 100, 3200, 300};
    sim::window(both)->rect = sim::window(both)->normal = {3000, 100, 3200, 300};
    desk.gatherWindows();
    EXPECT_EQ(sim::window(fixedOnly)->rect.left, 1024 - 200);
    EXPECT_EQ(sim::window(both)->rect.left, 3000);
}

TEST_F(WindowRules, ATitleMatchesInUnicodeWhateverTheNarrowBytes) {
    // Under code page 1252 a Japanese title reads "????" narrow.
    const platform::WindowHandle memo =
        addNamed("????", "Memo", "m.exe", 100, "\xE3\x83\xA1\xE3\x83\xA2\xE5\xB8\xB3");
    const platform::WindowHandle other = addNamed("????", "Memo", "m.exe", 300, "\xE5\xB8\xB3");
    VirtualDesk desk;
    desk.rules.setRules({rule(kRuleStay, "", "", "\xE3\x83\xA1\xE3\x83\xA2*")});
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, memo));
    EXPECT_TRUE(inTable(desk, other));
}

TEST_F(WindowRules, IgnoredWindowsAreNeitherRefittedNorGatheredStayWindowsAre) {
    const platform::WindowHandle stay = addNamed("N", "Notepad", "notepad.exe", 100);
    const platform::WindowHandle ignored = addNamed("Ign 0", "AccSample", "sample.exe", 300);
    sim::SimWindow maximized;
    maximized.title = "Ign 2";
    maximized.className = "AccSample";
    maximized.showCmd = platform::kShowMaximized;
    maximized.normal = {10, 10, 200, 200};
    maximized.rect = {100, 100, 1124, 868};
    const platform::WindowHandle max = sim::addWindow(maximized);
    VirtualDesk desk;
    desk.rules.setRules(kIssueRules);
    for (platform::WindowHandle h : {stay, ignored}) sim::window(h)->rect = {4000, 100, 4200, 300};
    // The re-fit after the desktop shrank to one screen.
    SettingsImage image{};
    desk.exportSettings(&image);
    image.hScale = 1;
    image.vScale = 1;
    desk.importSettings(&image);
    EXPECT_EQ(sim::window(stay)->rect.left, 1024 - 200);
    EXPECT_EQ(sim::window(ignored)->rect.left, 4000);
    // The gathering at exit.
    sim::window(stay)->rect = {-3000, 100, -2800, 300};
    desk.gatherWindows();
    EXPECT_EQ(sim::window(stay)->rect.left, 0);
    EXPECT_EQ(sim::window(ignored)->rect.left, 4000);
    EXPECT_EQ(sim::window(max)->rect.left, 100);
}

// The window system is asked as seldom as the rules allow: the program once
// per window, the Unicode title only when the narrow one changed, nothing
// without rules, and a window's answer goes with the window.
TEST_F(WindowRules, ProgramReadOnceUnicodeTitleOnlyWhenTheNarrowOneChanged) {
    const platform::WindowHandle a = addNamed("A", "C", "a.exe", 100);
    addNamed("B", "C", "b.exe", 300);
    VirtualDesk plain;
    plain.snapshotWindows();
    sim::resetCallCount();
    plain.snapshotWindows();
    const long withoutRules = sim::callCount();

    VirtualDesk desk;
    desk.rules.setRules({rule(kRuleStay, "x.exe", "", "never*")});
    desk.snapshotWindows();  // first sight: program, process and title of each
    sim::resetCallCount();
    desk.snapshotWindows();
    EXPECT_EQ(sim::callCount(), withoutRules);
    // A new narrow title: the Unicode title and the program's id, once.
    sim::window(a)->title = "A2";
    sim::resetCallCount();
    desk.snapshotWindows();
    EXPECT_EQ(sim::callCount(), withoutRules + 2);
    sim::resetCallCount();
    desk.snapshotWindows();
    EXPECT_EQ(sim::callCount(), withoutRules);
    // Another program under the same handle and title: read again.
    sim::window(a)->title = "A3";
    sim::window(a)->processId = 0x999;
    sim::window(a)->program = "x.exe";
    sim::window(a)->unicodeTitle = "never mind";
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, a));
    // Gone windows lose their entry.
    EXPECT_EQ(desk.rules.entryCount(), 2);
    sim::removeWindow(a);
    desk.snapshotWindows();
    EXPECT_EQ(desk.rules.entryCount(), 1);
}

TEST_F(WindowRules, NewRulesAskEveryWindowAgain) {
    const platform::WindowHandle a = addNamed("A", "C", "a.exe", 100);
    VirtualDesk desk;
    desk.rules.setRules({rule(kRuleStay, "", "Other", "")});
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, a));
    desk.rules.setRules({rule(kRuleStay, "A.EXE", "", "")});
    desk.snapshotWindows();
    EXPECT_FALSE(inTable(desk, a));
    desk.rules.setRules({});
    desk.snapshotWindows();
    EXPECT_TRUE(inTable(desk, a));
}

}  // namespace
