// The per-tick engine path allocates nothing: snapshot,
// edge test and scrolling over a full table of 512 windows.
//
// Global operator new and delete are replaced for this whole test program;
// they forward to malloc and free and count only while `counting` is set, so
// every other test is unaffected.
#include <cstdlib>
#include <cstring>
#include <new>

#include "test_engine_support.h"

namespace {

bool counting = false;
long allocations = 0;

void* allocate(std::size_t size) {
    if (counting) ++allocations;
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

void* allocateAligned(std::size_t size, std::align_val_t align) {
    if (counting) ++allocations;
    std::size_t a = static_cast<std::size_t>(align);
    std::size_t rounded = (size + a - 1) / a * a;
    void* p = std::aligned_alloc(a, rounded == 0 ? a : rounded);
    if (p == nullptr) throw std::bad_alloc();
    return p;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    if (counting) ++allocations;
    return std::malloc(size == 0 ? 1 : size);
}
void* operator new(std::size_t size, std::align_val_t align) { return allocateAligned(size, align); }
void* operator new[](std::size_t size, std::align_val_t align) { return allocateAligned(size, align); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

namespace {

using namespace engine_test;

class Allocation : public DeskTest {};

TEST_F(Allocation, SnapshotEdgeTestAndScrollingAllocateNothing) {
    for (int i = 0; i < 512; ++i) addWindow(i, i % 700, 200, 100, "window title of some length", "AppClass");
    VirtualDesk desk;
    std::strcpy(desk.fixedWindows.entries[7].className, "Nothing");
    desk.needCtrl = 1;
    desk.needShift = 1;
    sim::setKey(platform::kKeyControl, true);
    sim::setKey(platform::kKeyShift, true);

    // A corner, one edge after another, page mode, a full table of 512
    // moving windows: every branch of the per-tick code.
    const int cursors[][2] = {{1023, 300}, {0, 0}, {500, 767}, {500, 384}, {1023, 767}, {0, 300}};
    allocations = 0;
    counting = true;
    for (int tick = 0; tick < 600; ++tick) {
        const auto& c = cursors[(tick / 50) % 6];
        sim::setCursor(c[0], c[1]);
        desk.pageMode = (tick / 300) % 2;
        desk.snapshotWindows();
        int dx = 0, dy = 0;
        if (desk.detectEdge(&dx, &dy) != 0) {
            desk.scrollTick(dx, dy);
            desk.accelerateStep();
        } else {
            desk.resetStep();
        }
        desk.moveViewTo(desk.viewX + 3, desk.viewY - 2);
    }
    counting = false;
    EXPECT_EQ(desk.windowCount, 512);
    EXPECT_EQ(allocations, 0);

    // The counter works: an allocation inside the window is seen.
    counting = true;
    int* p = new int(3);
    counting = false;
    delete p;
    EXPECT_EQ(allocations, 1);
}

TEST_F(Allocation, FullTablePassAllocatesNothing) {
    for (int i = 0; i < 520; ++i) addWindow(i, 0, 10, 10);
    VirtualDesk desk;
    allocations = 0;
    counting = true;
    int r = 0;
    for (int i = 0; i < 50; ++i) r = desk.snapshotWindows();
    counting = false;
    EXPECT_EQ(r, 2001);
    EXPECT_EQ(allocations, 0);
}

}  // namespace
