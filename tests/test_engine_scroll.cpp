// Edge detection and scrolling.
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Scroll : public DeskTest {};

// One main-loop scroll step as the main loop runs it: the edge test, then the
// scroll or the reset of the step.
int scrollOnce(VirtualDesk& desk) {
    int dx = 0, dy = 0;
    int r = 1;
    if (desk.detectEdge(&dx, &dy) == 0) {
        desk.resetStep();
        return 1;
    }
    r = desk.scrollTick(dx, dy);
    desk.accelerateStep();
    return r;
}

TEST_F(Scroll, SixtyFiveTicksToTheRightBorder) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 1);
    sim::setCursor(1023, 300);
    int viewBefore = desk.viewX;
    for (int n = 1; n <= 63; ++n) {
        SCOPED_TRACE(n);
        ASSERT_EQ(desk.step, n);
        EXPECT_EQ(scrollOnce(desk), 0);
        EXPECT_EQ(desk.viewX - viewBefore, n);  // tick n moves n
        viewBefore = desk.viewX;
    }
    EXPECT_EQ(desk.viewX, 4064);  // 2048 + 2016
    EXPECT_EQ(desk.step, 64);
    EXPECT_EQ(scrollOnce(desk), 0);  // tick 64: clamped to 32
    EXPECT_EQ(desk.viewX, 4096);
    EXPECT_EQ(desk.step, 64);
    const int moves = sim::window(w)->moveCount;
    EXPECT_EQ(scrollOnce(desk), -1);  // tick 65: nothing left
    EXPECT_EQ(desk.viewX, 4096);
    EXPECT_EQ(desk.step, 64);
    EXPECT_EQ(sim::window(w)->moveCount, moves);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(rectOf(w).left, 100 - 2048);
    EXPECT_EQ(rectOf(w).top, 100);
    EXPECT_EQ(desk.windows[0].x, 100 - 2048);
}

struct DiagonalRow {
    int step;
    int perAxis;
};

void PrintTo(const DiagonalRow& r, std::ostream* os) { *os << "step " << r.step << " -> " << r.perAxis; }

class Diagonal : public DeskTest, public ::testing::WithParamInterface<DiagonalRow> {};

TEST_P(Diagonal, EachAxisMovesStepTimesSqrtTwoTruncated) {
    VirtualDesk desk;
    desk.step = GetParam().step;
    const int x0 = desk.viewX, y0 = desk.viewY;
    EXPECT_EQ(desk.scrollTick(1, 1), 0);
    EXPECT_EQ(desk.viewX - x0, GetParam().perAxis);
    EXPECT_EQ(desk.viewY - y0, GetParam().perAxis);
    EXPECT_EQ(desk.scrollTick(-1, -1), 0);  // negative directions: same magnitude
    EXPECT_EQ(desk.viewX, x0);
    EXPECT_EQ(desk.viewY, y0);
}

INSTANTIATE_TEST_SUITE_P(Scroll, Diagonal,
                         ::testing::Values(DiagonalRow{1, 1}, DiagonalRow{2, 2}, DiagonalRow{3, 4},
                                           DiagonalRow{4, 5}, DiagonalRow{5, 7}, DiagonalRow{8, 11},
                                           DiagonalRow{10, 14}, DiagonalRow{16, 22}, DiagonalRow{32, 45},
                                           DiagonalRow{64, 90}, DiagonalRow{255, 360}));

TEST_F(Scroll, CornerAtOriginWithStepTenMovesWindows14RightAnd14Down) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.snapshotWindows();
    desk.step = 10;
    sim::setCursor(0, 0);
    int dx = 0, dy = 0;
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 1);
    EXPECT_EQ(dx, -1);
    EXPECT_EQ(dy, -1);
    EXPECT_EQ(desk.scrollTick(dx, dy), 0);
    EXPECT_EQ(desk.viewX, 2048 - 14);
    EXPECT_EQ(desk.viewY, 1536 - 14);
    EXPECT_EQ(rectOf(w).left, 114);
    EXPECT_EQ(rectOf(w).top, 114);
}

struct EdgeRow {
    int x, y;
    int dirX, dirY;
};

void PrintTo(const EdgeRow& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ") -> (" << r.dirX << ", " << r.dirY << ")";
}

class EdgeBands : public DeskTest, public ::testing::WithParamInterface<EdgeRow> {};

