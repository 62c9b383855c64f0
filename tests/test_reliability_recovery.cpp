// Putting moved windows back: at the start after a run that did not end
// normally (from the record), and at once on a crash or at the end of the
// session (from memory).
#include <cstring>

#include "store/recovery_record.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

constexpr const char* kRecord = "Wideroom.rcv";

class Recovery : public DeskTest {
protected:
    // A record as a crashed run would have left it.
    static void writeRecord(const std::vector<RecoveryEntry>& entries, uint64_t boot = 1) {
        ASSERT_EQ(recovery_record::write(kRecord, boot, entries.data(), static_cast<int>(entries.size())), 0);
    }
    static RecoveryEntry entry(platform::WindowHandle h, int32_t dx, int32_t dy,
                               const char* cls = "AppClass") {
        RecoveryEntry e{};
        e.window = h;
        e.offsetX = dx;
        e.offsetY = dy;
        std::strncpy(e.className, cls, sizeof e.className - 1);
        return e;
    }
    // The view moves 2048 right with the window in the table, then the user
    // minimizes it.
    static void moveAwayAndMinimize(VirtualDesk& desk, platform::WindowHandle w) {
        desk.snapshotWindows();
        desk.moveViewBy(2048, 0);
        desk.snapshotWindows();
        sim::window(w)->showCmd = platform::kShowMinimized;
        sim::window(w)->rect = {-32000, -32000, -31840, -31972};
        desk.snapshotWindows();
    }
    static void addTaskbarAtTheBottom() {
        addWindow(-2, 738, 1028, 32, "", "Shell_TrayWnd");  // (-2, 738)-(1026, 770)
    }
};

void expectAt(platform::WindowHandle h, int x, int y) {
    EXPECT_EQ(rectOf(h).left, x);
    EXPECT_EQ(rectOf(h).top, y);
}

// Each window goes back by its own offset and then into the work area as the
// gathering places a normal window (taskbar at the bottom: work area
// 0..1024 x 0..738).
struct PutBackRow {
    const char* name;
    platform::Rect now;  // where the crashed run left the window
    int32_t offsetX, offsetY;
    int32_t x, y;  // where it must end
};

class PutBack : public Recovery, public ::testing::WithParamInterface<PutBackRow> {};

TEST_P(PutBack, WindowGoesBackByItsOffsetIntoTheWorkArea) {
    const PutBackRow& p = GetParam();
    addTaskbarAtTheBottom();
    platform::WindowHandle w =
        addWindow(p.now.left, p.now.top, p.now.right - p.now.left, p.now.bottom - p.now.top);
    writeRecord({entry(w, p.offsetX, p.offsetY)});
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 0);
    expectAt(w, p.x, p.y);
    EXPECT_FALSE(fileExists(kRecord));
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, PutBack,
    ::testing::Values(
        // Moved 2048 left and 1536 up: back where it stood.
        PutBackRow{"backWhereItStood", {-1948, -1436, -1748, -1286}, -2048, -1536, 100, 100},
        // The place it came from is itself off to the right: right edge on the work area's.
        PutBackRow{"rightOfTheScreen", {952, 200, 1352, 500}, -2048, 0, 624, 200},
        // Off to the upper left before and after: the work area's corner.
        PutBackRow{"aboveAndLeft", {-3000, -1500, -2600, -1200}, -1000, 0, 0, 0},
        // Its top below the work area's bottom less 50: bottom on that edge.
        PutBackRow{"belowTheWorkArea", {100, 700, 500, 900}, 0, 0, 100, 538},
        // Right edge exactly 50 px right of the work area's left edge: to the left edge.
        PutBackRow{"rightEdgeAtTheSlack", {-2098, 100, -1998, 200}, -2048, 0, 0, 100},
        // One pixel further right: it keeps its x.
        PutBackRow{"rightEdgePastTheSlack", {-2097, 100, -1997, 200}, -2048, 0, -49, 100}),
    [](const ::testing::TestParamInfo<PutBackRow>& i) { return std::string(i.param.name); });

TEST_F(Recovery, ReusedHandleOfAnotherClassIsLeftAlone) {
    platform::WindowHandle mine = addWindow(-1948, 100, 200, 150, "Mine", "AppClass");
    platform::WindowHandle other = addWindow(-1500, 300, 200, 150, "Stranger", "OtherClass");
    writeRecord({entry(mine, -2048, 0), entry(other, -2048, 0, "AppClass")});
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 0);
    expectAt(mine, 100, 100);
    expectAt(other, -1500, 300);
    EXPECT_EQ(sim::window(other)->moveCount, 0);
}

