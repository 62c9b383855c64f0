// Several monitors: the virtual screen as the viewport, edges only at the
// layout's outer edges, the gathering and the re-fit per monitor, the map's
// monitor outlines, the navigator's saved place, cloaked windows and display
// changes while running. Layouts are tables of monitor rectangles.
#include <vector>

#include <cstring>

#include "engine/tick.h"
#include "store/recovery_record.h"
#include "test_engine_support.h"

using namespace engine_test;

namespace {

using Layout = std::vector<platform::Monitor>;

platform::Monitor mon(int l, int t, int r, int b, bool primary = false) {
    return sim::monitor(l, t, r, b, primary);
}

// The two-head layout of the end-to-end test: 1024 x 768 and 800 x 600 beside it.
const Layout kSideBySide{mon(0, 0, 1024, 768, true), mon(1024, 0, 1824, 600)};
const Layout kStacked{mon(0, 0, 1024, 768, true), mon(0, 768, 1024, 1536)};
// A primary of 1920 x 1080 with a lower 1280 x 1024 monitor on its left: the
// virtual screen starts at x = -1280.
const Layout kLeftOfPrimary{mon(0, 0, 1920, 1080, true), mon(-1280, 200, 0, 1224)};
const Layout kSingle{mon(0, 0, 1024, 768, true)};

class Monitors : public DeskTest {
protected:
    void use(const Layout& layout) { sim::setMonitors(layout); }
};

platform::Point topLeft(platform::WindowHandle h) { return {rectOf(h).left, rectOf(h).top}; }

// ---------------------------------------------------------------- geometry

TEST_F(Monitors, TheViewportIsTheRectangleThatBoundsAllMonitors) {
    struct Row {
        const Layout* layout;
        int width, height, left, top;
    };
    const Row rows[] = {
        {&kSingle, 1024, 768, 0, 0},
        {&kSideBySide, 1824, 768, 0, 0},
        {&kStacked, 1024, 1536, 0, 0},
        {&kLeftOfPrimary, 3200, 1224, -1280, 0},
    };
    for (const Row& row : rows) {
        use(*row.layout);
        VirtualDesk desk;
        EXPECT_EQ(desk.screenWidth, row.width);
        EXPECT_EQ(desk.screenHeight, row.height);
        EXPECT_EQ(desk.virtualWidth, 5 * row.width);
        EXPECT_EQ(desk.viewX, 5 * row.width / 2 - row.width / 2);
        EXPECT_EQ(desk.monitors.bounds().left, row.left);
        EXPECT_EQ(desk.monitors.bounds().top, row.top);
    }
}

TEST_F(Monitors, NoMonitorReportedFallsBackToTheDesktopWindow) {
    sim::reset(1280, 1024);
    use({});
    VirtualDesk desk;
    EXPECT_EQ(desk.screenWidth, 1280);
    EXPECT_EQ(desk.screenHeight, 1024);
    EXPECT_EQ(desk.monitors.count(), 1);
}

// ---------------------------------------------------------------- edges

TEST_F(Monitors, OnlyTheOuterEdgesOfTheLayoutScroll) {
    struct Row {
        const Layout* layout;
        int x, y, dirX, dirY;
    };
    const Row rows[] = {
        // One monitor: the single-screen bands.
        {&kSingle, 0, 300, -1, 0},
        {&kSingle, 1, 300, -1, 0},
        {&kSingle, 1022, 300, 0, 0},
        {&kSingle, 1023, 300, 1, 0},
        {&kSingle, 1023, 767, 1, 1},
        {&kSingle, 1500, 300, 1, 0},  // a reading off the screen
        // Side by side: the edge between them never scrolls.
        {&kSideBySide, 1023, 300, 0, 0},
        {&kSideBySide, 1024, 300, 0, 0},
        {&kSideBySide, 1025, 300, 0, 0},
        {&kSideBySide, 1823, 300, 1, 0},
        {&kSideBySide, 0, 300, -1, 0},
        // Below the short monitor nothing is right of the tall one.
        {&kSideBySide, 1023, 599, 0, 0},
        {&kSideBySide, 1023, 600, 1, 0},
        {&kSideBySide, 1023, 700, 1, 0},
        {&kSideBySide, 1500, 599, 0, 1},  // the short monitor's bottom
        {&kSideBySide, 1500, 0, 0, -1},
        {&kSideBySide, 500, 767, 0, 1},
        // Stacked.
        {&kStacked, 500, 767, 0, 0},
        {&kStacked, 500, 768, 0, 0},
        {&kStacked, 500, 769, 0, 0},
        {&kStacked, 500, 1535, 0, 1},
        {&kStacked, 500, 0, 0, -1},
        {&kStacked, 1023, 1000, 1, 0},
        // A lower monitor left of the primary.
        {&kLeftOfPrimary, 0, 500, 0, 0},
        {&kLeftOfPrimary, 0, 100, -1, 0},
        {&kLeftOfPrimary, -1, 500, 0, 0},
        {&kLeftOfPrimary, -1, 1100, 1, 0},
        {&kLeftOfPrimary, -1280, 500, -1, 0},
        {&kLeftOfPrimary, -500, 200, 0, -1},
        {&kLeftOfPrimary, -500, 1223, 0, 1},
        {&kLeftOfPrimary, 1000, 1079, 0, 1},
        {&kLeftOfPrimary, 1919, 0, 1, -1},
    };
    for (const Row& row : rows) {
        use(*row.layout);
        VirtualDesk desk;
        sim::setCursor(row.x, row.y);
        int dx = 9, dy = 9;
        const int hit = desk.detectEdge(&dx, &dy);
        EXPECT_EQ(dx, row.dirX) << "pointer at " << row.x << ", " << row.y;
        EXPECT_EQ(dy, row.dirY) << "pointer at " << row.x << ", " << row.y;
        EXPECT_EQ(hit, row.dirX != 0 || row.dirY != 0 ? 1 : 0);
    }
}

TEST_F(Monitors, PageModeSendsThePointerToTheCentreOfItsMonitor) {
    use(kSideBySide);
    writeFile(kSettingsFileName, settingsRecord(Settings{.pageMode = 1}));
    VirtualDesk desk;
    TickState state;
    sim::setCursor(1823, 300);
    const int before = desk.viewX;
    pollTick(&desk, &state, 0, 0);
    EXPECT_EQ(desk.viewX, before + 1824);
    EXPECT_EQ(sim::cursor().x, 1424);
    EXPECT_EQ(sim::cursor().y, 300);

    sim::setCursor(0, 700);
    pollTick(&desk, &state, 0, 0);
    EXPECT_EQ(sim::cursor().x, 512);
    EXPECT_EQ(sim::cursor().y, 384);
}

// ---------------------------------------------------------------- gathering

TEST_F(Monitors, GatheringUsesTheWorkAreaOfTheMonitorNearestEachWindow) {
    Layout layout = kSideBySide;
    use(layout);
    sim::addWindow("", "Shell_TrayWnd", 0, 748, 1024, 20);  // the primary's taskbar, at the bottom
    sim::addWindow("", "Shell_TrayWnd", 1024, 0, 800, 30);  // the second one's, at the top
    struct Row {
        platform::Rect rect;
        platform::Point gathered;
    };
    const Row rows[] = {
        {{4824, 200, 5224, 500}, {1424, 200}},  // 3000 px right of the layout: onto the second monitor
        {{1200, 100, 1500, 400}, {1200, 100}},  // on the second monitor: stays
        {{1200, 10, 1500, 300}, {1200, 30}},    // under its taskbar: below it
        {{-2000, -1500, -1600, -1200}, {0, 0}},
        {{100, 700, 500, 900}, {100, 548}},     // the primary's bottom taskbar
        {{1100, 650, 1400, 750}, {1100, 500}},  // below the short monitor: up onto it
        {{900, 650, 1000, 750}, {900, 650}},    // the same height on the tall one stays there
    };
    std::vector<platform::WindowHandle> windows;
    for (const Row& row : rows)
        windows.push_back(addWindow(row.rect.left, row.rect.top, row.rect.right - row.rect.left,
                                    row.rect.bottom - row.rect.top));
    sim::SimWindow maximized;
    maximized.title = "max";
    maximized.className = "C";
    maximized.showCmd = platform::kShowMaximized;
    maximized.normal = {1100, 100, 1500, 400};
    maximized.rect = {3000, 26, 3808, 604};  // scrolled away beside the second monitor
    const platform::WindowHandle max = sim::addWindow(maximized);

    VirtualDesk desk;
    desk.setFrameInset(4);
    EXPECT_EQ(desk.gatherWindows(), 0);
    for (size_t i = 0; i < windows.size(); ++i) {
        EXPECT_EQ(topLeft(windows[i]).x, rows[i].gathered.x) << "row " << i;
        EXPECT_EQ(topLeft(windows[i]).y, rows[i].gathered.y) << "row " << i;
    }
    EXPECT_EQ(topLeft(max).x, 1020);
    EXPECT_EQ(topLeft(max).y, 26);
}

TEST_F(Monitors, TheSystemsWorkAreaNarrowsTheGathering) {
    Layout layout = kStacked;
    layout[1].work = {0, 768, 1024, 1496};  // a bar the system knows of at the lower one's bottom
    use(layout);
    const platform::WindowHandle low = addWindow(100, 1480, 300, 200);
    const platform::WindowHandle high = addWindow(100, 500, 300, 200);
    VirtualDesk desk;
    desk.gatherWindows();
    EXPECT_EQ(topLeft(low).y, 1296);
    EXPECT_EQ(topLeft(high).y, 500);  // the upper one's area is all of it
}

TEST_F(Monitors, RecoveryPutsWindowsBackOntoTheMonitorNearestThem) {
    use(kSideBySide);
    // Left 3000 px off by a run that crashed; it stood below the short monitor.
    const platform::WindowHandle w = addWindow(-1900, 650, 300, 100);
    RecoveryEntry e{};
    e.window = w;
    e.offsetX = -3000;
    std::strncpy(e.className, "AppClass", sizeof e.className - 1);
    ASSERT_EQ(recovery_record::write("Wideroom.rcv", &e, 1), 0);
    VirtualDesk desk;
    EXPECT_EQ(desk.recoverWindows("Wideroom.rcv"), 0);
    EXPECT_EQ(topLeft(w).x, 1100);
    EXPECT_EQ(topLeft(w).y, 500);
}

// ---------------------------------------------------------------- re-fit

TEST_F(Monitors, RefitLeavesNoWindowWhereNoMonitorShowsIt) {
    use(kSideBySide);
    // Below the short monitor, right of everything the tall one can show:
    // inside the virtual desktop, but no view shows it once vScale drops to 4.
    VirtualDesk desk;
    ASSERT_EQ(desk.viewX, 3648);
    ASSERT_EQ(desk.viewY, 1536);
    const platform::WindowHandle corner = addWindow(5000, 1400, 200, 100);
    const platform::WindowHandle inside = addWindow(4000, 1300, 200, 100);
    SettingsImage image;
    desk.exportSettings(&image);
    image.vScale = 4;
    desk.importSettings(&image);
    // The short monitor shows down to 600 + (3072 - 768 - 1536) = 1368.
    EXPECT_EQ(topLeft(corner).x, 5000);
    EXPECT_EQ(topLeft(corner).y, 1268);
    EXPECT_EQ(topLeft(inside).x, 4000);
    EXPECT_EQ(topLeft(inside).y, 1300);
}

// ---------------------------------------------------------------- map

std::vector<platform::Rect> rectanglesAfter(platform::DrawObject pen) {
    std::vector<platform::Rect> out;
    bool selected = false;
    for (const sim::DrawOp& op : sim::canvasOps()) {
        if (op.kind == sim::DrawOp::Select && op.object == pen) selected = true;
        if (selected && op.kind == sim::DrawOp::Rectangle) out.push_back({op.a, op.b, op.c, op.d});
    }
    return out;
}

TEST_F(Monitors, TheMapOutlinesEveryMonitorInsideTheViewportFrame) {
    struct Row {
        const Layout* layout;
        std::vector<platform::Rect> drawn;  // monitors, then the frame
    };
    // Side by side: view (3648, 1536), 1/25: the frame starts at (145, 61).
    // Stacked: view (2048, 3072) at (81, 122). Left of the primary: view
    // (6400, 2448) at (256, 97).
    const Row rows[] = {
        {&kSingle, {{81, 61, 120, 90}}},
        {&kSideBySide, {{145, 61, 184, 90}, {185, 61, 216, 84}, {145, 61, 216, 90}}},
        {&kStacked, {{81, 122, 120, 151}, {81, 152, 120, 182}, {81, 122, 120, 182}}},
        {&kLeftOfPrimary, {{307, 97, 383, 139}, {256, 105, 306, 144}, {256, 97, 383, 144}}},
    };
    for (const Row& row : rows) {
        use(*row.layout);
        VirtualDesk desk;
        sim::canvasOps().clear();
        desk.paintMap(0);
        const std::vector<platform::Rect> drawn = rectanglesAfter(desk.viewPen);
        ASSERT_EQ(drawn.size(), row.drawn.size());
        for (size_t i = 0; i < drawn.size(); ++i) {
            EXPECT_EQ(drawn[i].left, row.drawn[i].left) << i;
            EXPECT_EQ(drawn[i].top, row.drawn[i].top) << i;
            EXPECT_EQ(drawn[i].right, row.drawn[i].right) << i;
            EXPECT_EQ(drawn[i].bottom, row.drawn[i].bottom) << i;
        }
    }
}

TEST_F(Monitors, WindowsLeftOfThePrimaryLieInTheViewportOnTheMap) {
    use(kLeftOfPrimary);
    // At the left monitor's top-left corner: the viewport's left edge.
    const platform::WindowHandle w = addWindow(-1280, 200, 500, 250);
    VirtualDesk desk;
    desk.snapshotWindows();
    sim::canvasOps().clear();
    desk.paintMap(0);
    const std::vector<platform::Rect> windows = rectanglesAfter(desk.framePen);
    ASSERT_FALSE(windows.empty());
    EXPECT_EQ(windows[0].left, 6400 / 25);
    EXPECT_EQ(windows[0].top, (200 + 2448) / 25);
    // The hover test finds it at the same map point.
    desk.updateHover(6400 / 25 + 2, (200 + 2448) / 25 + 2);
    EXPECT_EQ(desk.hoverWindow, w);
}

// ---------------------------------------------------------------- navigator

TEST_F(Monitors, TheNavigatorsSavedPlaceCountsOnlyOnAPresentMonitor) {
    Layout layout = kSideBySide;
    layout[0].work = {0, 30, 1024, 768};  // a taskbar at the primary's top
    use(layout);
    VirtualDesk desk;
    struct Row {
        platform::Point saved, placed;
    };
    const Row rows[] = {
        {{0, 30}, {0, 30}},     {{1600, 500}, {1600, 500}}, {{1100, 700}, {0, 30}},
        {{-300, 100}, {0, 30}}, {{1823, 599}, {1823, 599}}, {{1824, 0}, {0, 30}},
    };
    for (const Row& row : rows) {
        const platform::Point p = desk.monitors.placeOnMonitor(row.saved);
        EXPECT_EQ(p.x, row.placed.x) << row.saved.x << ", " << row.saved.y;
        EXPECT_EQ(p.y, row.placed.y) << row.saved.x << ", " << row.saved.y;
    }
}

TEST_F(Monitors, ThePlacementFileRecordsTheVirtualScreen) {
    use(kSideBySide);
    { VirtualDesk desk; }
    const std::vector<unsigned char> bytes = readFile(kPlacementFileName);
    ASSERT_EQ(bytes.size(), 24u);
    EXPECT_EQ(getWord(bytes, 4), 1824);
    EXPECT_EQ(getWord(bytes, 8), 768);
}

// ---------------------------------------------------------------- cloaked

TEST_F(Monitors, CloakedWindowsAreLeftOutLikeHiddenOnes) {
    addCloakedWindow(100, 100, 300, 200, "on another desktop", "C");
    const platform::WindowHandle shown = addWindow(200, 200, 300, 200);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.windowCount, 1);
    EXPECT_EQ(desk.windows[0].window, shown);
}

