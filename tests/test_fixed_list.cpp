// The fixed-window group of the settings dialog on the in-memory desktop:
// which windows are offered, the list lines, fixing and releasing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"
#include "platform/dialog.h"
#include "platform/sim/sim_dialog.h"
#include "res/resource.h"
#include "settings/fixed_list.h"
#include "settings/settings_dialog.h"
#include "test_engine_support.h"

namespace {

std::string line(const std::string& title, const std::string& className) {
    return "タイトル名 -> " + title + " & クラス名 -> " + className;
}

FixedWindowEntry entry(const char* title, const char* className) {
    FixedWindowEntry e{};
    std::strncpy(e.title, title, sizeof e.title - 1);
    std::strncpy(e.className, className, sizeof e.className - 1);
    return e;
}

class FixedListTest : public engine_test::DeskTest {
protected:
    void SetUp() override {
        engine_test::DeskTest::SetUp();
        sim::resetDialogs();
        desk = std::make_unique<VirtualDesk>();
        windows.dialog = sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
        windows.navFrame = sim::addWindow(kNavigatorTitle, "#32770", 0, 0, 212, 180);
        windows.mapPane = sim::addChildWindow({0, 0, 204, 153});
        dialog = std::make_unique<SettingsDialog>();
    }
    void TearDown() override {
        desk.reset();
        engine_test::DeskTest::TearDown();
    }

    // n plain windows "w0", "w1", ... of class "App", below those present.
    void addWindows(int n) {
        for (int i = 0; i < n; ++i)
            engine_test::addWindow(10 + i, 10, 300, 200, "w" + std::to_string(i), "App");
    }
    int show() { return dialog->onShow(desk.get(), windows); }
    std::vector<std::string>& lines(int id) { return sim::control(windows.dialog, id).lines; }
    // Picks candidate line i and presses the fix button.
    void fix(int i) {
        sim::selectLine(windows.dialog, IDC_CANDIDATES, i);
        dialog->onCommand(desk.get(), windows, IDC_FIX);
    }
    void release(int i) {
        sim::selectLine(windows.dialog, IDC_FIXED, i);
        dialog->onCommand(desk.get(), windows, IDC_RELEASE);
    }
    const FixedWindowList& edited() { return dialog->editImage.fixedWindows; }
    std::vector<sim::MessageBoxRecord>& boxes() { return sim::messageBoxes(); }

