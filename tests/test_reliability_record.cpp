// The recovery record "Wideroom.rcv": what it holds, how often it is
// written, and that it goes away when nothing stands moved.
#include <cstdint>
#include <cstring>

#include "store/recovery_record.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

constexpr const char* kRecord = "Wideroom.rcv";

class Record : public DeskTest {
protected:
    static void tick(VirtualDesk& desk, int dx, int dy, uint32_t now) {
        desk.snapshotWindows();
        if (dx != 0 || dy != 0) desk.moveViewBy(dx, dy);
        desk.keepRecoveryRecord(now, 0);
    }
};

struct ParsedEntry {
    uint64_t window;
    int32_t offsetX;
    int32_t offsetY;
    uint32_t processId;
    uint32_t flags;
    uint64_t processStart;
    platform::Rect restored;
    std::string className;
};

uint32_t fnv1a(const std::vector<unsigned char>& bytes, size_t from) {
    uint32_t h = 2166136261u;
    for (size_t i = from; i < bytes.size(); ++i) {
        h ^= bytes[i];
        h *= 16777619u;
    }
    return h;
}

// The file read byte by byte, as its layout states; fails the test when the
// header is not what a record's header must be.
std::vector<ParsedEntry> parse(const std::vector<unsigned char>& bytes) {
    std::vector<ParsedEntry> out;
    EXPECT_GE(bytes.size(), 24u);
    if (bytes.size() < 24) return out;
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "WRCV");
    EXPECT_EQ(getWord(bytes, 4), 2);
    EXPECT_EQ(getWord(bytes, 8), 32);
    EXPECT_EQ(getWord(bytes, 12), 112);
    const int32_t n = getWord(bytes, 16);
    EXPECT_EQ(bytes.size(), 32u + 112u * static_cast<size_t>(n));
    EXPECT_EQ(static_cast<uint32_t>(getWord(bytes, 20)), fnv1a(bytes, 24));
    // The boot it was written in.
    EXPECT_EQ(getWord(bytes, 24), 1);
    EXPECT_EQ(getWord(bytes, 28), 0);
    for (int32_t i = 0; i < n && 32 + 112 * static_cast<size_t>(i + 1) <= bytes.size(); ++i) {
        const size_t p = 32 + 112 * static_cast<size_t>(i);
        ParsedEntry e;
        e.window = static_cast<uint32_t>(getWord(bytes, p)) |
                   (static_cast<uint64_t>(static_cast<uint32_t>(getWord(bytes, p + 4))) << 32);
        e.offsetX = getWord(bytes, p + 8);
        e.offsetY = getWord(bytes, p + 12);
        e.processId = static_cast<uint32_t>(getWord(bytes, p + 16));
        e.flags = static_cast<uint32_t>(getWord(bytes, p + 20));
        e.processStart = static_cast<uint32_t>(getWord(bytes, p + 24)) |
                         (static_cast<uint64_t>(static_cast<uint32_t>(getWord(bytes, p + 28))) << 32);
        e.restored = {getWord(bytes, p + 32), getWord(bytes, p + 36), getWord(bytes, p + 40),
                      getWord(bytes, p + 44)};
        e.className = reinterpret_cast<const char*>(&bytes[p + 48]);
        out.push_back(e);
    }
    return out;
}