// ---------------------------------------------------------------- display changes

TEST_F(Monitors, AnUnchangedLayoutChangesNothing) {
    use(kSideBySide);
    const platform::WindowHandle w = addWindow(100, 100, 300, 200);
    VirtualDesk desk;
    desk.mapDirty = 0;
    EXPECT_EQ(desk.takeDisplayChange(), 1);
    EXPECT_EQ(sim::window(w)->moveCount, 0);
    EXPECT_EQ(desk.mapDirty, 0);
}

TEST_F(Monitors, AMonitorRemovedWhileRunning) {
    use(kSideBySide);
    const platform::WindowHandle onSecond = addWindow(1200, 100, 300, 300);
    const platform::WindowHandle onFirst = addWindow(100, 100, 300, 200);
    const platform::WindowHandle away = addWindow(4000, 100, 300, 200);  // far right of the view
    sim::SimWindow minimized;
    minimized.title = "min";
    minimized.className = "C";
    minimized.showCmd = platform::kShowMinimized;
    minimized.normal = {1200, 100, 1500, 400};
    minimized.rect = {-32000, -32000, -31840, -31969};
    const platform::WindowHandle min = sim::addWindow(minimized);
    const platform::WindowHandle taskbar = sim::addWindow("", "Shell_TrayWnd", 1024, 0, 800, 30);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.viewX, 3648);

    use(kSingle);
    EXPECT_EQ(desk.takeDisplayChange(), 0);
    EXPECT_EQ(desk.screenWidth, 1024);
    EXPECT_EQ(desk.screenHeight, 768);
    EXPECT_EQ(desk.virtualWidth, 5120);
    EXPECT_EQ(desk.viewX, 3648);  // kept: inside 0 .. 4096
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(desk.mapDirty, 1);
    // The window the removed monitor showed comes onto the one left.
    EXPECT_EQ(topLeft(onSecond).x, 724);
    EXPECT_EQ(topLeft(onSecond).y, 100);
    EXPECT_EQ(topLeft(onFirst).x, 100);
    // The far one comes inside the smaller desktop: right edge 5120 - 3648.
    EXPECT_EQ(rectOf(away).right, 1472);
    // Minimized windows and the shell's are the system's to place.
    EXPECT_EQ(sim::window(min)->moveCount, 0);
    EXPECT_EQ(sim::window(taskbar)->moveCount, 0);
    // The edge where the second monitor was scrolls now.
    sim::setCursor(1023, 300);
    int dx = 0, dy = 0;
    desk.detectEdge(&dx, &dy);
    EXPECT_EQ(dx, 1);
}

