// VirtualDesk construction, geometry, drawing objects and destruction.
#include <cstring>

#include "store/settings_check.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

class Desk : public DeskTest {};

TEST_F(Desk, DefaultsOnA1024x768ScreenWithoutFiles) {
    VirtualDesk desk;
    EXPECT_EQ(desk.mapDirty, 0);
    EXPECT_EQ(desk.windowCount, 0);
    EXPECT_EQ(desk.hScale, 5);
    EXPECT_EQ(desk.vScale, 5);
    EXPECT_EQ(desk.screenWidth, 1024);
    EXPECT_EQ(desk.screenHeight, 768);
    EXPECT_EQ(desk.virtualWidth, 5120);
    EXPECT_EQ(desk.virtualHeight, 3840);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(desk.mapWidth(), 204);
    EXPECT_EQ(desk.mapHeight(), 153);
    EXPECT_EQ(desk.minStep, 1);
    EXPECT_EQ(desk.maxStep, 64);
    EXPECT_EQ(desk.step, 1);
    EXPECT_EQ(desk.edgeWidth, 1);
    EXPECT_EQ(desk.interval, 30u);
    EXPECT_EQ(desk.needCtrl, 0);
    EXPECT_EQ(desk.needShift, 0);
    EXPECT_EQ(desk.pageMode, 0);
    EXPECT_EQ(desk.moveMaximized, 1);
    EXPECT_EQ(desk.naviDivisor, 25);
    EXPECT_EQ(desk.naviMode, 2);
    EXPECT_EQ(desk.frameInset, 0);
    EXPECT_EQ(desk.hoverWindow, 0u);
    int x = -1, y = -1;
    EXPECT_EQ(desk.getNaviPos(&x, &y), 0);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    EXPECT_EQ(desk.gdiStatus, 0);

    // Tables and the fixed-window list start as zero bytes.
    static const WindowEntry zeroRows[kMaxWindows] = {};
    EXPECT_EQ(std::memcmp(desk.windows, zeroRows, sizeof zeroRows), 0);
    EXPECT_EQ(std::memcmp(desk.paintedWindows, zeroRows, sizeof zeroRows), 0);
    static const FixedWindowList zeroList = {};
    EXPECT_EQ(std::memcmp(&desk.fixedWindows, &zeroList, sizeof zeroList), 0);
}

TEST_F(Desk, AccessorsReadAndWriteTheirFields) {
    VirtualDesk desk;
    EXPECT_EQ(desk.getInterval(), 30u);
    EXPECT_EQ(desk.getNaviDivisor(), 25);
    EXPECT_EQ(desk.getScreenWidth(), 1024);
    EXPECT_EQ(desk.getScreenHeight(), 768);
    EXPECT_EQ(desk.getPageMode(), 0);
    EXPECT_EQ(desk.getHoverWindow(), 0u);
    EXPECT_EQ(desk.setFrameInset(4), 0);
    EXPECT_EQ(desk.frameInset, 4);
    EXPECT_EQ(desk.setNaviPos(300, 200), 0);
    int x = 0, y = 0;
    desk.getNaviPos(&x, &y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 200);
}

TEST_F(Desk, PageModeSnapsAFourByTwoDesktopToTheLowerScreenRow) {
    Settings s;
    s.hScale = 4;
    s.vScale = 2;
    s.pageMode = 1;
    writeFile("Wideroom.cfg", settingsRecord(s));
    VirtualDesk desk;
    EXPECT_EQ(desk.virtualWidth, 4096);
    EXPECT_EQ(desk.virtualHeight, 1536);
    EXPECT_EQ(desk.viewX, 2048);  // 1536 snapped
    EXPECT_EQ(desk.viewY, 768);   // 384 snapped
}

TEST_F(Desk, FourByTwoWithoutPageModeStaysInTheMiddle) {
    Settings s;
    s.hScale = 4;
    s.vScale = 2;
    writeFile("Wideroom.cfg", settingsRecord(s));
    VirtualDesk desk;
    EXPECT_EQ(desk.viewX, 1536);
    EXPECT_EQ(desk.viewY, 384);
}

TEST_F(Desk, ScaleOneGivesViewAtOriginAndA40x30Map) {
    Settings s;
    s.hScale = 1;
    s.vScale = 1;
    writeFile("Wideroom.cfg", settingsRecord(s));
    VirtualDesk desk;
    EXPECT_EQ(desk.viewX, 0);
    EXPECT_EQ(desk.viewY, 0);
    EXPECT_EQ(desk.mapWidth(), 40);
    EXPECT_EQ(desk.mapHeight(), 30);
}

TEST_F(Desk, PlacementFromAnotherScreenSizeIsIgnored) {
    writeFile("Wideroom.prv", placementRecord(24, 1280, 1024, 1, 300, 400));
    VirtualDesk desk;
    EXPECT_EQ(desk.naviMode, 2);
    EXPECT_EQ(desk.naviX, 0);
    EXPECT_EQ(desk.naviY, 0);
}

