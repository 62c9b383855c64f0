// The options file "Wideroom.ini": defaults, clamping, unreadable lines, and a
// rewrite that keeps what it does not know.
#include <cstring>
#include <string>

#include "store/ini_document.h"
#include "store/options.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class OptionsFile : public DeskTest {
protected:
    void writeText(const std::string& text) { writeFile(kOptionsFileName, {text.begin(), text.end()}); }
    std::string fileText() {
        std::vector<unsigned char> b = readFile(kOptionsFileName);
        return std::string(b.begin(), b.end());
    }
    Options read() {
        Options o;
        EXPECT_EQ(readOptions(kOptionsFileName, &o), 0);
        return o;
    }
};

bool sameOptions(const Options& a, const Options& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST_F(OptionsFile, MissingFileMeansTheDefaults) {
    Options o;
    o.edges.dwellMs = 77;
    std::strncpy(o.keys.home, "x", kKeyTextSize);
    EXPECT_EQ(readOptions(kOptionsFileName, &o), 1);
    EXPECT_TRUE(sameOptions(o, Options{}));
    EXPECT_EQ(o.edges.dwellMs, 0);
    EXPECT_EQ(o.edges.cornerPx, 0);
    EXPECT_EQ(o.edges.pagePauseMs, 0);
    EXPECT_EQ(o.edges.left + o.edges.right + o.edges.top + o.edges.bottom, 4);
    EXPECT_EQ(o.edges.carryDraggedWindow, 0);
    EXPECT_STREQ(o.keys.pageLeft, "Ctrl+Alt+Left");
    EXPECT_STREQ(o.keys.carryDown, "Ctrl+Alt+Shift+Down");
    EXPECT_STREQ(o.keys.toggleNavigator, "");
    EXPECT_EQ(o.navigator.wheelScrolls, 1);
    EXPECT_EQ(o.general.language, kLanguageAuto);
    EXPECT_EQ(o.edges.pauseInFullscreen, 1);
    EXPECT_STREQ(o.keys.overview, "Ctrl+Alt+Space");
    EXPECT_EQ(o.focus.followFocus, kFollowOff);
}

// value in the file | DwellMs read
struct NumberCase {
    const char* value;
    int32_t expected;
};

TEST_F(OptionsFile, NumbersAreClampedAndUnreadableOnesKeepTheDefault) {
    const NumberCase cases[] = {
        {"300", 300},
        {"0", 0},
        {"2000", 2000},
        {"2001", 2000},
        {"-1", 0},
        {"+15", 15},
        {"  40  ", 40},
        {"007", 7},
        {"99999999999999999999999", 2000},
        {"-99999999999999999999", 0},
        {"abc", 0},
        {"12x", 0},
        {"", 0},
        {"1 2", 0},
        {"0x10", 0},
        {"+", 0},
        {"3.5", 0},
    };
    for (const NumberCase& c : cases) {
        writeText(std::string("[Edges]\nDwellMs=") + c.value + "\n");
        EXPECT_EQ(read().edges.dwellMs, c.expected) << "'" << c.value << "'";
    }
}

TEST_F(OptionsFile, EveryNumberHasItsRange) {
    writeText(
        "[Edges]\nDwellMs=5000\nCornerPx=500\nPagePauseMs=9000\nLeft=7\nRight=-3\nTop=0\nBottom=2\n"
        "CarryDraggedWindow=9\nPauseInFullscreen=-4\n[Navigator]\nWheelScrolls=-5\n");
    const Options o = read();
    EXPECT_EQ(o.edges.dwellMs, 2000);
    EXPECT_EQ(o.edges.cornerPx, 200);
    EXPECT_EQ(o.edges.pagePauseMs, 3000);
    EXPECT_EQ(o.edges.left, 1);
    EXPECT_EQ(o.edges.right, 0);
    EXPECT_EQ(o.edges.top, 0);
    EXPECT_EQ(o.edges.bottom, 1);
    EXPECT_EQ(o.edges.carryDraggedWindow, 1);
    EXPECT_EQ(o.navigator.wheelScrolls, 0);
    EXPECT_EQ(o.edges.pauseInFullscreen, 0);
}

TEST_F(OptionsFile, NamesIgnoreCaseTheFirstKeyCountsAndKeysBelongToTheirSection) {
    writeText(
        "[edges]\n dwellms = 120 \nDWELLMS=999\n[Other]\nCornerPx=50\n[EDGES]\nCornerPx=60\n"
        "[Keys]\nDwellMs=1\n");
    const Options o = read();
    EXPECT_EQ(o.edges.dwellMs, 120);
    // The second [Edges] section is not looked at, as Windows does.
    EXPECT_EQ(o.edges.cornerPx, 0);
}

// value | language read
struct LanguageCase {
    const char* value;
    int32_t expected;
};

TEST_F(OptionsFile, LanguageIsAutoJaOrEnAndAnythingElseReadsAuto) {
    const LanguageCase cases[] = {{"auto", kLanguageAuto}, {"ja", kLanguageJa},       {"en", kLanguageEn},
                                  {"EN", kLanguageEn},     {" Ja ", kLanguageJa},     {"de", kLanguageAuto},
                                  {"", kLanguageAuto},     {"english", kLanguageAuto}};
    for (const LanguageCase& c : cases) {
        writeText(std::string("[General]\nLanguage=") + c.value + "\n");
        EXPECT_EQ(read().general.language, c.expected) << c.value;
    }
}

TEST_F(OptionsFile, FollowFocusIsViewWindowOrOffAndAnythingElseReadsTheDefault) {
    const LanguageCase cases[] = {{"view", kFollowView}, {"Window", kFollowWindow}, {" off ", kFollowOff},
                                  {"", kFollowOff},      {"none", kFollowOff},      {"0", kFollowOff}};
    for (const LanguageCase& c : cases) {
        writeText(std::string("[Focus]\nFollowFocus=") + c.value + "\n");
        EXPECT_EQ(read().focus.followFocus, c.expected) << c.value;
    }
}

TEST_F(OptionsFile, KeyTextsUpTo63BytesAreTakenLongerOnesReadAsTheDefault) {
    const std::string max(63, 'k');
    writeText("[Keys]\nPageLeft=" + max + "\nPageRight=" + max + "k\nHome=\nToggleNavigator=Ctrl+Alt+N\n");
    const Options o = read();
    EXPECT_EQ(std::string(o.keys.pageLeft), max);
    EXPECT_STREQ(o.keys.pageRight, "Ctrl+Alt+Right");
    EXPECT_STREQ(o.keys.home, "");  // empty: no hotkey
    EXPECT_STREQ(o.keys.toggleNavigator, "Ctrl+Alt+N");
}

TEST_F(OptionsFile, ByteOrderMarkAndEveryLineEndAreRead) {
    writeText("\xEF\xBB\xBF[Edges]\r\nDwellMs=10\rCornerPx=20\nPagePauseMs=30\r\n");
    const Options o = read();
    EXPECT_EQ(o.edges.dwellMs, 10);
    EXPECT_EQ(o.edges.cornerPx, 20);
    EXPECT_EQ(o.edges.pagePauseMs, 30);
}

TEST_F(OptionsFile, WriteThenReadGivesEveryOptionBack) {
    Options o;
    o.edges = {300, 40, 1000, 0, 1, 0, 1, 1, 0};
    o.focus.followFocus = kFollowWindow;
    std::strncpy(o.keys.overview, "Ctrl+Shift+Space", kKeyTextSize);
    std::strncpy(o.keys.pageLeft, "Win+Left", kKeyTextSize);
    std::strncpy(o.keys.toggleNavigator, "Ctrl+Alt+N", kKeyTextSize);
    std::strncpy(o.keys.carryUp, "", kKeyTextSize);
    o.navigator.wheelScrolls = 0;
    o.general.language = kLanguageEn;
    ASSERT_EQ(writeOptions(kOptionsFileName, o), 0);
    EXPECT_TRUE(sameOptions(read(), o));
    EXPECT_FALSE(fileExists(std::string(kOptionsFileName) + ".tmp"));
}

TEST_F(OptionsFile, ANewFileListsTheSectionsInOrder) {
    ASSERT_EQ(writeOptions(kOptionsFileName, Options{}), 0);
    const std::string t = fileText();
    EXPECT_EQ(t.rfind("[Edges]\r\nDwellMs=0\r\nCornerPx=0\r\n", 0), 0u) << t;
    const size_t edges = t.find("[Edges]"), keys = t.find("[Keys]"), nav = t.find("[Navigator]"),
                 general = t.find("[General]");
    EXPECT_LT(edges, keys);
    EXPECT_LT(keys, nav);
    EXPECT_LT(nav, general);
    EXPECT_NE(t.find("\r\nToggleNavigator=\r\n"), std::string::npos);
    EXPECT_NE(t.find("\r\nLanguage=auto\r\n"), std::string::npos);
}

TEST_F(OptionsFile, RewriteKeepsUnknownSectionsKeysAndCommentsAndChangesOnlyItsValues) {
    writeText(
        "; made by hand\n"
        "[Edges]\n"
        "# the dwell\n"
        "DwellMs = 100\n"
        "Future=keep me\n"
        "\n"
        "[Elsewhere]\n"
        "名前=値\n"
        "[General]\n"
        "Language=ja\n");
    Options o = read();
    o.edges.dwellMs = 250;
    ASSERT_EQ(writeOptions(kOptionsFileName, o), 0);
    const std::string t = fileText();
    EXPECT_EQ(
        t.rfind("; made by hand\r\n[Edges]\r\n# the dwell\r\nDwellMs=250\r\nFuture=keep me\r\nCornerPx=0\r\n",
                0),
        0u)
        << t;
    EXPECT_NE(t.find("\r\n[Elsewhere]\r\n名前=値\r\n[General]\r\nLanguage=ja\r\n"), std::string::npos) << t;
    EXPECT_NE(t.find("[Keys]\r\nPageLeft=Ctrl+Alt+Left"), std::string::npos);
}

TEST_F(OptionsFile, DamagedFileStartsWithDefaultsOrClampedValuesAndASaveWritesItClean) {
    std::string damaged = "[Edges]\nDwellMs=999999\n";
    for (int i = 0; i < 256; ++i) damaged += static_cast<char>((i * 37 + 11) & 0xFF);  // binary garbage
    damaged += "\nCornerPx=30\n";
    damaged += "Right=" + std::string(1 << 20, '1') + "\n";  // a 1 MB line
    damaged += "\xFF\xFE=bad bytes\n[Broken\nno equals sign\n=no key\nTop=0\n";
    damaged += std::string("Nul=a\0b\n", 8);
    writeText(damaged);
    Options o = read();
    EXPECT_EQ(o.edges.dwellMs, 2000);
    EXPECT_EQ(o.edges.cornerPx, 30);
    EXPECT_EQ(o.edges.right, 1);  // the 1 MB line was not read
    EXPECT_EQ(o.edges.top, 0);

    ASSERT_EQ(writeOptions(kOptionsFileName, o), 0);
    const std::string t = fileText();
    IniDocument doc;
    doc.parse(t.data(), t.size());
    EXPECT_EQ(doc.ignoredLines(), 0);
    EXPECT_LT(t.size(), 1000u);
    EXPECT_TRUE(sameOptions(read(), o));
    EXPECT_EQ(t.find("no equals"), std::string::npos);
    EXPECT_EQ(t.find("Nul="), std::string::npos);
}

TEST(IniDocument, SetAddsTheKeyAfterTheSectionsLastKeyAndTheSectionAtTheEnd) {
    const std::string in = "[A]\nx=1\n\n; about B\n[B]\ny=2\n";
    IniDocument doc;
    doc.parse(in.data(), in.size());
    doc.set("a", "z", "3");
    doc.set("C", "w", "line\r\nbreak ");
    doc.set("B", "Y", "2");  // unchanged: the line stays as written
    EXPECT_EQ(doc.text(), "[A]\r\nx=1\r\nz=3\r\n\r\n; about B\r\n[B]\r\ny=2\r\n\r\n[C]\r\nw=linebreak\r\n");
    ASSERT_NE(doc.find("c", "W"), nullptr);
    EXPECT_EQ(*doc.find("c", "W"), "linebreak");
    EXPECT_EQ(doc.find("C", "x"), nullptr);
}

TEST(IniDocument, LinesThatCannotBeReadAreCountedAndDropped) {
    const std::string longLine = "k=" + std::string(kMaxIniLine, 'v');
    const std::string okLine = "k=" + std::string(kMaxIniLine - 2, 'v');
    // line | readable
    const std::pair<std::string, bool> cases[] = {
        {"[S]", true},
        {"  [ S ]  ", true},
        {"[S] x", false},
        {"[]", false},
        {"[S", false},
        {"k=v", true},
        {"=v", false},
        {"plain", false},
        {"k=\x01", false},
        {"k=\xC3\xA9", true},
        {"k=\xC3", false},
        {"k=\xE0\x80\x80", false},
        {"k=\xED\xA0\x80", false},
        {"k=\xF4\x90\x80\x80", false},
        {"k=\xF0\x9F\x98\x80", true},
        {"; c", true},
        {"# c", true},
        {"\t", true},
        {longLine, false},
        {okLine, true},
        {"k=a\x7F", false},
    };
    for (const auto& c : cases) {
        IniDocument doc;
        doc.parse(c.first.data(), c.first.size());
        EXPECT_EQ(doc.ignoredLines(), c.second ? 0 : 1) << c.first.substr(0, 40);
        EXPECT_EQ(doc.text(), c.second ? c.first + "\r\n" : std::string()) << c.first.substr(0, 40);
    }
}

}  // namespace