    std::unique_ptr<VirtualDesk> desk;
    std::unique_ptr<SettingsDialog> dialog;
    DialogWindows windows{};
};

// --- the windows offered -----------------------------------------------------------

TEST_F(FixedListTest, EveryCandidateIsListedInZOrderTheLowestIncluded) {
    engine_test::addWindow(10, 10, 300, 200, "top", "A");
    engine_test::addWindow(20, 20, 300, 200, "middle", "B");
    engine_test::addWindow(30, 30, 300, 200, "lowest", "C");
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(dialog->candidates.count, 3);
    EXPECT_EQ(lines(IDC_CANDIDATES),
              (std::vector<std::string>{line("top", "A"), line("middle", "B"), line("lowest", "C")}));
    // The lowest one can be fixed like the others.
    fix(2);
    EXPECT_EQ(lines(IDC_FIXED), (std::vector<std::string>{line("lowest", "C")}));
}

TEST_F(FixedListTest, OnlyVisibleWindowsShownNormallyOrMaximizedWithASizeAreOffered) {
    struct Case {
        const char* what;
        bool visible;
        uint32_t showCmd;
        platform::Rect normal;
        std::string title;
        bool offered;
        const char* className = "Probe";
    } cases[] = {
        {"normal", true, platform::kShowNormal, {0, 0, 300, 200}, "x", true},
        {"maximized", true, platform::kShowMaximized, {0, 0, 300, 200}, "x", true},
        {"minimized", true, platform::kShowMinimized, {0, 0, 300, 200}, "x", false},
        {"other show state", true, 7, {0, 0, 300, 200}, "x", false},
        {"hidden", false, platform::kShowNormal, {0, 0, 300, 200}, "x", false},
        {"zero width", true, platform::kShowNormal, {50, 0, 50, 200}, "x", false},
        {"zero height", true, platform::kShowNormal, {0, 60, 300, 60}, "x", false},
        {"untitled", true, platform::kShowNormal, {0, 0, 300, 200}, "", true},
        {"navigator", true, platform::kShowNormal, {0, 0, 300, 200}, kNavigatorTitle, false},
        {"settings title", true, platform::kShowNormal, {0, 0, 300, 200}, kSettingsTitle, false},
        // The shell's desktop windows, which are never moved either.
        {"desktop", true, platform::kShowNormal, {0, 0, 1024, 768}, "Program Manager", false, "Progman"},
        {"desktop worker", true, platform::kShowNormal, {0, 0, 1024, 768}, "", false, "WorkerW"},
        {"class like the desktop's", true, platform::kShowNormal, {0, 0, 300, 200}, "x", true, "WorkerWX"},
    };
    // Maximized windows are offered even while they are not moved.
    desk->moveMaximized = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sim::zOrder().clear();
        sim::addWindow(kSettingsTitle, "#32770", 200, 100, 600, 480);
        sim::SimWindow w;
        w.title = c.title;
        w.className = c.className;
        w.visible = c.visible;
        w.showCmd = c.showCmd;
        w.normal = c.normal;
        w.rect = c.normal;
        sim::addWindow(w);
        engine_test::addWindow(0, 0, 100, 100, "after", "App");
        windows.dialog = sim::zOrder().front().handle;

        ASSERT_EQ(show(), 0);
        std::vector<std::string> expected;
        if (c.offered) expected.push_back(line(c.title, c.className));
        expected.push_back(line("after", "App"));
        EXPECT_EQ(lines(IDC_CANDIDATES), expected);
    }
}

TEST_F(FixedListTest, CloakedWindowsAreNotOffered) {
    engine_test::addCloakedWindow(0, 0, 300, 200, "on another desktop", "Probe");
    engine_test::addWindow(0, 0, 100, 100, "after", "App");
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(lines(IDC_CANDIDATES), std::vector<std::string>{line("after", "App")});
}

TEST_F(FixedListTest, TheDialogItselfIsNotOfferedWhateverItsTitleReads) {
    // Read through the narrow code page, the dialog's title may not match.
    sim::window(windows.dialog)->title = "Wideroom ??";
    engine_test::addWindow(0, 0, 100, 100, "after", "App");
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(lines(IDC_CANDIDATES), (std::vector<std::string>{line("after", "App")}));
}

TEST_F(FixedListTest, FiveHundredTwelveCandidatesAreAllListed) {
    addWindows(kMaxCandidates);
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(dialog->candidates.count, kMaxCandidates);
    ASSERT_EQ(lines(IDC_CANDIDATES).size(), static_cast<size_t>(kMaxCandidates));
    EXPECT_EQ(lines(IDC_CANDIDATES).back(), line("w511", "App"));
}

TEST_F(FixedListTest, MoreThan512CandidatesEndShowingWith2001AndBothListsEmpty) {
    desk->fixedWindows.entries[0] = entry("kept", "Keep");
    addWindows(kMaxCandidates + 1);
    EXPECT_EQ(show(), kTableFull);
    EXPECT_TRUE(lines(IDC_CANDIDATES).empty());
    EXPECT_TRUE(lines(IDC_FIXED).empty());
    EXPECT_EQ(desk->mapDirty, 0);

    // Still usable: nothing to fix or release, and apply gives the list back.
    fix(0);
    release(0);
    EXPECT_TRUE(lines(IDC_FIXED).empty());
    EXPECT_TRUE(boxes().empty());
    dialog->onCommand(desk.get(), windows, IDC_APPLY);
    EXPECT_STREQ(desk->fixedWindows.entries[0].title, "kept");
    EXPECT_TRUE(isFreeEntry(desk->fixedWindows.entries[1]));
}

TEST_F(FixedListTest, ShowingListsTheFixedWindowsEntryByEntry) {
    desk->fixedWindows.entries[0] = entry("memo", "Notepad");
    desk->fixedWindows.entries[1] = entry("", "UntitledClass");  // used: it has a class name
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(lines(IDC_FIXED),
              (std::vector<std::string>{line("memo", "Notepad"), line("", "UntitledClass")}));
}

