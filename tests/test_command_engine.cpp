// The companion's commands on the in-memory desktop: the JSON writer, the
// title pattern, the state document and each command's effect.
#include <cstring>

#include "engine/commands.h"
#include "engine/state_json.h"
#include "engine/title_pattern.h"
#include "json_check.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

// Strings as the writer gives them, and as a JSON reader gets them back.
struct StringRow {
    const char* what;
    std::string in;
    const char* written;
    std::string readBack;
};

const StringRow kStrings[] = {
    {"plain", "Notepad", "\"Notepad\"", "Notepad"},
    {"quotes", "say \"hi\"", "\"say \\\"hi\\\"\"", "say \"hi\""},
    {"backslashes", "C:\\temp\\a.txt", "\"C:\\\\temp\\\\a.txt\"", "C:\\temp\\a.txt"},
    {"control characters", std::string("a\nb\tc\rd\x01\x1f\x7f", 10), "\"a\\nb\\tc\\rd\\u0001\\u001f\x7f\"",
     std::string("a\nb\tc\rd\x01\x1f\x7f", 10)},
    {"Japanese", "無題 - メモ帳", "\"無題 - メモ帳\"", "無題 - メモ帳"},
    {"emoji", "\xF0\x9F\x98\x80 x", "\"\xF0\x9F\x98\x80 x\"", "\xF0\x9F\x98\x80 x"},
    {"stray code page bytes", "\x83\x81\x83\x82", "\"\\ufffd\\ufffd\\ufffd\\ufffd\"",
     "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"cut sequence", "ab\xE3\x83", "\"ab\\ufffd\\ufffd\"", "ab\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"surrogate", "\xED\xA0\x80", "\"\\ufffd\\ufffd\\ufffd\"", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},
    {"NUL inside", std::string("a\0b", 3), "\"a\\u0000b\"", std::string("a\0b", 3)},
    {"empty", "", "\"\"", ""},
};

void PrintTo(const StringRow& r, std::ostream* os) { *os << r.what; }

class JsonStrings : public ::testing::TestWithParam<StringRow> {};

TEST_P(JsonStrings, EveryTitleComesOutAsValidJson) {
    const StringRow& r = GetParam();
    std::string out;
    JsonWriter json(&out);
    json.beginArray();
    json.string(r.in.data(), r.in.size());
    json.endArray();
    EXPECT_EQ(out, std::string("[") + r.written + "]") << r.what;
    json_check::Value v;
    ASSERT_TRUE(json_check::parse(out, &v)) << r.what << ": " << out;
    ASSERT_EQ(v.items.size(), 1u);
    EXPECT_EQ(v.items[0].s, r.readBack) << r.what;
}

INSTANTIATE_TEST_SUITE_P(Table, JsonStrings, ::testing::ValuesIn(kStrings));

TEST(JsonWriterShape, CommasBetweenMembersAndItemsOnly) {
    std::string out;
    JsonWriter json(&out);
    json.beginObject();
    json.key("a");
    json.number(-5);
    json.key("b");
    json.beginArray();
    json.boolean(true);
    json.beginObject();
    json.endObject();
    json.beginArray();
    json.endArray();
    json.number(INT64_MIN);
    json.endArray();
    json.key("c");
    json.beginObject();
    json.key("d");
    json.string("e");
    json.endObject();
    json.endObject();
    EXPECT_EQ(out, "{\"a\":-5,\"b\":[true,{},[],-9223372036854775808],\"c\":{\"d\":\"e\"}}");
}

struct MatchRow {
    const char* pattern;
    const char* title;
    bool matches;
};