TEST_F(Recovery, WindowsThatAreGoneAreSkippedAndTheRestComeBack) {
    platform::WindowHandle a = addWindow(-1948, 100, 200, 150);
    platform::WindowHandle b = addWindow(-1548, 300, 200, 150);
    writeRecord({entry(a, -2048, 0), entry(0x9999990, -2048, 0), entry(0, 0, 0), entry(b, -2048, 0)});
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 0);
    expectAt(a, 100, 100);
    expectAt(b, 500, 300);
}

// A window moved away and then minimized or maximized keeps a restore
// rectangle away from the screen: it gets that back too, so that restoring it
// later shows it where it stood. The maximized one also goes to the inset
// corner, as the gathering puts it.
TEST_F(Recovery, MinimizedAndMaximizedWindowsAreRestoredOntoTheScreen) {
    sim::SimWindow maximized;
    maximized.title = "max";
    maximized.className = "AppClass";
    maximized.showCmd = platform::kShowMaximized;
    maximized.normal = {-1948, 100, -1548, 400};
    maximized.rect = {-2052, -4, 1028 - 2048, 772};
    platform::WindowHandle m = sim::addWindow(maximized);
    sim::SimWindow minimized = maximized;
    minimized.title = "min";
    minimized.showCmd = platform::kShowMinimized;
    minimized.normal = {-1748, 300, -1548, 450};
    minimized.rect = {-32000, -32000, -31840, -31972};
    platform::WindowHandle n = sim::addWindow(minimized);
    RecoveryEntry em = entry(m, -2048, 0);
    em.flags = kRecoveryTopLevel | kRecoveryHasRestored;
    em.restored = {-1948, 100, -1548, 400};
    RecoveryEntry en = entry(n, -2048, 0);
    en.flags = kRecoveryTopLevel | kRecoveryHasRestored;
    en.restored = {-1748, 300, -1548, 450};
    writeRecord({em, en});
    VirtualDesk desk;
    desk.setFrameInset(4);
    EXPECT_EQ(desk.recoverWindows(kRecord), 0);
    expectAt(m, -4, -4);
    EXPECT_EQ(rectOf(n).left, -32000);  // still minimized
    sim::restoreWindow(m);
    sim::restoreWindow(n);
    expectAt(m, 100, 100);
    expectAt(n, 300, 300);
}

// The same from memory, at the end of the session: the window was moved with
// the view and minimized since.
TEST_F(Recovery, WindowMinimizedSinceItWasMovedIsRestoredOntoTheScreenAtTheEndOfTheSession) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    moveAwayAndMinimize(desk, w);
    EXPECT_EQ(desk.gatherInEmergency(), 0);
    sim::restoreWindow(w);
    expectAt(w, 300, 200);
}

// And at a normal exit: the gathering brings its restore rectangle onto the
// screen as it brings a normal window there.
TEST_F(Recovery, WindowMinimizedSinceItWasMovedIsRestoredOntoTheScreenAfterANormalExit) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    moveAwayAndMinimize(desk, w);
    EXPECT_EQ(desk.gatherWindows(), 0);
    sim::restoreWindow(w);
    expectAt(w, 0, 200);  // gathered from the left, as a normal window is
}

// The re-fit moves every visible window, minimized ones too; the iconic place
// of a minimized window we track is no move of ours and is not booked.
TEST_F(Recovery, RefitOfAMinimizedWindowBooksNoOffset) {
    platform::WindowHandle w = addWindow(300, 200, 200, 150);
    VirtualDesk desk;
    moveAwayAndMinimize(desk, w);
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 3;
    desk.importSettings(&image);
    static RecoveryEntry entries[kMaxRecoveryEntries];
    ASSERT_EQ(desk.moves.recordEntries(entries, kMaxRecoveryEntries, 1024, 768, false), 1);
    EXPECT_EQ(entries[0].offsetX, -2048);
    EXPECT_EQ(entries[0].offsetY, 0);
}

// After a power loss the record outlives the boot, and a window of the same
// class can get the handle: only a window of the recorded program, still
// top-level, in the same boot, is moved.
struct IdentityRow {
    const char* name;
    uint32_t processId;
    uint64_t processStart;
    bool topLevel;
    uint64_t recordBoot;  // the sim's boot time is 1
    bool moved;
};

constexpr uint64_t kSecond = 10000000;

class Identity : public Recovery, public ::testing::WithParamInterface<IdentityRow> {};