TEST_F(FixedListTest, GapsInAStoredListArePackedSoLineIIsEntryI) {
    desk->fixedWindows.entries[2] = entry("a", "A");
    desk->fixedWindows.entries[5] = entry("b", "B");
    desk->fixedWindows.entries[19] = entry("c", "C");
    ASSERT_EQ(show(), 0);
    EXPECT_STREQ(edited().entries[0].title, "a");
    EXPECT_STREQ(edited().entries[1].title, "b");
    EXPECT_STREQ(edited().entries[2].title, "c");
    for (int i = 3; i < kFixedEntryCount; ++i) EXPECT_TRUE(isFreeEntry(edited().entries[i])) << i;
    EXPECT_EQ(lines(IDC_FIXED), (std::vector<std::string>{line("a", "A"), line("b", "B"), line("c", "C")}));

    release(1);
    EXPECT_STREQ(edited().entries[0].title, "a");
    EXPECT_STREQ(edited().entries[1].title, "c");
    EXPECT_EQ(lines(IDC_FIXED), (std::vector<std::string>{line("a", "A"), line("c", "C")}));
    dialog->onCommand(desk.get(), windows, IDC_APPLY);
    EXPECT_STREQ(desk->fixedWindows.entries[1].title, "c");
    EXPECT_TRUE(isFreeEntry(desk->fixedWindows.entries[2]));
}

// A list without gaps is left as it was read, bytes after the terminators and
// in free entries included, so that a save of the unchanged dialog rewrites
// the same file.
TEST_F(FixedListTest, ListWithoutGapsKeepsEveryByteAndSavesTheSameFile) {
    unsigned char* bytes = reinterpret_cast<unsigned char*>(&desk->fixedWindows);
    for (size_t i = 0; i < sizeof desk->fixedWindows; ++i) bytes[i] = static_cast<unsigned char>(i * 7 + 3);
    for (int i = 0; i < kFixedEntryCount; ++i) {
        FixedWindowEntry& e = desk->fixedWindows.entries[i];
        if (i < 2) {
            e.title[5] = '\0';
            e.className[9] = '\0';
        } else {
            e.title[0] = e.className[0] = '\0';  // free, with leftover bytes behind
        }
    }
    ASSERT_EQ(desk->writeSettings("Wideroom.cfg"), 0);
    const std::vector<unsigned char> before = engine_test::readFile("Wideroom.cfg");
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(std::memcmp(&edited(), &desk->fixedWindows, sizeof desk->fixedWindows), 0);
    dialog->onCommand(desk.get(), windows, IDC_SAVE);
    EXPECT_EQ(engine_test::readFile("Wideroom.cfg"), before);
}

TEST_F(FixedListTest, NamesWithoutTerminatorFromAFileAreReadWithinTheirFields) {
    for (int i = 0; i < kFixedEntryCount; ++i) {
        std::memset(desk->fixedWindows.entries[i].title, 'a' + i, kNameSize);
        std::memset(desk->fixedWindows.entries[i].className, 'A' + i, kNameSize);
    }
    ASSERT_EQ(show(), 0);
    ASSERT_EQ(lines(IDC_FIXED).size(), static_cast<size_t>(kFixedEntryCount));
    for (int i = 0; i < kFixedEntryCount; ++i) {
        EXPECT_EQ(lines(IDC_FIXED)[i],
                  line(std::string(kNameSize, 'a' + i), std::string(kNameSize, 'A' + i)));
    }
}

// --- fixing ---------------------------------------------------------------------------