TEST_P(EdgeBands, LowBandsAreOnePixelWider) {
    VirtualDesk desk;
    sim::setCursor(GetParam().x, GetParam().y);
    int dx = 7, dy = 7;
    const int hit = desk.detectEdge(&dx, &dy);
    EXPECT_EQ(dx, GetParam().dirX);
    EXPECT_EQ(dy, GetParam().dirY);
    EXPECT_EQ(hit, (dx != 0 || dy != 0) ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Scroll, EdgeBands,
    ::testing::Values(EdgeRow{0, 300, -1, 0}, EdgeRow{1, 300, -1, 0}, EdgeRow{2, 300, 0, 0},
                      EdgeRow{1022, 300, 0, 0}, EdgeRow{1023, 300, 1, 0}, EdgeRow{2000, 300, 1, 0},
                      EdgeRow{-50, 300, -1, 0}, EdgeRow{500, 0, 0, -1}, EdgeRow{500, 1, 0, -1},
                      EdgeRow{500, 2, 0, 0}, EdgeRow{500, 766, 0, 0}, EdgeRow{500, 767, 0, 1},
                      EdgeRow{1023, 767, 1, 1}, EdgeRow{0, 767, -1, 1}, EdgeRow{512, 384, 0, 0}));

TEST_F(Scroll, CtrlRequiredAndUpGivesNoEdge) {
    VirtualDesk desk;
    desk.needCtrl = 1;
    sim::setCursor(1023, 300);
    int dx = 5, dy = 5;
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 0);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
    sim::setKey(platform::kKeyControl, true);
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 1);
    EXPECT_EQ(dx, 1);
}

TEST_F(Scroll, APressSinceTheLastReadingDoesNotCountAsHeld) {
    VirtualDesk desk;
    desk.needCtrl = 1;
    sim::setCursor(1023, 300);
    sim::tapKey(platform::kKeyControl);  // pressed and released between two ticks
    int dx = 0, dy = 0;
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 0);
}

TEST_F(Scroll, BothSwitchesNeedBothKeys) {
    VirtualDesk desk;
    desk.needCtrl = 1;
    desk.needShift = 1;
    sim::setCursor(0, 300);
    int dx = 0, dy = 0;
    sim::setKey(platform::kKeyControl, true);
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 0);
    sim::setKey(platform::kKeyControl, false);
    sim::setKey(platform::kKeyShift, true);
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 0);
    sim::setKey(platform::kKeyControl, true);
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 1);
    EXPECT_EQ(dx, -1);
}

TEST_F(Scroll, FailedPointerQueryIsNoEdge) {
    VirtualDesk desk;
    sim::setCursor(0, 0);
    sim::failCursor(true);
    int dx = 3, dy = 3;
    EXPECT_EQ(desk.detectEdge(&dx, &dy), 0);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 0);
}

TEST_F(Scroll, ZeroDirectionsDoNothing) {
    platform::WindowHandle w = addWindow(10, 10, 50, 50);
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.scrollTick(0, 0), 0);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
}

TEST_F(Scroll, DirectionsAboveOneCountOnlyByTheirSign) {
    VirtualDesk desk;
    desk.step = 5;
    EXPECT_EQ(desk.scrollTick(7, 0), 0);
    EXPECT_EQ(desk.viewX, 2053);
    EXPECT_EQ(desk.scrollTick(0, -9), 0);
    EXPECT_EQ(desk.viewY, 1531);
}

TEST_F(Scroll, CornerAtTheRightBorderStillMovesVertically) {
    VirtualDesk desk;
    desk.moveViewTo(4096, 1536);
    desk.step = 10;
    EXPECT_EQ(desk.scrollTick(1, 1), 0);
    EXPECT_EQ(desk.viewX, 4096);
    EXPECT_EQ(desk.viewY, 1550);
}

TEST_F(Scroll, PageModeMovesAWholeScreenAndStopsAtTheBorder) {
    platform::WindowHandle w = addWindow(100, 100, 400, 300);
    VirtualDesk desk;
    desk.pageMode = 1;
    desk.snapshotWindows();
    EXPECT_EQ(desk.scrollTick(0, 1), 0);
    EXPECT_EQ(desk.viewY, 2304);
    EXPECT_EQ(rectOf(w).top, 100 - 768);
    desk.moveViewTo(2048, 3072);
    EXPECT_EQ(desk.viewY, 3072);
    EXPECT_EQ(desk.scrollTick(0, 1), -1);
    EXPECT_EQ(desk.viewY, 3072);
}

struct SnapRow {
    int x, y;
    int wantX, wantY;
};

void PrintTo(const SnapRow& r, std::ostream* os) {
    *os << "(" << r.x << ", " << r.y << ") -> (" << r.wantX << ", " << r.wantY << ")";
}

class PageSnap : public DeskTest, public ::testing::WithParamInterface<SnapRow> {};

TEST_P(PageSnap, MoveViewToSnapsTruncatingTowardZero) {
    VirtualDesk desk;
    desk.pageMode = 1;
    desk.moveViewTo(GetParam().x, GetParam().y);
    EXPECT_EQ(desk.viewX, GetParam().wantX);
    EXPECT_EQ(desk.viewY, GetParam().wantY);
}

INSTANTIATE_TEST_SUITE_P(Scroll, PageSnap,
                         ::testing::Values(SnapRow{1536, 1536, 2048, 1536},  // a half rounds up
                                           SnapRow{-600, 1536, 0, 1536},     // truncates toward zero
                                           SnapRow{-1600, 1536, 0, 1536},    // -1024, clamped to 0
                                           SnapRow{1500, 700, 1024, 768},
                                           SnapRow{5000, 5000, 4096, 3072},  // clamped
                                           SnapRow{INT32_MAX, INT32_MIN, 4096, 0}));

