// The hover test: which window a map point falls on, and when the map must
// be repainted for a new highlight.
#include <gtest/gtest.h>

#include <climits>

#include "tests/test_map_fixture.h"

namespace {

using maptest::MapTest;

// Every map point of a 204 x 153 map (and a margin around it): the window
// at (100, 50) of 300 x 200 is hovered on exactly columns 86 to 97 and rows
// 64 to 71, its bounds inclusive.
TEST_F(MapTest, WindowIsHoveredOnExactlyTheMapPointsOverItsInclusiveBounds) {
    platform::WindowHandle w = addWindow("w", 100, 50, 300, 200);
    for (int y = -3; y < desk->mapHeight() + 3; ++y) {
        for (int x = -3; x < desk->mapWidth() + 3; ++x) {
            desk->updateHover(x, y);
            bool inside = x >= 86 && x <= 97 && y >= 64 && y <= 71;
            ASSERT_EQ(desk->getHoverWindow(), inside ? w : 0) << "map point (" << x << ", " << y << ")";
        }
    }
}

// At scale 1 the right and bottom edges themselves (x + width, y + height)
// still count.
TEST_F(MapTest, RightAndBottomEdgesStillCount) {
    useGeometry({1024, 768, 1, 1, 1});
    platform::WindowHandle w = addWindow("w", 10, 20, 5, 6);
    struct Row {
        int x, y;
        bool hit;
    };
    for (const Row& r : {Row{10, 20, true}, Row{15, 26, true}, Row{9, 20, false}, Row{16, 20, false},
                         Row{10, 19, false}, Row{10, 27, false}}) {
        desk->updateHover(r.x, r.y);
        EXPECT_EQ(desk->getHoverWindow(), r.hit ? w : 0) << "(" << r.x << ", " << r.y << ")";
    }
}

// The first match in table (Z) order wins: the window painted on top.
TEST_F(MapTest, OverlapPrefersTheWindowHigherInZOrder) {
    platform::WindowHandle top = addWindow("top", 0, 0, 400, 300);
    platform::WindowHandle below = addWindow("below", 200, 150, 400, 300);
    desk->updateHover(92, 70);  // over both
    EXPECT_EQ(desk->getHoverWindow(), top);
    desk->updateHover(100, 75);  // over the lower one only
    EXPECT_EQ(desk->getHoverWindow(), below);
}

// mapDirty is set exactly when the highlight changes.
TEST_F(MapTest, DirtyIsSetOnlyWhenTheHoveredWindowChanges) {
    platform::WindowHandle a = addWindow("a", 0, 0, 400, 300);
    platform::WindowHandle b = addWindow("b", 600, 0, 200, 200);
    struct Step {
        int x, y;
        platform::WindowHandle hover;
        int dirty;
    };
    const Step steps[] = {
        {0, 0, 0, 0},     // nothing to nothing
        {85, 65, a, 1},   // nothing to a
        {86, 66, a, 0},   // a to a
        {108, 65, b, 1},  // a to b
        {109, 66, b, 0},  // b to b
        {0, 0, 0, 1},     // b to nothing
        {1, 1, 0, 0},     // nothing to nothing
    };
    for (const Step& s : steps) {
        desk->mapDirty = 0;
        desk->updateHover(s.x, s.y);
        EXPECT_EQ(desk->getHoverWindow(), s.hover) << "(" << s.x << ", " << s.y << ")";
        EXPECT_EQ(desk->mapDirty, s.dirty) << "(" << s.x << ", " << s.y << ")";
    }
}

// The main loop hands over the pointer wherever it is, far outside the pane
// included: that matches no window and clears the highlight.
TEST_F(MapTest, PointFarOutsideThePaneClearsTheHighlight) {
    addWindow("full screen", 0, 0, 1024, 768);
    for (int x : {-5000, 5000, INT_MIN / 2, INT_MAX / 2}) {
        desk->updateHover(85, 65);
        ASSERT_NE(desk->getHoverWindow(), 0u);
        desk->mapDirty = 0;
        desk->updateHover(x, x);
        EXPECT_EQ(desk->getHoverWindow(), 0u) << x;
        EXPECT_EQ(desk->mapDirty, 1) << x;
    }
}

}  // namespace