TEST_P(Identity, OnlyTheRecordedWindowIsMoved) {
    const IdentityRow& p = GetParam();
    platform::WindowHandle w = addWindow(-1948, 100, 200, 150);
    sim::window(w)->processId = p.processId;
    sim::window(w)->processStart = p.processStart;
    sim::window(w)->topLevel = p.topLevel;
    RecoveryEntry e = entry(w, -2048, 0);
    e.processId = 0x500;
    e.processStart = 777;
    writeRecord({e}, p.recordBoot);
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), p.recordBoot > 1 + 30 * kSecond ? 3 : 0);
    EXPECT_EQ(sim::window(w)->moveCount, p.moved ? 1 : 0);
    EXPECT_FALSE(fileExists(kRecord));
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, Identity,
    ::testing::Values(IdentityRow{"theRecordedWindow", 0x500, 777, true, 1, true},
                      IdentityRow{"sameBootWithinTheClocksCorrections", 0x500, 777, true, 1 + 20 * kSecond,
                                  true},
                      IdentityRow{"reusedHandleOfAnotherProgram", 0x501, 777, true, 1, false},
                      IdentityRow{"reusedPidOfALaterProgram", 0x500, 778, true, 1, false},
                      IdentityRow{"noLongerTopLevel", 0x500, 777, false, 1, false},
                      IdentityRow{"earlierBoot", 0x500, 777, true, 1 + 600 * kSecond, false}),
    [](const ::testing::TestParamInfo<IdentityRow>& i) { return std::string(i.param.name); });

// The record is gone before any window moves: a kill half-way through the
// recovery must not have the next start apply the offsets again.
TEST_F(Recovery, RecordIsGoneBeforeTheFirstWindowMoves) {
    platform::WindowHandle a = addWindow(-1948, 100, 200, 150);
    platform::WindowHandle b = addWindow(-1548, 300, 200, 150);
    writeRecord({entry(a, -2048, 0), entry(b, -2048, 0)});
    std::vector<bool> recordThere;
    sim::onMove([&](platform::WindowHandle) { recordThere.push_back(fileExists(kRecord)); });
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 0);
    sim::onMove(nullptr);
    EXPECT_EQ(recordThere, (std::vector<bool>{false, false}));
}

TEST_F(Recovery, HiddenWindowComesBackToo) {
    platform::WindowHandle w = addWindow(-1948, 100, 200, 150);
    sim::window(w)->visible = false;
    writeRecord({entry(w, -2048, 0)});
    VirtualDesk desk;
    desk.recoverWindows(kRecord);
    expectAt(w, 100, 100);
    EXPECT_FALSE(sim::window(w)->visible);
}

TEST_F(Recovery, NoRecordMovesNothing) {
    platform::WindowHandle w = addWindow(-1948, 100, 200, 150);
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 1);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
}

// A record that is not one of ours, or damaged, is ignored as a whole (no
// window moves) and removed.
struct DamageRow {
    const char* name;
    size_t at;   // byte to change (or the new length for cuts)
    int change;  // added to that byte; 0: cut the file to `at` bytes; -1: append a byte
};

class Damaged : public Recovery, public ::testing::WithParamInterface<DamageRow> {};

TEST_P(Damaged, RecordIsIgnoredSafelyAndRemoved) {
    const DamageRow& p = GetParam();
    platform::WindowHandle w = addWindow(-1948, 100, 200, 150);
    writeRecord({entry(w, -2048, 0), entry(0x5000, 10, 10)});
    std::vector<unsigned char> bytes = readFile(kRecord);
    ASSERT_EQ(bytes.size(), 256u);
    if (p.change == 0) {
        bytes.resize(p.at);
    } else if (p.change < 0) {
        bytes.push_back(0);
    } else {
        bytes[p.at] = static_cast<unsigned char>(bytes[p.at] + p.change);
    }
    writeFile(kRecord, bytes);
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows(kRecord), 3);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_FALSE(fileExists(kRecord));
}

INSTANTIATE_TEST_SUITE_P(
    Recovery, Damaged,
    ::testing::Values(DamageRow{"empty", 0, 0}, DamageRow{"shortHeader", 20, 0}, DamageRow{"magic", 0, 1},
                      DamageRow{"newerVersion", 4, 1}, DamageRow{"headerSize", 8, 1},
                      DamageRow{"entrySize", 12, 1}, DamageRow{"moreEntriesThanBytes", 16, 1},
                      DamageRow{"hugeCount", 19, 1}, DamageRow{"checksum", 20, 1},
                      DamageRow{"bootChanged", 24, 1}, DamageRow{"offsetChanged", 32 + 8, 1},
                      DamageRow{"processChanged", 32 + 16, 1}, DamageRow{"cutInAnEntry", 120, 0},
                      DamageRow{"trailingByte", 0, -1}),
    [](const ::testing::TestParamInfo<DamageRow>& i) { return std::string(i.param.name); });

