// The pointer in the map pane: the view and window drags, their latches,
// and what the tooltip is told.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigator/map_input.h"
#include "tests/test_map_fixture.h"

namespace {

// A message's packed position: x in the low 16 bits, y in the high 16.
uint32_t at(int x, int y) {
    return (static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16) | static_cast<uint16_t>(x);
}

platform::Rect rectOf(platform::WindowHandle h) { return sim::window(h)->rect; }

bool operator==(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

class MapInputTest : public maptest::MapTest {
protected:
    void SetUp() override {
        MapTest::SetUp();
        viewDragLatch = 0;
        windowDragLatch = 0;
        dragWindow = 0;
        lastMapX = 0;
        lastMapY = 0;
        tipText[0] = '\0';
        pane = sim::addWindow("", "#32770", 0, 0, 204, 153);
    }

    // What the main loop does between messages: the clearing change test.
    void tick() { desk->mapChanged(1); }

    platform::WindowHandle pane = 0;
};

// With the view at (2048, 1536), a press at (102, 76) asks for the view at
// (2038, 1516): the pressed point becomes the screen's centre, and every
// window moves the opposite way.
TEST_F(MapInputTest, LeftPressCentresTheScreenOnThePressedPoint) {
    platform::WindowHandle w = addWindow("w", 100, 50, 300, 200);
    uint32_t before = sim::now();
    EXPECT_EQ(mapLeftDown(desk.get(), at(102, 76)), kTipNone);
    EXPECT_EQ(viewDragLatch, 1);
    EXPECT_EQ(desk->viewX, 2038);
    EXPECT_EQ(desk->viewY, 1516);
    EXPECT_TRUE(rectOf(w) == (platform::Rect{110, 70, 410, 270}));
    EXPECT_EQ(sim::now() - before, desk->getInterval());
}

// Following a left drag: each move re-centres the view, asks for a repaint
// (the move's own change test has already seen the new view, so the tick's
// would not) and blocks for one interval.
TEST_F(MapInputTest, LeftDragMovesTheViewAndRepaintsTheMap) {
    mapLeftDown(desk.get(), at(102, 76));
    tick();
    uint32_t before = sim::now();
    mapMouseMove(desk.get(), pane, at(110, 80));
    EXPECT_EQ(desk->viewX, 25 * 110 - 512);
    EXPECT_EQ(desk->viewY, 25 * 80 - 384);
    EXPECT_EQ(sim::window(pane)->invalidations, 1);
    EXPECT_EQ(sim::now() - before, desk->getInterval());

    // Released in the pane: plain moves again.
    mapLeftUp();
    EXPECT_EQ(viewDragLatch, 0);
    mapMouseMove(desk.get(), pane, at(120, 90));
    EXPECT_EQ(desk->viewX, 25 * 110 - 512);
    EXPECT_EQ(sim::window(pane)->invalidations, 1);
}

// A right drag of 3 map pixels right and 1 up moves the window 75 right and
// 25 up, however the moves split it, and keeps its size. The pointer may
// leave the window's rectangle meanwhile: no hover test runs on this path,
// and the window table waits for the next snapshot.
TEST_F(MapInputTest, RightDragMovesTheWindowByTheScaledDistance) {
    const std::vector<std::vector<std::pair<int, int>>> paths = {
        {{93, 65}},
        {{91, 66}, {92, 66}, {93, 65}},
        {{120, 30}, {0, 0}, {93, 65}},
    };
    for (const auto& path : paths) {
        sim::zOrder().clear();
        desk->windowCount = 0;
        platform::WindowHandle w = addWindow("dragged", 100, 50, 300, 200);
        WindowEntry row = desk->windows[0];
        settle();

        EXPECT_EQ(mapRightDown(desk.get(), at(90, 66)), kTipNone);
        ASSERT_EQ(dragWindow, w);
        ASSERT_EQ(windowDragLatch, 1);
        for (const auto& [x, y] : path) {
            tipText[0] = '\0';
            EXPECT_EQ(mapMouseMove(desk.get(), pane, at(x, y)), kTipSetText);
            EXPECT_STREQ(tipText, "dragged");
        }
        EXPECT_TRUE(rectOf(w) == (platform::Rect{175, 25, 475, 225})) << path.size() << " moves";
        EXPECT_EQ(std::memcmp(&desk->windows[0], &row, sizeof(row)), 0);
        EXPECT_EQ(desk->getHoverWindow(), w);
        mapRightUp();
        EXPECT_EQ(windowDragLatch, 0);
    }
}

// A program that carries the drag's moves out late: the steps still add up
// to 75 right and 25 up, and a left press meanwhile moves the target with the
// view instead of putting the window back where the last snapshot saw it.
TEST_F(MapInputTest, SlowWindowGetsTheWholeRightDragAndAViewMoveMeanwhile) {
    for (const bool leftPress : {false, true}) {
        SCOPED_TRACE(leftPress ? "left press during the drag" : "drag only");
        sim::zOrder().clear();
        desk->windowCount = 0;
        desk->viewX = 2048;
        desk->viewY = 1536;
        pane = sim::addWindow("", "#32770", 0, 0, 204, 153);
        sim::window(pane)->visible = false;
        platform::WindowHandle w = sim::addWindow("slow", "Sample", 100, 50, 300, 200);
        sim::window(w)->queuesMoves = true;
        desk->snapshotWindows();
        settle();
        mapRightDown(desk.get(), at(90, 66));
        ASSERT_EQ(dragWindow, w);
        for (const auto& [x, y] : std::vector<std::pair<int, int>>{{91, 66}, {92, 66}, {93, 65}})
            mapMouseMove(desk.get(), pane, at(x, y));
        int viewDx = 0, viewDy = 0;
        if (leftPress) {
            mapLeftDown(desk.get(), at(102, 76));  // the view to (2038, 1516)
            viewDx = desk->viewX - 2048;
            viewDy = desk->viewY - 1536;
            ASSERT_NE(viewDx, 0);
        }
        mapRightUp();
        for (int t = 0; t < 4; ++t) {
            sim::pumpWindow(w);
            desk->snapshotWindows();
        }
        EXPECT_TRUE(rectOf(w) == (platform::Rect{175 - viewDx, 25 - viewDy, 475 - viewDx, 225 - viewDy}))
            << rectOf(w).left << "," << rectOf(w).top;
    }
}

// Both buttons held: the window is dragged and the view stays.
TEST_F(MapInputTest, WindowDragWinsOverViewDrag) {
    platform::WindowHandle w = addWindow("w", 100, 50, 300, 200);
    settle();
    mapLeftDown(desk.get(), at(90, 66));
    const int32_t viewX = desk->viewX;
    const int32_t viewY = desk->viewY;
    desk->windows[0].x = rectOf(w).left;  // as the next snapshot would see it
    desk->windows[0].y = rectOf(w).top;
    mapRightDown(desk.get(), at(90, 66));
    ASSERT_EQ(windowDragLatch, 1);
    const platform::Rect before = rectOf(w);
    mapMouseMove(desk.get(), pane, at(91, 66));
    EXPECT_EQ(desk->viewX, viewX);
    EXPECT_EQ(desk->viewY, viewY);
    EXPECT_TRUE(rectOf(w) ==
                (platform::Rect{before.left + 25, before.top, before.right + 25, before.bottom}));
    EXPECT_EQ(sim::window(pane)->invalidations, 0);
}

// A right press on an empty spot starts no drag: later moves are plain
// moves with the hover test and the tooltip.
TEST_F(MapInputTest, RightPressOnEmptySpotStartsNoDrag) {
    platform::WindowHandle w = addWindow("w", 100, 50, 300, 200);
    settle();
    mapRightDown(desk.get(), at(5, 5));
    EXPECT_EQ(dragWindow, 0u);
    EXPECT_EQ(windowDragLatch, 0);
    EXPECT_EQ(mapMouseMove(desk.get(), pane, at(90, 66)), kTipSetText);
    EXPECT_EQ(desk->getHoverWindow(), w);
    EXPECT_TRUE(rectOf(w) == (platform::Rect{100, 50, 400, 250}));
}

// A latch left from an earlier drag (no tick and no release seen since) with
// an empty spot pressed: moves do nothing at all until the latch is cleared,
// by a right release in the pane or by a tick with the button up.
TEST_F(MapInputTest, StaleWindowLatchMakesMovesDoNothingUntilCleared) {
    for (int clearedByTick : {0, 1}) {
        sim::zOrder().clear();
        desk->windowCount = 0;
        platform::WindowHandle w = addWindow("w", 100, 50, 300, 200);
        settle();
        mapRightDown(desk.get(), at(90, 66));
        mapRightDown(desk.get(), at(5, 5));
        ASSERT_EQ(dragWindow, 0u);
        ASSERT_EQ(windowDragLatch, 1);

        desk->mapDirty = 0;
        EXPECT_EQ(mapMouseMove(desk.get(), pane, at(90, 66)), kTipNone);
        EXPECT_EQ(desk->getHoverWindow(), 0u);
        EXPECT_EQ(desk->mapDirty, 0);
        EXPECT_TRUE(rectOf(w) == (platform::Rect{100, 50, 400, 250}));

        if (clearedByTick) {
            windowDragLatch = 0;  // what a tick does with the right button up
        } else {
            mapRightUp();
        }
        EXPECT_EQ(mapMouseMove(desk.get(), pane, at(90, 66)), kTipSetText);
        EXPECT_EQ(desk->getHoverWindow(), w);
    }
}

// The tooltip pops off every window, and is sent a title only when the
// hovered window or the map changed since the last test; the tick's test
// clears what the hover test marked.
TEST_F(MapInputTest, TooltipIsUpdatedOnlyWhenTheHoverOrTheMapChanged) {
    addWindow("window a", 100, 50, 300, 200);
    addWindow("window b", 600, 0, 200, 200);
    settle();

    enum Kind { kMove, kTick, kMoveView, kMoveRow, kPaint };
    struct Step {
        Kind kind;
        int x, y;
        TipAction action;
        const char* text;  // expected tipText after a kTipSetText
    };
    const Step steps[] = {
        {kMove, 5, 5, kTipPop, ""},
        {kMove, 90, 66, kTipSetText, "window a"},
        {kMove, 91, 66, kTipSetText, "window a"},  // mapDirty still set: no tick yet
        {kTick, 0, 0, kTipNone, ""},
        {kMove, 92, 67, kTipNone, ""},
        {kMove, 108, 65, kTipSetText, "window b"},
        {kTick, 0, 0, kTipNone, ""},
        {kMoveView, 0, 0, kTipNone, ""},
        {kMove, 108, 66, kTipSetText, "window b"},  // the view changed
        {kMove, 108, 66, kTipNone, ""},             // and counts once
        {kMoveRow, 0, 0, kTipNone, ""},
        {kMove, 90, 66, kTipSetText, "window a"},
        {kTick, 0, 0, kTipNone, ""},
        {kMove, 90, 66, kTipSetText, "window a"},  // the table differs until painted
        {kPaint, 0, 0, kTipNone, ""},
        {kMove, 90, 66, kTipNone, ""},
        {kMove, 300, 300, kTipPop, ""},
        {kMove, 301, 300, kTipPop, ""},
    };
    int n = 0;
    for (const Step& s : steps) {
        ++n;
        switch (s.kind) {
            case kMove: {
                tipText[0] = '\0';
                EXPECT_EQ(mapMouseMove(desk.get(), pane, at(s.x, s.y)), s.action) << "step " << n;
                if (s.action == kTipSetText) {
                    EXPECT_STREQ(tipText, s.text) << "step " << n;
                }
                break;
            }
            case kTick:
                tick();
                break;
            case kMoveView:
                desk->viewY += 1;
                break;
            case kMoveRow:
                desk->windows[1].y += 1;
                break;
            case kPaint:
                desk->paintMap(0);
                break;
        }
    }
    EXPECT_EQ(desk->getHoverWindow(), 0u);
}

// Titles longer than the tooltip's 255 bytes are cut, on both paths.
TEST_F(MapInputTest, LongTitleIsCutTo255Bytes) {
    std::string title(300, 'x');
    for (size_t i = 0; i < title.size(); ++i) title[i] = static_cast<char>('a' + i % 26);
    addWindow(title, 100, 50, 300, 200);
    settle();

    EXPECT_EQ(mapMouseMove(desk.get(), pane, at(90, 66)), kTipSetText);
    EXPECT_EQ(std::string(tipText), title.substr(0, 255));

    tipText[0] = '\0';
    mapRightDown(desk.get(), at(90, 66));
    EXPECT_EQ(mapMouseMove(desk.get(), pane, at(91, 66)), kTipSetText);
    EXPECT_EQ(std::string(tipText), title.substr(0, 255));
}

}  // namespace
