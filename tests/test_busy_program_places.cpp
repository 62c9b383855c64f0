// Windows of one busy program keep their places on the virtual desktop. The
// program's one thread carries out our moves late, a few at a time and in
// no particular order, while we talk to the window manager; every window it
// moves goes on top of the Z order (as Wine restacks it), so the order of the
// windows changes under every walk. Long random runs of edge contacts, keys,
// map clicks and windows opened and closed, then the view goes home: every
// window stands on the pixel where it started, and the recovery record's
// offset of each is what was carried out. A program that lags a few ticks is
// never taken for one that refuses; one that pauses past the passes of a
// refusal still ends at its places.
#include <cstdint>
#include <random>
#include <vector>

#include "engine/tick.h"
#include "engine/view_actions.h"
#include "navigator/map_input.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

constexpr uint32_t kBusyProcess = 0x600;

struct Tracked {
    platform::WindowHandle handle;
    int32_t placeX;  // its place on the virtual desktop
    int32_t placeY;
    int32_t openedX;  // where it stood on the screen when it was opened
    int32_t openedY;
};

struct Case {
    uint32_t seed;
    // Pauses of the program longer than the passes after which a window that
    // stays where it is counts as refusing (it does obey, much later).
    bool longPauses;
};

class BusyProgram : public DeskTest, public ::testing::WithParamInterface<Case> {
protected:
    std::mt19937 rng;
    std::vector<Tracked> windows;
    int pauseTicks = 0;
    int catchUpIn = 0;
    bool refusedWhileOnlySlow = false;

    int below(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }

    platform::WindowHandle open(const VirtualDesk& desk, bool busy) {
        sim::SimWindow w;
        w.title = busy ? "Busy window" : "Prompt window";
        w.className = busy ? "BusyClass" : "PromptClass";
        const int x = below(800);
        const int y = below(600);
        w.normal = w.rect = {x, y, x + 120 + below(200), y + 80 + below(150)};
        w.processId = busy ? kBusyProcess : 0x700;
        w.queuesMoves = busy;
        w.raisedByMoves = busy;
        const platform::WindowHandle h = sim::addWindow(w);
        sim::restack(h, static_cast<size_t>(below(static_cast<int>(sim::zOrder().size()))));
        windows.push_back({h, desk.viewX + x, desk.viewY + y, x, y});
        return h;
    }

    void closeOne() {
        if (windows.size() <= 10) return;
        const size_t i = static_cast<size_t>(below(static_cast<int>(windows.size())));
        sim::removeWindow(windows[i].handle);
        windows.erase(windows.begin() + static_cast<long>(i));
    }

    // The program's thread: a batch of the waiting moves, window by window in
    // any order, unless it pauses.
    void programRuns(int chancePercent) {
        if (pauseTicks > 0 || below(100) >= chancePercent) return;
        const int batch = 1 + below(4);
        for (int k = 0; k < batch; ++k) {
            const Tracked& t = windows[static_cast<size_t>(below(static_cast<int>(windows.size())))];
            if (sim::window(t.handle) != nullptr) sim::pumpWindow(t.handle, 1 + below(2));
        }
    }

    // One polling tick; then the program runs a little, and now and then it
    // catches up with every waiting move, unless it pauses.
    void tick(VirtualDesk& desk, TickState& state, platform::WindowHandle navFrame, bool longPauses) {
        pollTick(&desk, &state, navFrame, 0x77);
        if (pauseTicks > 0) {
            --pauseTicks;
        } else {
            programRuns(50);
            if (--catchUpIn <= 0) {
                for (size_t i = windows.size(); i > 0; --i) sim::pumpWindow(windows[rng() % i].handle);
                for (const Tracked& t : windows) sim::pumpWindow(t.handle);
                catchUpIn = 1 + below(2);
            }
        }
        if (!longPauses && busyWindowRefuses(desk)) refusedWhileOnlySlow = true;
    }

    bool anyWaiting() const {
        for (const Tracked& t : windows) {
            const sim::SimWindow* w = sim::window(t.handle);
            if (w != nullptr && !w->pendingMoves.empty()) return true;
        }
        return false;
    }

    bool busyWindowRefuses(const VirtualDesk& desk) const {
        for (const Tracked& t : windows) {
            const int s = desk.moves.find(t.handle);
            if (s >= 0 && desk.moves.slot(s).refusing) return true;
        }
        return false;
    }
};