TEST_F(FixedListTest, FixingFillsTwentyEntriesInOrderAndRefusesTheTwentyFirst) {
    addWindows(21);
    ASSERT_EQ(show(), 0);
    for (int i = 0; i < kFixedEntryCount; ++i) {
        desk->mapDirty = 0;
        fix(i);
        EXPECT_EQ(desk->mapDirty, 0);  // a successful fix returns before marking the map
    }
    ASSERT_TRUE(boxes().empty());
    ASSERT_EQ(lines(IDC_FIXED).size(), static_cast<size_t>(kFixedEntryCount));
    for (int i = 0; i < kFixedEntryCount; ++i) {
        std::string title = "w" + std::to_string(i);
        EXPECT_EQ(edited().entries[i].title, title);
        EXPECT_STREQ(edited().entries[i].className, "App");
        EXPECT_EQ(lines(IDC_FIXED)[i], line(title, "App"));
    }

    FixedWindowList before = edited();
    fix(20);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "固定するウインドウは20個までです");
    EXPECT_EQ(boxes()[0].caption, "登録数MAX");
    EXPECT_EQ(boxes()[0].owner, windows.dialog);
    EXPECT_EQ(std::memcmp(&before, &edited(), sizeof before), 0);
    EXPECT_EQ(lines(IDC_FIXED).size(), static_cast<size_t>(kFixedEntryCount));
    EXPECT_EQ(desk->mapDirty, 1);
}

TEST_F(FixedListTest, FixingTheSameWindowTwiceIsRefusedAsADoubleRegistration) {
    addWindows(2);
    ASSERT_EQ(show(), 0);
    fix(1);
    fix(0);
    desk->mapDirty = 0;
    fix(1);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].text, "既に登録されています");
    EXPECT_EQ(boxes()[0].caption, "二重登録");
    EXPECT_EQ(boxes()[0].owner, windows.dialog);
    EXPECT_EQ(lines(IDC_FIXED), (std::vector<std::string>{line("w1", "App"), line("w0", "App")}));
    EXPECT_TRUE(isFreeEntry(edited().entries[2]));
    EXPECT_EQ(desk->mapDirty, 0);
    // The candidate stays offered.
    EXPECT_EQ(lines(IDC_CANDIDATES).size(), 2u);
}

TEST_F(FixedListTest, TwoWindowsWithTheSameNamesAreOneEntry) {
    engine_test::addWindow(10, 10, 300, 200, "same", "Twin");
    engine_test::addWindow(20, 20, 300, 200, "same", "Twin");
    ASSERT_EQ(show(), 0);
    fix(0);
    fix(1);
    EXPECT_EQ(boxes().size(), 1u);
    EXPECT_EQ(lines(IDC_FIXED).size(), 1u);
}

TEST_F(FixedListTest, ALongTitleIsKeptAndComparedOnItsFirst63Bytes) {
    std::string title(80, 'T');
    engine_test::addWindow(10, 10, 300, 200, title, "Long");
    ASSERT_EQ(show(), 0);
    fix(0);
    EXPECT_EQ(std::string(edited().entries[0].title), title.substr(0, 63));
    fix(0);
    EXPECT_EQ(boxes().size(), 1u);
}

TEST_F(FixedListTest, FixingOrReleasingWithNothingSelectedDoesNothing) {
    addWindows(2);
    desk->fixedWindows.entries[0] = entry("memo", "Notepad");
    ASSERT_EQ(show(), 0);
    FixedWindowList before = edited();
    for (int id : {IDC_FIX, IDC_RELEASE}) {
        desk->mapDirty = 0;
        dialog->onCommand(desk.get(), windows, id);
        EXPECT_EQ(desk->mapDirty, 1);
    }
    EXPECT_EQ(std::memcmp(&before, &edited(), sizeof before), 0);
    EXPECT_EQ(lines(IDC_FIXED).size(), 1u);
    EXPECT_TRUE(boxes().empty());
}

// --- releasing ------------------------------------------------------------------------

TEST_F(FixedListTest, ReleasingTheFirstOfThreeMovesTheOthersUp) {
    addWindows(3);
    ASSERT_EQ(show(), 0);
    fix(0);
    fix(1);
    fix(2);
    desk->mapDirty = 0;
    release(0);
    EXPECT_STREQ(edited().entries[0].title, "w1");
    EXPECT_STREQ(edited().entries[1].title, "w2");
    EXPECT_TRUE(isFreeEntry(edited().entries[2]));
    EXPECT_EQ(lines(IDC_FIXED), (std::vector<std::string>{line("w1", "App"), line("w2", "App")}));
    EXPECT_EQ(desk->mapDirty, 1);
}