const MatchRow kMatches[] = {
    {"Notepad", "Notepad", true},
    {"notepad", "NOTEPAD", true},
    {"Note", "Notepad", false},  // the whole title
    {"*pad", "Notepad", true},
    {"*PAD*", "Untitled - Notepad", true},
    {"N?tepad", "Notepad", true},
    {"N?tepad", "Ntepad", false},
    {"*", "", true},
    {"?", "", false},
    {"a*b*c", "aXXbYYc", true},
    {"a*b*c", "aXXbYY", false},
    {"*a*a*a*a*b", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
    {"メモ帳", "メモ帳", true},
    {"*メモ帳", "無題 - メモ帳", true},
    {"?? - メモ帳", "無題 - メモ帳", true},  // ? is one character, not one byte
    {"? - メモ帳", "無題 - メモ帳", false},
    {"ＡＢＣ", "ａｂｃ", true},  // full-width letters fold too
    {"ÉTÉ", "été", true},
    {"ПРИВЕТ", "привет", true},
    {"ΑΒΓ", "αβγ", true},
    {"**x", "x", true},
    {"x*", "x", true},
};

TEST(TitlePattern, StarQuestionMarkAndCaseAsDocumented) {
    for (const MatchRow& r : kMatches) {
        EXPECT_EQ(titleMatches(r.pattern, r.title), r.matches) << r.pattern << " / " << r.title;
    }
}

// A 1024 x 768 screen, 5 x 5 screens: the view starts at (2048, 1536).
class Commands : public DeskTest {
protected:
    void SetUp() override {
        DeskTest::SetUp();
        nav = addNavigatorFrame();
    }
    CommandOutcome run(uint32_t kind, int32_t a = 0, int32_t b = 0, const char* pattern = "") {
        Command c;
        c.kind = kind;
        c.a = a;
        c.b = b;
        std::strncpy(c.pattern, pattern, sizeof c.pattern - 1);
        CommandOutcome out;
        EXPECT_EQ(runCommand(desk, c, nav, "9.8.7", &out), 0);
        return out;
    }
    json_check::Value state() {
        const CommandOutcome out = run(kCommandState);
        json_check::Value v;
        EXPECT_TRUE(json_check::parse(out.payload, &v)) << out.payload;
        return v;
    }
    const json_check::Value* windowTitled(const json_check::Value& s, const std::string& title) {
        for (const json_check::Value& w : s["windows"].items) {
            if (w["title"].s == title) return &w;
        }
        return nullptr;
    }
    platform::WindowHandle nav = 0;
    VirtualDesk* desk = nullptr;
};

TEST_F(Commands, StateDescribesTheDesktopAndEveryWindow) {
    platform::WindowHandle memo = addWindow(120, 80, 300, 200, "無題 - \"メモ\" \\ 帳", "Notepad");
    sim::window(memo)->program = "notepad.exe";
    addWindow(600, 300, 100, 100, "Kept", "KeepClass");
    VirtualDesk d;
    desk = &d;
    std::strcpy(d.fixedWindows.entries[0].title, "Kept");
    std::strcpy(d.fixedWindows.entries[0].className, "KeepClass");
    const json_check::Value s = state();
    EXPECT_EQ(s["version"].s, "9.8.7");
    EXPECT_EQ(s["view"]["x"].n, 2048);
    EXPECT_EQ(s["view"]["y"].n, 1536);
    EXPECT_EQ(s["desktop"]["width"].n, 5120);
    EXPECT_EQ(s["desktop"]["height"].n, 3840);
    EXPECT_EQ(s["screen"]["width"].n, 1024);
    EXPECT_EQ(s["screen"]["height"].n, 768);
    ASSERT_EQ(s["monitors"].items.size(), 1u);
    EXPECT_EQ(s["monitors"].items[0]["width"].n, 1024);
    EXPECT_TRUE(s["monitors"].items[0]["primary"].b);
    EXPECT_EQ(s["navigator"].s, "pinned");
    EXPECT_EQ(s["pageMode"].kind, json_check::Value::Bool);
    EXPECT_FALSE(s["pageMode"].b);
    // The navigator is not listed; the fixed window is, as such.
    ASSERT_EQ(s["windows"].items.size(), 2u);
    const json_check::Value* w = windowTitled(s, "無題 - \"メモ\" \\ 帳");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ((*w)["handle"].n, static_cast<int64_t>(memo));
    EXPECT_EQ((*w)["class"].s, "Notepad");
    EXPECT_EQ((*w)["program"].s, "notepad.exe");
    EXPECT_EQ((*w)["x"].n, 120);
    EXPECT_EQ((*w)["y"].n, 80);
    EXPECT_EQ((*w)["width"].n, 300);
    EXPECT_EQ((*w)["height"].n, 200);
    EXPECT_EQ((*w)["virtualX"].n, 2048 + 120);
    EXPECT_EQ((*w)["virtualY"].n, 1536 + 80);
    EXPECT_EQ((*w)["state"].s, "normal");
    const json_check::Value* kept = windowTitled(s, "Kept");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ((*kept)["state"].s, "fixed");
}

TEST_F(Commands, HungAndRefusingWindowsAreNamedSoWithTheirPlaceOnTheDesktop) {
    platform::WindowHandle hung = addWindow(300, 200, 200, 150, "Hung");
    platform::WindowHandle stubborn = addWindow(500, 100, 100, 100, "Stubborn");
    VirtualDesk d;
    desk = &d;
    d.snapshotWindows();
    sim::window(hung)->hung = true;
    sim::window(stubborn)->ignoresMoves = true;
    for (int t = 0; t < 14; ++t) {
        d.snapshotWindows();
        d.moveViewBy(10, 0);
    }
    d.snapshotWindows();
    const json_check::Value s = state();
    const json_check::Value* h = windowTitled(s, "Hung");
    const json_check::Value* r = windowTitled(s, "Stubborn");
    ASSERT_NE(h, nullptr);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ((*h)["state"].s, "hung");
    EXPECT_EQ((*r)["state"].s, "refusing");
    // Both keep their place: where the view left them when they stopped.
    const int hungSlot = d.moves.find(hung);
    ASSERT_GE(hungSlot, 0);
    EXPECT_EQ((*h)["virtualX"].n, d.moves.slot(hungSlot).placeX);
    EXPECT_EQ((*r)["virtualX"].n, 2048 + 500);
}

TEST_F(Commands, ViewMovesGoThroughTheClampAndPageMode) {
    platform::WindowHandle w = addWindow(100, 100, 200, 100);
    VirtualDesk d;
    desk = &d;
    run(kCommandPage, kPageRight);
    EXPECT_EQ(d.viewX, 3072);
    EXPECT_EQ(rectOf(w).left, 100 - 1024);
    run(kCommandMove, -100, 50);
    EXPECT_EQ(d.viewX, 2972);
    EXPECT_EQ(d.viewY, 1586);
    EXPECT_EQ(rectOf(w).left, 100 - 924);
    run(kCommandView, 0, 0);
    EXPECT_EQ(d.viewX, 0);
    EXPECT_EQ(d.viewY, 0);
    EXPECT_EQ(rectOf(w).left, 2148);
    run(kCommandView, -5000, 99999);  // clamped
    EXPECT_EQ(d.viewX, 0);
    EXPECT_EQ(d.viewY, 3072);
    run(kCommandMove, INT32_MIN, INT32_MAX);
    EXPECT_EQ(d.viewX, 0);
    EXPECT_EQ(d.viewY, 3072);
    run(kCommandHome);
    EXPECT_EQ(d.viewX, 2048);
    EXPECT_EQ(d.viewY, 1536);
    d.pageMode = 1;
    run(kCommandView, 1500, 700);  // snapped to whole screens
    EXPECT_EQ(d.viewX, 1024);
    EXPECT_EQ(d.viewY, 768);
    run(kCommandPage, kPageDown);
    EXPECT_EQ(d.viewY, 1536);
}

TEST_F(Commands, GoBringsTheFirstMatchingWindowIntoView) {
    // Two screens to the right of the view.
    platform::WindowHandle far = addWindow(2148, 300, 400, 300, "Far Away - Editor");
    platform::WindowHandle also = addWindow(2300, 300, 100, 100, "far away - second");
    VirtualDesk d;
    desk = &d;
    const CommandOutcome out = run(kCommandGo, 0, 0, "far*");
    EXPECT_EQ(out.status, kAnswerDone);
    EXPECT_EQ(out.front, far);
    EXPECT_GE(rectOf(far).left, 0);
    EXPECT_LE(rectOf(far).right, 1024);
    EXPECT_EQ(d.viewX, 2048 + 2548 - 1024);
    EXPECT_EQ(rectOf(also).left, 2300 - (2548 - 1024));
}

TEST_F(Commands, GoWithoutAMatchIsRefusedAndMovesNothing) {
    platform::WindowHandle w = addWindow(2148, 300, 400, 300, "Editor");
    VirtualDesk d;
    desk = &d;
    const CommandOutcome out = run(kCommandGo, 0, 0, "Edit");
    EXPECT_EQ(out.status, kAnswerRefused);
    EXPECT_EQ(out.reason, kReasonNoMatch);
    EXPECT_EQ(out.front, 0u);
    EXPECT_EQ(d.viewX, 2048);
    EXPECT_EQ(rectOf(w).left, 2148);
}

TEST_F(Commands, NavigatorShowHideToggleAsTheTrayDoes) {
    VirtualDesk d;
    desk = &d;
    d.naviMode = 0;
    sim::window(nav)->visible = false;
    run(kCommandNavigator, kNavigatorShow);
    EXPECT_EQ(d.naviMode, 2);
    EXPECT_TRUE(sim::window(nav)->visible);
    run(kCommandNavigator, kNavigatorShow);
    EXPECT_EQ(d.naviMode, 2);
    run(kCommandNavigator, kNavigatorHide);
    EXPECT_EQ(d.naviMode, 0);
    EXPECT_FALSE(sim::window(nav)->visible);
    run(kCommandNavigator, kNavigatorHide);
    EXPECT_EQ(d.naviMode, 0);
    d.naviMode = 1;  // shown while scrolling
    sim::window(nav)->visible = true;
    run(kCommandNavigator, kNavigatorHide);
    EXPECT_EQ(d.naviMode, 0);
    EXPECT_FALSE(sim::window(nav)->visible);
    run(kCommandNavigator, kNavigatorToggle);
    EXPECT_EQ(d.naviMode, 2);
    run(kCommandNavigator, kNavigatorToggle);
    EXPECT_EQ(d.naviMode, 0);
}

TEST_F(Commands, ExitAndVersionAreLeftToTheShellOrAnswered) {
    VirtualDesk d;
    desk = &d;
    EXPECT_TRUE(run(kCommandExit).exit);
    EXPECT_FALSE(run(kCommandHome).exit);
    EXPECT_EQ(run(kCommandVersion).payload, "9.8.7");
    const CommandOutcome odd = run(kCommandHelp);
    EXPECT_EQ(odd.status, kAnswerRefused);
}

}  // namespace