TEST_F(Monitors, AResolutionChangeKeepsTheViewAndTheWindowsOnTheScreen) {
    const platform::WindowHandle right = addWindow(700, 100, 300, 200);
    const platform::WindowHandle low = addWindow(100, 500, 300, 200);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.viewX, 2048);

    use({mon(0, 0, 800, 600, true)});
    desk.takeDisplayChange();
    EXPECT_EQ(desk.virtualWidth, 4000);
    EXPECT_EQ(desk.virtualHeight, 3000);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(desk.viewY, 1536);
    EXPECT_EQ(topLeft(right).x, 500);
    EXPECT_EQ(topLeft(low).y, 400);
    sim::setCursor(799, 300);
    int dx = 0, dy = 0;
    desk.detectEdge(&dx, &dy);
    EXPECT_EQ(dx, 1);

    // Back: nothing on the screen has to move, and the view stays.
    use(kSingle);
    desk.snapshotWindows();
    desk.takeDisplayChange();
    EXPECT_EQ(desk.virtualWidth, 5120);
    EXPECT_EQ(desk.viewX, 2048);
    EXPECT_EQ(topLeft(right).x, 500);
    EXPECT_EQ(topLeft(low).y, 400);
}

TEST_F(Monitors, ALargeDropClampsTheViewAndThePageModeSnap) {
    writeFile(kSettingsFileName, settingsRecord(Settings{.pageMode = 1}));
    VirtualDesk desk;
    desk.moveViewTo(4096, 3072);  // the bottom-right screen
    ASSERT_EQ(desk.viewX, 4096);
    use({mon(0, 0, 640, 480, true)});
    desk.takeDisplayChange();
    EXPECT_EQ(desk.viewX, 2560);  // 5 x 640 - 640
    EXPECT_EQ(desk.viewY, 1920);
    EXPECT_EQ(desk.moves.startViewX, 2048);  // still inside the smaller desktop
}

TEST_F(Monitors, AMonitorAddedLeftOfThePrimaryKeepsWhatThePrimaryShows) {
    use({mon(0, 0, 1920, 1080, true)});
    const platform::WindowHandle w = addWindow(100, 100, 300, 200);
    VirtualDesk desk;
    desk.snapshotWindows();
    ASSERT_EQ(desk.viewX, 3840);
    use(kLeftOfPrimary);
    desk.takeDisplayChange();
    // The virtual screen now starts 1280 px further left, and so does the view.
    EXPECT_EQ(desk.screenWidth, 3200);
    EXPECT_EQ(desk.viewX, 3840 - 1280);
    EXPECT_EQ(desk.moves.startViewX, 3840 - 1280);  // where an emergency puts the view back
    EXPECT_EQ(topLeft(w).x, 100);
    EXPECT_EQ(topLeft(w).y, 100);
}

}  // namespace
