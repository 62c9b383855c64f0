// The per-tick path allocates nothing: the whole polling tick (snapshot, edge
// test, scrolling, the recovery record and its writes, the map's change test,
// the navigator's show and hide) over a full table of 512 windows.
//
// Every allocation of the process, malloc and calloc inside the C library
// (such as a stream that fopen opens) as well as operator new, passes the
// sanitizer's allocator, whose hook counts while `counting` is set.
#include <cstdlib>
#include <cstring>

#include "engine/tick.h"
#include "platform/sim/sim_files.h"
#include "test_engine_support.h"

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*));

namespace {

bool counting = false;
long allocations = 0;

void countAllocation(const volatile void*, size_t) {
    if (counting) ++allocations;
}

void ignoreFree(const volatile void*) {}

const bool hooked = __sanitizer_install_malloc_and_free_hooks(countAllocation, ignoreFree) != 0;

}  // namespace

namespace {

using namespace engine_test;

class Allocation : public DeskTest {};

TEST_F(Allocation, PollingTicksAllocateNothing) {
    ASSERT_TRUE(hooked);
    for (int i = 0; i < 512; ++i) addWindow(i, i % 700, 200, 100, "window title of some length", "AppClass");
    const platform::WindowHandle navFrame = sim::addWindow(kNavigatorTitle, "#32770", 0, 0, 210, 180);
    const platform::WindowHandle mapPane = 0x77;
    VirtualDesk desk;
    TickState state;
    std::strcpy(desk.fixedWindows.entries[7].className, "Nothing");
    desk.needCtrl = 1;
    desk.needShift = 1;
    desk.naviMode = 1;
    sim::setKey(platform::kKeyControl, true);
    sim::setKey(platform::kKeyShift, true);

    // A corner, one edge after another, page mode, a pause away from the
    // edges (the navigator hides, the record is written once the windows
    // settle), a full table of 512 moving windows: every branch of the tick.
    const int cursors[][2] = {{1023, 300}, {0, 0}, {500, 767}, {500, 384}, {1023, 767}, {0, 300}};
    bool hid = false;
    allocations = 0;
    counting = true;
    for (int tick = 0; tick < 600; ++tick) {
        const auto& c = cursors[(tick / 50) % 6];
        sim::setCursor(c[0], c[1]);
        desk.pageMode = (tick / 300) % 2;
        pollTick(&desk, &state, navFrame, mapPane);
        hid = hid || !sim::window(navFrame)->visible;
    }
    counting = false;
    EXPECT_EQ(desk.windowCount, 512);
    EXPECT_EQ(allocations, 0);
    // The path was taken: windows moved, the record was written, the map
    // repainted, the navigator hid.
    EXPECT_GE(sim::window(sim::zOrder()[0].handle)->moveCount, 100);
    EXPECT_NE(std::strstr(sim::fileLog(), "CWXR"), nullptr);
    EXPECT_GT(sim::invalidationsOf(mapPane), 100);
    EXPECT_TRUE(hid);

    // The counter sees both kinds of allocation (kept, so that neither is
    // optimised away).
    counting = true;
    int* volatile p = new int(3);
    void* volatile q = std::malloc(5);
    counting = false;
    delete p;
    std::free(q);
    EXPECT_EQ(allocations, 2);
}

TEST_F(Allocation, FullTablePassAllocatesNothing) {
    for (int i = 0; i < 520; ++i) addWindow(i, 0, 10, 10);
    VirtualDesk desk;
    allocations = 0;
    counting = true;
    int r = 0;
    for (int i = 0; i < 50; ++i) r = desk.snapshotWindows();
    ASSERT_TRUE(hooked);
    counting = false;
    EXPECT_EQ(r, 2001);
    EXPECT_EQ(allocations, 0);
}

}  // namespace
