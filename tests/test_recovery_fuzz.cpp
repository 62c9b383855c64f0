// Bounded fuzz test of the recovery record: seeded random records with
// crafted offsets and restore rectangles, for windows in every show state.
// No crash and no signed overflow (the native tests run with ASan and UBSan),
// and every window that moves stays within coordinates a desktop can hold.
#include <cstdlib>
#include <cstring>
#include <random>

#include "store/recovery_record.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class RecoveryFuzz : public DeskTest {};

const int32_t kExtremes[] = {0,          1,         -1,        2048,          -2048,        32767,
                             -32768,     65536,     -65536,    1 << 24,       -(1 << 24),   1 << 30,
                             -(1 << 30), INT32_MAX, INT32_MIN, INT32_MAX - 1, INT32_MIN + 1};

TEST_F(RecoveryFuzz, CraftedRecordsMoveNothingOutOfRange) {
    std::mt19937 random(20261210);
    auto pick = [&]() {
        if (random() % 2 == 0) return kExtremes[random() % (sizeof kExtremes / sizeof kExtremes[0])];
        return static_cast<int32_t>(random());
    };
    static RecoveryEntry entries[kMaxRecoveryEntries];
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        sim::reset();
        if (round % 3 == 0) addWindow(-2, 738, 1028, 32, "", "Shell_TrayWnd");
        const int n = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < n; ++i) {
            sim::SimWindow w;
            w.title = "w";
            w.className = "AppClass";
            w.showCmd = 1 + random() % 3;
            // Real windows: positions within what the platform allows.
            const int32_t x = static_cast<int32_t>(random() % 65536) - 32768;
            const int32_t y = static_cast<int32_t>(random() % 65536) - 32768;
            w.rect = {x, y, x + static_cast<int32_t>(random() % 4000),
                      y + static_cast<int32_t>(random() % 3000)};
            w.normal = w.rect;
            const platform::WindowHandle h = sim::addWindow(w);
            RecoveryEntry& e = entries[i];
            e = RecoveryEntry{};
            e.window = h;
            e.offsetX = pick();
            e.offsetY = pick();
            e.flags = random() % 4;
            e.restored = {pick(), pick(), pick(), pick()};
            std::strncpy(e.className, "AppClass", sizeof e.className - 1);
        }
        ASSERT_EQ(recovery_record::write("Wideroom.rcv", 1, entries, n), 0);
        VirtualDesk desk;
        desk.setFrameInset(static_cast<int>(random() % 9));
        EXPECT_EQ(desk.recoverWindows("Wideroom.rcv"), 0);
        for (const sim::SimWindow& w : sim::zOrder()) {
            if (w.moveCount == 0) continue;
            EXPECT_LE(std::abs(static_cast<int64_t>(w.rect.left)), int64_t{1} << 26);
            EXPECT_LE(std::abs(static_cast<int64_t>(w.rect.top)), int64_t{1} << 26);
        }
    }
}

}  // namespace