TEST_F(Recovery, UnterminatedClassNameIsRefusedEvenWithAGoodChecksum) {
    RecoveryEntry e = entry(0x1234, 1, 1);
    static unsigned char bytes[kMaxRecoveryBytes];
    const size_t size = recovery_record::encode(1, &e, 1, bytes);
    std::memset(bytes + 32 + 48, 'x', 64);
    // Checksum over the changed entry, as a careless writer would compute it.
    uint32_t h = 2166136261u;
    for (size_t i = 24; i < size; ++i) {
        h ^= bytes[i];
        h *= 16777619u;
    }
    for (int i = 0; i < 4; ++i) bytes[20 + i] = static_cast<unsigned char>(h >> (8 * i));
    static RecoveryEntry out[kMaxRecoveryEntries];
    int count = 5;
    uint64_t boot = 5;
    EXPECT_EQ(recovery_record::decode(bytes, size, &boot, out, &count), 3);
    EXPECT_EQ(count, 0);
}

TEST_F(Recovery, KilledRunIsUndoneByTheNextStart) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150, "A", "ClassA");
    platform::WindowHandle b = addWindow(500, 300, 240, 160, "B", "ClassB");
    platform::WindowHandle late = 0;
    {
        VirtualDesk run;
        run.snapshotWindows();
        run.moveViewBy(1024, 0);
        late = addWindow(300, 200, 180, 100, "Late", "ClassLate");
        run.snapshotWindows();
        run.moveViewBy(1024, 700);
        run.keepRecoveryRecord(0, 0);
        // Killed: no gathering, no removal.
    }
    expectAt(a, 100 - 2048, 100 - 700);
    expectAt(late, 300 - 1024, 200 - 700);
    VirtualDesk next;
    EXPECT_EQ(next.recoverWindows(kRecord), 0);
    expectAt(a, 100, 100);
    expectAt(b, 500, 300);
    expectAt(late, 300, 200);
    EXPECT_FALSE(fileExists(kRecord));
}

TEST_F(Recovery, CrashPutsEveryMovedWindowBackAndTheViewHome) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150);
    platform::WindowHandle slow = addWindow(400, 300, 200, 150);
    sim::window(slow)->queuesMoves = true;
    VirtualDesk desk;
    const int homeX = desk.viewX, homeY = desk.viewY;
    desk.snapshotWindows();
    desk.moveViewBy(1500, 0);
    platform::WindowHandle late = addWindow(300, 200, 180, 100);
    desk.snapshotWindows();
    desk.moveViewBy(100, 600);
    desk.keepRecoveryRecord(0, 0);
    ASSERT_TRUE(fileExists(kRecord));
    // The slow window has one move on its way: it is carried out first, then
    // the one back.
    EXPECT_EQ(desk.gatherInEmergency(), 0);
    sim::pumpWindow(slow);
    expectAt(a, 100, 100);
    expectAt(slow, 400, 300);
    expectAt(late, 300, 200);
    EXPECT_EQ(desk.viewX, homeX);
    EXPECT_EQ(desk.viewY, homeY);
    EXPECT_EQ(desk.windowCount, 0);
    EXPECT_FALSE(fileExists(kRecord));
    // The run goes on from there: nothing is owed any more.
    desk.snapshotWindows();
    desk.keepRecoveryRecord(1000, 0);
    EXPECT_FALSE(fileExists(kRecord));
}

// At the end of the session the windows are put back at once, and the exit
// that follows gathers every window onto the screen: that gathering must take
// a slow window whose move back is still on its way where it is going (and
// behind it, perhaps, a move of the view that is on its way too), not where
// it showed.
TEST_F(Recovery, SessionEndThenTheExitGatheringLeavesEverySlowWindowWhereItGoesBack) {
    for (const bool viewMoveOnItsWay : {false, true}) {
        SCOPED_TRACE(viewMoveOnItsWay ? "a view move on its way" : "the windows standing still");
        sim::reset();
        platform::WindowHandle a = addWindow(100, 100, 200, 150);
        platform::WindowHandle slow = addWindow(700, 50, 200, 120);
        sim::window(slow)->queuesMoves = true;
        VirtualDesk desk;
        desk.snapshotWindows();
        desk.moveViewBy(1000, 0);
        sim::pumpWindow(slow);
        desk.snapshotWindows();
        desk.moveViewBy(1048, 1536);
        if (!viewMoveOnItsWay) {
            sim::pumpWindow(slow);
            desk.snapshotWindows();
        }
        EXPECT_EQ(desk.gatherInEmergency(), 0);
        EXPECT_EQ(desk.gatherWindows(), 0);
        sim::pumpWindow(slow);
        expectAt(a, 100, 100);
        expectAt(slow, 700, 50);
    }
}

TEST_F(Recovery, CrashWithNothingMovedTouchesNothing) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.gatherInEmergency(), 0);
    EXPECT_EQ(sim::window(a)->moveCount, 0);
}

}  // namespace