TEST_F(Scroll, MoveViewToWithoutPageModeClampsOnly) {
    VirtualDesk desk;
    EXPECT_EQ(desk.moveViewTo(1500, 700), 0);
    EXPECT_EQ(desk.viewX, 1500);
    EXPECT_EQ(desk.viewY, 700);
    EXPECT_EQ(desk.moveViewTo(-600, 99999), 0);
    EXPECT_EQ(desk.viewX, 0);
    EXPECT_EQ(desk.viewY, 3072);
    EXPECT_EQ(desk.moveViewTo(INT32_MIN, INT32_MAX), -1);  // clamped to nothing
}

TEST_F(Scroll, MoveViewToTheCurrentPositionDoesNothing) {
    platform::WindowHandle w = addWindow(10, 10, 50, 50);
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.moveViewTo(2048, 1536), 0);
    desk.pageMode = 1;
    desk.moveViewTo(2048, 1536);  // snaps to 2048, 1536: already there
    EXPECT_EQ(desk.moveViewTo(2100, 1600), 0);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
}

TEST_F(Scroll, RowsAreUpdatedBeforeEachMove) {
    platform::WindowHandle a = addWindow(10, 20, 50, 60);
    platform::WindowHandle b = addWindow(-3000, 900, 70, 80);
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.moveViewBy(-7, 11), 0);
    EXPECT_EQ(desk.windows[0].x, 17);
    EXPECT_EQ(desk.windows[0].y, 9);
    EXPECT_EQ(desk.windows[1].x, -2993);
    EXPECT_EQ(desk.windows[1].y, 889);
    EXPECT_EQ(rectOf(a).left, 17);
    EXPECT_EQ(rectOf(a).bottom, 69);
    EXPECT_EQ(rectOf(b).left, -2993);
    EXPECT_EQ(rectOf(b).right, -2923);
}

TEST_F(Scroll, ARefusedMoveKeepsTheRowsNewCoordinates) {
    platform::WindowHandle a = addWindow(10, 20, 50, 60);
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::window(a)->refuseMove = true;
    EXPECT_EQ(desk.moveViewBy(5, 0), 0);
    EXPECT_EQ(desk.windows[0].x, 5);
    EXPECT_EQ(rectOf(a).left, 10);
}

TEST_F(Scroll, LeftBorderIsTestedFirst) {
    VirtualDesk desk;
    desk.moveViewTo(3, 1536);
    EXPECT_EQ(desk.moveViewBy(-10, 0), 0);
    EXPECT_EQ(desk.viewX, 0);
    EXPECT_EQ(desk.moveViewBy(-10, 0), -1);
}

TEST_F(Scroll, EmptyTableStillMovesTheView) {
    VirtualDesk desk;
    desk.snapshotWindows();
    EXPECT_EQ(desk.moveViewBy(100, 0), 0);
    EXPECT_EQ(desk.viewX, 2148);
}

TEST_F(Scroll, StepAcceleratesToMaxAndResetsToMin) {
    VirtualDesk desk;
    desk.maxStep = 3;
    desk.accelerateStep();
    desk.accelerateStep();
    desk.accelerateStep();
    EXPECT_EQ(desk.step, 3);
    EXPECT_EQ(desk.resetStep(), 0);
    EXPECT_EQ(desk.step, 1);
}

TEST_F(Scroll, MinStepAboveMaxStepNeverGrows) {
    VirtualDesk desk;
    desk.minStep = 10;
    desk.maxStep = 5;
    desk.resetStep();
    desk.accelerateStep();
    EXPECT_EQ(desk.step, 10);
}

TEST_F(Scroll, StepAboveALoweredMaxStepIsKeptUntilReset) {
    VirtualDesk desk;
    desk.step = 40;
    desk.maxStep = 20;
    desk.accelerateStep();
    EXPECT_EQ(desk.step, 40);
    desk.resetStep();
    EXPECT_EQ(desk.step, 1);
}

TEST_F(Scroll, OnlyTableRowsMove) {
    platform::WindowHandle moved = addWindow(10, 10, 100, 100);
    sim::SimWindow min;
    min.title = "min";
    min.className = "C";
    min.showCmd = platform::kShowMinimized;
    min.normal = min.rect = {0, 0, 100, 100};
    platform::WindowHandle minimized = sim::addWindow(min);
    platform::WindowHandle tray = addWindow(0, 738, 1024, 30, "", "Shell_TrayWnd");
    VirtualDesk desk;
    desk.snapshotWindows();
    desk.moveViewBy(50, 0);
    EXPECT_EQ(sim::window(moved)->moveCount, 1);
    EXPECT_EQ(sim::window(minimized)->moveCount, 0);
    EXPECT_EQ(sim::window(tray)->moveCount, 0);
}

}  // namespace