TEST_F(Record, ListsEachMovedWindowWithItsClassAndTotalOffset) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150, "A", "ClassA");
    platform::WindowHandle b = addWindow(400, 300, 200, 150, "B", "ClassB");
    VirtualDesk desk;
    tick(desk, 100, -50, 0);
    tick(desk, 30, 0, 1000);
    // Opened while the view is away: it has moved only since.
    platform::WindowHandle late = addWindow(500, 500, 100, 100, "Late", "ClassLate");
    tick(desk, 0, 20, 2000);
    tick(desk, 0, 0, 3000);
    const std::vector<ParsedEntry> entries = parse(readFile(kRecord));
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].window, a);
    EXPECT_EQ(entries[0].offsetX, -130);
    EXPECT_EQ(entries[0].offsetY, 30);
    EXPECT_EQ(entries[0].className, "ClassA");
    // Its program, and that it is a top-level window last seen at its place.
    EXPECT_EQ(entries[0].processId, 0x500u);
    EXPECT_EQ(entries[0].processStart, 777u);
    EXPECT_EQ(entries[0].flags, 3u);
    EXPECT_EQ(entries[0].restored.left, 100 - 130);
    EXPECT_EQ(entries[0].restored.top, 100 + 30);
    EXPECT_EQ(entries[1].window, b);
    EXPECT_EQ(entries[1].offsetX, -130);
    EXPECT_EQ(entries[1].className, "ClassB");
    EXPECT_EQ(entries[2].window, late);
    EXPECT_EQ(entries[2].offsetX, 0);
    EXPECT_EQ(entries[2].offsetY, -20);
    EXPECT_EQ(entries[2].className, "ClassLate");
}

TEST_F(Record, NoFileWhileNothingHasMoved) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    for (uint32_t t = 0; t < 10; ++t) tick(desk, 0, 0, 40 * t);
    EXPECT_FALSE(fileExists(kRecord));
}

TEST_F(Record, WrittenAtMostEvery250MsWhileMovingAndAtOnceWhenStopped) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    // One pixel a tick, a tick every 40 ms: the file follows at ticks 0, 7
    // (280 ms), 14 (560 ms), and on the first tick without a move.
    std::vector<std::pair<int, int32_t>> writes;
    int32_t inFile = 0;
    for (int t = 0; t <= 20; ++t) {
        tick(desk, 1, 0, 40 * static_cast<uint32_t>(t));
        const std::vector<ParsedEntry> e = parse(readFile(kRecord));
        ASSERT_EQ(e.size(), 1u);
        if (e[0].offsetX != inFile) {
            writes.push_back({t, e[0].offsetX});
            inFile = e[0].offsetX;
        }
    }
    tick(desk, 0, 0, 40 * 21);
    writes.push_back({21, parse(readFile(kRecord))[0].offsetX});
    const std::vector<std::pair<int, int32_t>> expected = {{0, -1}, {7, -8}, {14, -15}, {21, -21}};
    EXPECT_EQ(writes, expected);
}

TEST_F(Record, RemovedOnceEveryWindowIsBackWhereItWas) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 300, 0, 0);
    ASSERT_TRUE(fileExists(kRecord));
    tick(desk, -300, 0, 1000);
    tick(desk, 0, 0, 2000);
    EXPECT_FALSE(fileExists(kRecord));
}

TEST_F(Record, NormalEndLeavesNoRecord) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 300, 0, 0);
    ASSERT_TRUE(fileExists(kRecord));
    desk.gatherWindows();
    EXPECT_EQ(desk.dropRecoveryRecord(), 0);
    EXPECT_FALSE(fileExists(kRecord));
    EXPECT_FALSE(fileExists("Wideroom.rcv.tmp"));
}

TEST_F(Record, ClosedWindowDropsOutAtTheNextWrite) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150, "A", "ClassA");
    platform::WindowHandle b = addWindow(400, 300, 200, 150, "B", "ClassB");
    VirtualDesk desk;
    tick(desk, 100, 0, 0);
    sim::removeWindow(a);
    tick(desk, 10, 0, 1000);
    tick(desk, 0, 0, 2000);
    const std::vector<ParsedEntry> entries = parse(readFile(kRecord));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].window, b);
}

TEST_F(Record, HiddenOrMinimizedWindowStaysListedUntilItIsGone) {
    platform::WindowHandle a = addWindow(100, 100, 200, 150, "A", "ClassA");
    VirtualDesk desk;
    tick(desk, 100, 0, 0);
    sim::window(a)->showCmd = platform::kShowMinimized;
    tick(desk, 0, 0, 1000);
    tick(desk, 0, 0, 2000);
    std::vector<ParsedEntry> entries = parse(readFile(kRecord));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].offsetX, -100);
}