TEST_F(Desk, PlacementFromThisScreenSizeIsTaken) {
    writeFile("Wideroom.prv", placementRecord(24, 1024, 768, 1, 300, 400));
    VirtualDesk desk;
    EXPECT_EQ(desk.naviMode, 1);
    EXPECT_EQ(desk.naviX, 300);
    EXPECT_EQ(desk.naviY, 400);
}

TEST_F(Desk, SixDrawingObjectsWithTheirStylesAndColours) {
    VirtualDesk desk;
    struct Want {
        platform::DrawObject handle;
        bool pen;
        int width;
        int r, g, b;
    } want[] = {
        {desk.gridPen, true, 1, 128, 192, 255},      {desk.viewPen, true, 2, 255, 128, 0},
        {desk.framePen, true, 1, 32, 32, 64},        {desk.backBrush, false, 0, 96, 128, 255},
        {desk.windowBrush, false, 0, 255, 255, 192}, {desk.hoverBrush, false, 0, 255, 192, 192},
    };
    ASSERT_EQ(sim::drawObjects().size(), 6u);
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        const sim::DrawObjectInfo& o = sim::drawObjects()[static_cast<size_t>(i)];
        EXPECT_EQ(o.handle, want[i].handle);  // created in the table's order
        EXPECT_EQ(o.pen, want[i].pen);
        if (o.pen) {
            EXPECT_EQ(o.width, want[i].width);
        }
        EXPECT_EQ(o.red, want[i].r);
        EXPECT_EQ(o.green, want[i].g);
        EXPECT_EQ(o.blue, want[i].b);
        EXPECT_FALSE(o.deleted);
    }
}

TEST_F(Desk, FirstPenFailingCreatesNothingElseAndDestructionDeletesNothing) {
    sim::failDrawObjectCreation(1);
    {
        VirtualDesk desk;
        EXPECT_EQ(desk.gdiStatus, 1000);
        EXPECT_EQ(desk.gridPen, 0u);
        EXPECT_EQ(desk.viewPen, 0u);
        EXPECT_EQ(desk.framePen, 0u);
        EXPECT_EQ(desk.backBrush, 0u);
        EXPECT_EQ(desk.windowBrush, 0u);
        EXPECT_EQ(desk.hoverBrush, 0u);
        EXPECT_TRUE(sim::drawObjects().empty());
    }
    EXPECT_TRUE(sim::drawObjects().empty());
}

TEST_F(Desk, OnlyTheHoverBrushFailingDeletesTheOtherFive) {
    sim::failDrawObjectCreation(6);
    {
        VirtualDesk desk;
        EXPECT_EQ(desk.gdiStatus, 1005);
        EXPECT_NE(desk.windowBrush, 0u);
        EXPECT_EQ(desk.hoverBrush, 0u);
        EXPECT_EQ(sim::drawObjects().size(), 5u);
    }
    ASSERT_EQ(sim::drawObjects().size(), 5u);
    for (const auto& o : sim::drawObjects()) EXPECT_TRUE(o.deleted);
}

TEST_F(Desk, EachFailingObjectReportsItsCodeAndStopsTheRest) {
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        sim::reset();
        sim::failDrawObjectCreation(k);
        {
            VirtualDesk desk;
            EXPECT_EQ(desk.gdiStatus, 1000 + k - 1);
            EXPECT_EQ(sim::drawObjects().size(), static_cast<size_t>(k - 1));
        }
        for (const auto& o : sim::drawObjects()) EXPECT_TRUE(o.deleted);
    }
}

TEST_F(Desk, DestructionWritesThePlacementFileThenDeletesTheObjects) {
    {
        VirtualDesk desk;
        desk.naviMode = 1;
        desk.setNaviPos(-20, 700);
    }
    EXPECT_EQ(readFile("Wideroom.prv"), placementRecord(24, 1024, 768, 1, -20, 700));
    ASSERT_EQ(sim::drawObjects().size(), 6u);
    for (const auto& o : sim::drawObjects()) EXPECT_TRUE(o.deleted);
}

TEST_F(Desk, NavigatorPositionSurvivesARestart) {
    {
        VirtualDesk desk;
        desk.naviMode = 0;
        desk.setNaviPos(812, 5);
    }
    VirtualDesk again;
    EXPECT_EQ(again.naviMode, 0);
    EXPECT_EQ(again.naviX, 812);
    EXPECT_EQ(again.naviY, 5);
}

TEST_F(Desk, DefaultScalesStayInsideTheCoordinateRangeOnAVeryWideScreen) {
    sim::reset(7680, 4320);  // 5 x 7680 = 38400 would leave -32768..32767
    VirtualDesk desk;
    EXPECT_EQ(desk.hScale, 4);
    EXPECT_EQ(desk.vScale, 5);
    EXPECT_LE(desk.virtualWidth, settings_check::kMaxCoordinate);
    EXPECT_LE(desk.virtualHeight, settings_check::kMaxCoordinate);
    EXPECT_EQ(desk.viewX, desk.virtualWidth / 2 - 7680 / 2);
}

}  // namespace