TEST_F(FixedListTest, ReleasingEntry19OfTwentyOnlyClearsIt) {
    addWindows(20);
    ASSERT_EQ(show(), 0);
    for (int i = 0; i < kFixedEntryCount; ++i) fix(i);
    FixedWindowList before = edited();
    release(19);
    EXPECT_EQ(std::memcmp(&before, &edited(), 19 * sizeof(FixedWindowEntry)), 0);
    EXPECT_TRUE(isFreeEntry(edited().entries[19]));
    const FixedWindowEntry zero{};
    EXPECT_EQ(std::memcmp(&edited().entries[19], &zero, sizeof zero), 0);
    EXPECT_EQ(lines(IDC_FIXED).size(), 19u);
    EXPECT_EQ(lines(IDC_FIXED).back(), line("w18", "App"));

    // The freed entry takes the next fix.
    fix(19);
    EXPECT_STREQ(edited().entries[19].title, "w19");
    EXPECT_EQ(lines(IDC_FIXED).back(), line("w19", "App"));
}

// --- reaching the engine --------------------------------------------------------------

TEST_F(FixedListTest, FixedWindowsReachTheEngineOnlyOnApplyAndThenStayOutOfTheTable) {
    platform::WindowHandle twinA = engine_test::addWindow(10, 10, 300, 200, "same", "Twin");
    platform::WindowHandle twinB = engine_test::addWindow(20, 20, 300, 200, "same", "Twin");
    platform::WindowHandle other = engine_test::addWindow(30, 30, 300, 200, "other", "App");
    ASSERT_EQ(show(), 0);
    fix(0);
    EXPECT_TRUE(isFreeEntry(desk->fixedWindows.entries[0]));

    dialog->onCommand(desk.get(), windows, IDC_APPLY);
    EXPECT_STREQ(desk->fixedWindows.entries[0].title, "same");
    ASSERT_EQ(desk->snapshotWindows(), 0);
    std::vector<platform::WindowHandle> rows;
    for (int i = 0; i < desk->windowCount; ++i) rows.push_back(desk->windows[i].window);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), twinA), 0);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), twinB), 0);
    EXPECT_EQ(std::count(rows.begin(), rows.end(), other), 1);
}

TEST_F(FixedListTest, CancelAfterFixingLeavesTheEngineListUnchanged) {
    addWindows(2);
    desk->fixedWindows.entries[0] = entry("memo", "Notepad");
    FixedWindowList before = desk->fixedWindows;
    ASSERT_EQ(show(), 0);
    fix(0);
    release(0);
    fix(1);
    dialog->onCommand(desk.get(), windows, IDC_CANCEL);
    EXPECT_EQ(std::memcmp(&before, &desk->fixedWindows, sizeof before), 0);
}

TEST_F(FixedListTest, ShowingAgainDoesNotRepeatLines) {
    addWindows(2);
    desk->fixedWindows.entries[0] = entry("memo", "Notepad");
    ASSERT_EQ(show(), 0);
    ASSERT_EQ(show(), 0);
    EXPECT_EQ(lines(IDC_CANDIDATES).size(), 2u);
    EXPECT_EQ(lines(IDC_FIXED).size(), 1u);
}

// --- the list operations alone --------------------------------------------------------

TEST(FixedListOperations, EntriesWithBothNamesEmptyAreNeverFixed) {
    FixedWindowList list{};
    int index = -1;
    EXPECT_EQ(fixEntry(&list, FixedWindowEntry{}, &index), kFixNoNames);
    EXPECT_TRUE(isFreeEntry(list.entries[0]));
}

TEST(FixedListOperations, ReleasingOutsideTheListIsRefused) {
    FixedWindowList list{};
    list.entries[0] = entry("a", "A");
    FixedWindowList before = list;
    for (int index : {-1, kFixedEntryCount}) {
        EXPECT_EQ(releaseEntry(&list, index), 1);
        EXPECT_EQ(std::memcmp(&before, &list, sizeof before), 0);
    }
}

}  // namespace