TEST_F(Record, WindowPutWhollyOffTheScreenBySomeoneElseIsListed) {
    // Dragged to another part of the desktop (the map's drag moves it
    // directly): nothing of ours to undo, but it is out of reach.
    platform::WindowHandle a = addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 0, 0, 0);
    sim::window(a)->rect = {3000, 100, 3200, 250};
    tick(desk, 0, 0, 1000);
    tick(desk, 0, 0, 2000);
    const std::vector<ParsedEntry> entries = parse(readFile(kRecord));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].offsetX, 0);
    // Back on the screen: nothing to list.
    sim::window(a)->rect = {1000, 100, 1200, 250};
    tick(desk, 0, 0, 3000);
    tick(desk, 0, 0, 4000);
    EXPECT_FALSE(fileExists(kRecord));
}

TEST_F(Record, FailedWriteKeepsTheOldFileAndIsTriedAgainLater) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 100, 0, 0);
    const std::vector<unsigned char> before = readFile(kRecord);
    // A folder where the temporary file would go: the write cannot start.
    std::filesystem::create_directory("Wideroom.rcv.tmp");
    desk.snapshotWindows();
    desk.moveViewBy(10, 0);
    EXPECT_NE(desk.keepRecoveryRecord(1000, 0), 0);
    EXPECT_EQ(readFile(kRecord), before);
    std::filesystem::remove("Wideroom.rcv.tmp");
    tick(desk, 0, 0, 1100);  // within 250 ms of the failure: not yet
    EXPECT_EQ(readFile(kRecord), before);
    tick(desk, 0, 0, 1300);
    EXPECT_EQ(parse(readFile(kRecord))[0].offsetX, -110);
}

TEST_F(Record, SettingsImportWritesAtOnce) {
    addWindow(100, 100, 200, 150);
    VirtualDesk desk;
    tick(desk, 2048, 0, 0);  // the right border of 5 screens
    // Written at tick 0; no tick runs while the settings dialog is open.
    SettingsImage image;
    desk.exportSettings(&image);
    image.hScale = 3;  // the view comes back 2048
    desk.importSettings(&image);
    EXPECT_FALSE(fileExists(kRecord));  // every window back where it started
}

TEST_F(Record, EncodeAndDecodeAgree) {
    RecoveryEntry in[3] = {};
    in[0] = {0x1234, -2048, 768, 4242, 3, 0x01DA000012345678ull, {-2000, 5, -1800, 300}, "Notepad"};
    in[1] = {0xFFFFFFFF00000010ull,
             0,
             -1,
             0xFFFFFFFFu,
             1,
             ~0ull,
             {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
             ""};
    in[2].window = 7;
    std::memset(in[2].className, 'x', sizeof in[2].className - 1);
    static unsigned char bytes[kMaxRecoveryBytes];
    const size_t size = recovery_record::encode(0x01DB123456789ABCull, in, 3, bytes);
    ASSERT_EQ(size, 32u + 3 * 112);
    static RecoveryEntry out[kMaxRecoveryEntries];
    int count = 0;
    uint64_t boot = 0;
    ASSERT_EQ(recovery_record::decode(bytes, size, &boot, out, &count), 0);
    EXPECT_EQ(boot, 0x01DB123456789ABCull);
    ASSERT_EQ(count, 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(out[i].window, in[i].window);
        EXPECT_EQ(out[i].offsetX, in[i].offsetX);
        EXPECT_EQ(out[i].offsetY, in[i].offsetY);
        EXPECT_EQ(out[i].processId, in[i].processId);
        EXPECT_EQ(out[i].flags, in[i].flags);
        EXPECT_EQ(out[i].processStart, in[i].processStart);
        EXPECT_EQ(std::memcmp(&out[i].restored, &in[i].restored, sizeof in[i].restored), 0);
        EXPECT_STREQ(out[i].className, in[i].className);
    }
}

}  // namespace
