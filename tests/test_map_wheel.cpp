// The wheel over the navigator's map.
#include "navigator/map_wheel.h"

#include "test_engine_support.h"

using namespace engine_test;

namespace {

struct WheelRow {
    const char* what;
    int fromX, fromY;
    int pageMode;
    int delta;
    bool horizontal;
    int toX, toY;
    int moved;
};

void PrintTo(const WheelRow& r, std::ostream* os) { *os << r.what; }

// 1024 x 768, 5 x 5 screens: viewX 0..4096, viewY 0..3072.
const WheelRow kWheelRows[] = {
    {"one notch down", 2048, 1536, 0, -120, false, 2048, 2304, 1},
    {"one notch up", 2048, 1536, 0, 120, false, 2048, 768, 1},
    {"two notches up in one message", 2048, 1536, 0, 240, false, 2048, 0, 1},
    {"three notches up: clamped at the top", 2048, 1536, 0, 360, false, 2048, 0, 1},
    {"down at the bottom", 2048, 3072, 0, -120, false, 2048, 3072, 0},
    {"up near the top", 2048, 500, 0, 120, false, 2048, 0, 1},
    {"right", 2048, 1536, 0, 120, true, 3072, 1536, 1},
    {"left", 2048, 1536, 0, -120, true, 1024, 1536, 1},
    {"left at the left border", 0, 1536, 0, -120, true, 0, 1536, 0},
    {"far right in one message", 2048, 1536, 0, 32760, true, 4096, 1536, 1},
    {"far down in one message", 2048, 1536, 0, -32768, false, 2048, 3072, 1},
    {"page mode between two rows lands on a row", 1500, 1000, 1, -120, false, 1024, 1536, 1},
    {"half a notch does nothing yet", 2048, 1536, 0, 60, false, 2048, 1536, 0},
};

class Wheel : public DeskTest, public ::testing::WithParamInterface<WheelRow> {};

TEST_P(Wheel, MovesTheViewAScreenPerNotch) {
    const WheelRow& r = GetParam();
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.snapshotWindows();
    desk.viewX = r.fromX;
    desk.viewY = r.fromY;
    desk.pageMode = r.pageMode;
    WheelState state;
    EXPECT_EQ(mapWheel(&desk, &state, r.delta, r.horizontal), r.moved);
    EXPECT_EQ(desk.viewX, r.toX);
    EXPECT_EQ(desk.viewY, r.toY);
    EXPECT_EQ(rectOf(w).left, 100 - (r.toX - r.fromX));
    EXPECT_EQ(rectOf(w).top, 100 - (r.toY - r.fromY));
}

INSTANTIATE_TEST_SUITE_P(Rows, Wheel, ::testing::ValuesIn(kWheelRows));

class WheelParts : public DeskTest {};

TEST_F(WheelParts, FractionsAddUpToANotchAndATurnBackDropsThem) {
    VirtualDesk desk;
    WheelState state;
    EXPECT_EQ(mapWheel(&desk, &state, -40, false), 0);
    EXPECT_EQ(mapWheel(&desk, &state, -40, false), 0);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(mapWheel(&desk, &state, -40, false), 1);
    EXPECT_EQ(desk.viewY, 2304);
    // Two thirds down, then a third up: the turn back starts afresh.
    mapWheel(&desk, &state, -80, false);
    EXPECT_EQ(mapWheel(&desk, &state, 40, false), 0);
    EXPECT_EQ(mapWheel(&desk, &state, 80, false), 1);
    EXPECT_EQ(desk.viewY, 1536);
    // The axes keep their own parts.
    mapWheel(&desk, &state, 60, true);
    EXPECT_EQ(mapWheel(&desk, &state, 60, false), 0);
    EXPECT_EQ(mapWheel(&desk, &state, 60, true), 1);
    EXPECT_EQ(desk.viewX, 3072);
    EXPECT_EQ(desk.viewY, 1536);
}

}  // namespace