TEST_P(BusyProgram, EveryWindowIsBackOnItsPixelWhenTheViewComesHome) {
    const Case c = GetParam();
    rng.seed(c.seed);
    const platform::WindowHandle navFrame = addNavigatorFrame();
    VirtualDesk desk;
    TickState state;
    const int32_t homeX = desk.viewX;
    const int32_t homeY = desk.viewY;
    for (int i = 0; i < 20; ++i) open(desk, true);
    for (int i = 0; i < 3; ++i) open(desk, false);
    // The program runs now and then while we walk, read and move its windows.
    sim::onCall([this] { programRuns(3); });

    const int edges[][2] = {{1023, 384}, {0, 384}, {512, 0}, {512, 767}, {1023, 0}, {0, 767}};
    for (int action = 0; action < 400; ++action) {
        switch (below(10)) {
            case 0:
            case 1:
            case 2:
            case 3: {  // an edge contact, as a hand makes it
                const auto& e = edges[below(6)];
                sim::setCursor(e[0], e[1]);
                for (int t = 2 + below(20); t > 0; --t) tick(desk, state, navFrame, c.longPauses);
                break;
            }
            case 4:  // a key
                runViewAction(&desk, below(5), navFrame);
                break;
            case 5: {  // a click in the map
                const uint32_t x = static_cast<uint32_t>(below(desk.mapWidth()));
                const uint32_t y = static_cast<uint32_t>(below(desk.mapHeight()));
                tick(desk, state, navFrame, c.longPauses);
                mapLeftDown(&desk, (y << 16) | x);
                mapLeftUp();
                break;
            }
            case 6:
                open(desk, below(4) != 0);
                break;
            case 7:
                closeOne();
                break;
            default:  // the program stops pumping for a while
                pauseTicks = c.longPauses && below(3) == 0
                                 ? static_cast<int>(MoveLedger::kRefusePasses) + below(20)
                                 : below(3);
                break;
        }
        // Between contacts the pointer rests in the middle.
        sim::setCursor(512, 384);
        for (int t = below(4); t > 0; --t) tick(desk, state, navFrame, c.longPauses);
    }

    // Home, as the key does; then the program catches up and the ticks go on.
    pauseTicks = 0;
    runViewAction(&desk, kActionHome, navFrame);
    sim::onCall(nullptr);
    for (int t = 0; t < 40 || anyWaiting(); ++t) {
        for (const Tracked& w : windows) sim::pumpWindow(w.handle);
        desk.snapshotWindows();
        ASSERT_LT(t, 400);
    }

    ASSERT_EQ(desk.viewX, homeX);
    ASSERT_EQ(desk.viewY, homeY);
    EXPECT_FALSE(refusedWhileOnlySlow);
    int off = 0;
    for (const Tracked& t : windows) {
        const platform::Rect r = rectOf(t.handle);
        const int s = desk.moves.find(t.handle);
        const int32_t offsetX = s >= 0 ? desk.moves.slot(s).offsetX : 0;
        const int32_t offsetY = s >= 0 ? desk.moves.slot(s).offsetY : 0;
        const bool placed = r.left + desk.viewX == t.placeX && r.top + desk.viewY == t.placeY;
        const bool counted = offsetX == r.left - t.openedX && offsetY == r.top - t.openedY;
        if (!placed || !counted) ++off;
        EXPECT_TRUE(placed) << "window " << t.handle << " is " << r.left + desk.viewX - t.placeX << ", "
                            << r.top + desk.viewY - t.placeY << " px off its place";
        EXPECT_TRUE(counted) << "window " << t.handle << " offset " << offsetX << ", " << offsetY
                             << " for a move of " << r.left - t.openedX << ", " << r.top - t.openedY;
    }
    EXPECT_EQ(off, 0) << "of " << windows.size() << " windows";
}

INSTANTIATE_TEST_SUITE_P(Seeds, BusyProgram,
                         ::testing::Values(Case{1, false}, Case{2, false}, Case{3, false}, Case{17, false},
                                           Case{42, false}, Case{1001, false}, Case{7, true}, Case{99, true},
                                           Case{314, true}, Case{2718, true}));

}  // namespace
