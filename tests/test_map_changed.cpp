// The map's change test: what it reports, how often, and what it clears.
#include <gtest/gtest.h>

#include <functional>

#include "tests/test_map_fixture.h"

namespace {

using maptest::MapTest;

struct Sequence {
    const char* what;
    std::function<void(VirtualDesk&)> change;
    int clearDirty;
    bool paintBetween;  // the map is painted between the two tests
    int first;
    int second;
    int dirtyAfter;
};

void PrintTo(const Sequence& s, std::ostream* os) { *os << s.what; }

class ChangeTest : public MapTest, public ::testing::WithParamInterface<Sequence> {};

// One change, then two tests in a row.
TEST_P(ChangeTest, ReportsEachChangeAsOftenAsItsKindRequires) {
    const Sequence& s = GetParam();
    addWindow("a", 10, 10, 100, 100);
    addWindow("b", 300, 200, 100, 100);
    settle();

    s.change(*desk);
    EXPECT_EQ(desk->mapChanged(s.clearDirty), s.first) << s.what;
    if (s.paintBetween) desk->paintMap(0);
    EXPECT_EQ(desk->mapChanged(s.clearDirty), s.second) << s.what;
    EXPECT_EQ(desk->mapDirty, s.dirtyAfter) << s.what;
    EXPECT_EQ(desk->paintedViewX, desk->viewX) << s.what;
    EXPECT_EQ(desk->paintedViewY, desk->viewY) << s.what;
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, ChangeTest,
    ::testing::Values(
        Sequence{"nothing", [](VirtualDesk&) {}, 1, false, 0, 0, 0},
        Sequence{"view x", [](VirtualDesk& d) { d.viewX += 5; }, 1, false, 1, 0, 0},
        Sequence{"view x, not clearing", [](VirtualDesk& d) { d.viewX -= 5; }, 0, false, 1, 0, 0},
        Sequence{"view x and y",
                 [](VirtualDesk& d) {
                     d.viewX += 5;
                     d.viewY += 7;
                 },
                 1, false, 2, 0, 0},
        Sequence{"window moved", [](VirtualDesk& d) { d.windows[1].x += 1; }, 1, false, 1, 1, 0},
        Sequence{"window moved, painted between", [](VirtualDesk& d) { d.windows[1].x += 1; }, 1, true, 1, 0,
                 0},
        Sequence{"window resized", [](VirtualDesk& d) { d.windows[0].height -= 1; }, 1, false, 1, 1, 0},
        Sequence{"window gone", [](VirtualDesk& d) { d.windows[--d.windowCount] = WindowEntry{}; }, 1, false,
                 1, 1, 0},
        Sequence{"row beyond the count", [](VirtualDesk& d) { d.windows[kMaxWindows - 1].window = 9; }, 1,
                 false, 1, 1, 0},
        Sequence{"view and table",
                 [](VirtualDesk& d) {
                     d.viewY += 1;
                     d.windows[0].y -= 1;
                 },
                 1, false, 2, 1, 0},
        Sequence{"dirty, clearing", [](VirtualDesk& d) { d.mapDirty = 1; }, 1, false, 1, 0, 0},
        Sequence{"dirty, not clearing", [](VirtualDesk& d) { d.mapDirty = 1; }, 0, false, 1, 1, 1},
        Sequence{"dirty and view, not clearing",
                 [](VirtualDesk& d) {
                     d.mapDirty = 1;
                     d.viewX += 1;
                 },
                 0, false, 2, 1, 1}));

// An empty table reports only the view and mapDirty.
TEST_F(MapTest, EmptyTableReportsOnlyViewAndDirty) {
    settle();
    EXPECT_EQ(desk->mapChanged(1), 0);
    desk->viewX += 1;
    desk->mapDirty = 1;
    EXPECT_EQ(desk->mapChanged(1), 2);
    EXPECT_EQ(desk->mapChanged(1), 0);
}

// The pointer's test in the pane leaves mapDirty for the tick's test, which
// clears it: the map is repainted once for a change of the highlight.
TEST_F(MapTest, OnlyTheClearingTestResetsDirty) {
    settle();
    desk->mapDirty = 1;
    EXPECT_EQ(desk->mapChanged(0), 1);
    EXPECT_EQ(desk->mapChanged(0), 1);
    EXPECT_EQ(desk->mapDirty, 1);
    EXPECT_EQ(desk->mapChanged(1), 1);
    EXPECT_EQ(desk->mapDirty, 0);
    EXPECT_EQ(desk->mapChanged(1), 0);
}

}  // namespace
