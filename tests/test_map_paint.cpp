// Painting the navigator map: where every feature lands, in what order, and
// the copy of the table that the change test compares against.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/test_map_fixture.h"

namespace {

using maptest::Geometry;
using maptest::MapTest;
using maptest::Raster;

struct Box {
    int left, top, right, bottom;
    bool operator==(const Box&) const = default;
};

void PrintTo(const Box& b, std::ostream* os) {
    *os << "(" << b.left << ", " << b.top << ", " << b.right << ", " << b.bottom << ")";
}

std::vector<Box> rectangles() {
    std::vector<Box> out;
    for (const sim::DrawOp& op : sim::canvasOps()) {
        if (op.kind == sim::DrawOp::Rectangle) out.push_back({op.a, op.b, op.c, op.d});
    }
    return out;
}

std::string name(platform::DrawObject o) {
    if (o == platform::nullPen()) return "nullPen";
    if (o == platform::nullBrush()) return "nullBrush";
    switch (o) {
        case maptest::kGridPen:
            return "gridPen";
        case maptest::kViewPen:
            return "viewPen";
        case maptest::kFramePen:
            return "framePen";
        case maptest::kBackBrush:
            return "backBrush";
        case maptest::kWindowBrush:
            return "windowBrush";
        case maptest::kHoverBrush:
            return "hoverBrush";
    }
    return "object " + std::to_string(o);
}

std::vector<std::string> recorded() {
    std::vector<std::string> out;
    for (const sim::DrawOp& op : sim::canvasOps()) {
        switch (op.kind) {
            case sim::DrawOp::Select:
                out.push_back("select " + name(op.object));
                break;
            case sim::DrawOp::Rectangle:
                out.push_back("rect " + std::to_string(op.a) + " " + std::to_string(op.b) + " " +
                              std::to_string(op.c) + " " + std::to_string(op.d));
                break;
            case sim::DrawOp::MoveTo:
                out.push_back("move " + std::to_string(op.a) + " " + std::to_string(op.b));
                break;
            case sim::DrawOp::LineTo:
                out.push_back("line " + std::to_string(op.a) + " " + std::to_string(op.b));
                break;
        }
    }
    return out;
}

// With a 1024 x 768 screen, 5 x 5 screens and scale 1/25 the map is
// 204 x 153: the screen boundaries fall on these columns and rows.
TEST_F(MapTest, GridLinesLieOnEveryScreenBoundary) {
    desk->paintMap(0);
    std::vector<std::string> lines;
    for (const std::string& s : recorded()) {
        if (s.rfind("move", 0) == 0 || s.rfind("line", 0) == 0) lines.push_back(s);
    }
    std::vector<std::string> expected;
    for (int x : {-1, 39, 80, 121, 162, 203}) {
        expected.push_back("move " + std::to_string(x) + " 0");
        expected.push_back("line " + std::to_string(x) + " 153");
    }
    for (int y : {-1, 29, 60, 91, 121, 152}) {
        expected.push_back("move 0 " + std::to_string(y));
        expected.push_back("line 204 " + std::to_string(y));
    }
    EXPECT_EQ(lines, expected);
}

class MapCoverage : public MapTest, public ::testing::WithParamInterface<Geometry> {};

// The background fills exactly mapWidth x mapHeight pixels, and the last
// grid lines sit on the map's last column and row, not one beyond.
TEST_P(MapCoverage, MapFillsItsSizeExactlyWithGridOnItsLastColumnAndRow) {
    useGeometry(GetParam());
    const int w = desk->mapWidth();
    const int h = desk->mapHeight();
    desk->paintMap(0);
    Raster r(w, h);
    r.run(sim::canvasOps());

    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) ASSERT_NE(r.at(x, y), '.') << "unpainted (" << x << ", " << y << ")";
    }
    for (int y = 0; y < h; ++y) {
        EXPECT_EQ(r.at(w - 1, y), 'G') << "row " << y;
        EXPECT_EQ(r.at(w, y), '.') << "row " << y;
    }
    for (int x = 0; x < w; ++x) {
        EXPECT_EQ(r.at(x, h - 1), 'G') << "column " << x;
        EXPECT_EQ(r.at(x, h), '.') << "column " << x;
    }
    EXPECT_EQ(r.at(w, h), '.');
}

INSTANTIATE_TEST_SUITE_P(Geometries, MapCoverage,
                         ::testing::Values(Geometry{1024, 768, 5, 5, 25}, Geometry{1280, 1024, 3, 4, 7},
                                           Geometry{1366, 768, 4, 3, 9}, Geometry{1920, 1080, 3, 3, 13},
                                           Geometry{800, 600, 10, 10, 500}));

struct ViewCase {
    Geometry geometry;
    int viewX, viewY;
    Box frame;
};

void PrintTo(const ViewCase& c, std::ostream* os) {
    maptest::PrintTo(c.geometry, os);
    *os << ", view (" << c.viewX << ", " << c.viewY << ")";
}

class ViewportFrame : public MapTest, public ::testing::WithParamInterface<ViewCase> {};

// Each half of the frame's right and bottom is divided by itself, so the
// frame keeps the screen's map size wherever the view is.
TEST_P(ViewportFrame, FrameIsDrawnLastAtTheView) {
    const ViewCase& c = GetParam();
    useGeometry(c.geometry);
    desk->viewX = c.viewX;
    desk->viewY = c.viewY;
    desk->paintMap(0);
    std::vector<Box> boxes = rectangles();
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ(boxes.back(), c.frame);
}

INSTANTIATE_TEST_SUITE_P(
    Views, ViewportFrame,
    ::testing::Values(ViewCase{maptest::kDefaultGeometry, 2048, 1536, {81, 61, 120, 90}},
                      ViewCase{maptest::kDefaultGeometry, 0, 0, {0, 0, 39, 29}},
                      ViewCase{maptest::kDefaultGeometry, 4096, 3072, {163, 122, 202, 151}},
                      ViewCase{{1024, 768, 1, 1, 25}, 0, 0, {0, 0, 39, 29}},
                      ViewCase{{1280, 1024, 3, 4, 7}, 1290, 1030, {184, 147, 365, 292}}));

struct WindowCase {
    const char* what;
    int viewX, viewY;
    int x, y, width, height;
    Box expected;
};

void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.what; }

class WindowRectangle : public MapTest, public ::testing::WithParamInterface<WindowCase> {};

TEST_P(WindowRectangle, WindowIsDrawnAtItsVirtualPlaceTruncatedTowardZero) {
    const WindowCase& c = GetParam();
    desk->viewX = c.viewX;
    desk->viewY = c.viewY;
    addWindow("w", c.x, c.y, c.width, c.height);
    desk->paintMap(0);
    std::vector<Box> boxes = rectangles();
    ASSERT_EQ(boxes.size(), 3u);  // background, the window, the viewport
    EXPECT_EQ(boxes[1], c.expected) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Windows, WindowRectangle,
    ::testing::Values(WindowCase{"at the start view", 2048, 1536, 100, 50, 300, 200, {85, 63, 96, 70}},
                      WindowCase{
                          "straddling the left and top border", 0, 0, -30, -60, 100, 110, {-1, -2, 1, 1}},
                      WindowCase{"wholly left of the desktop", 0, 0, -80, -10, 30, 5, {-3, 0, -3, -1}},
                      WindowCase{"view offset cancels", 500, 400, -500, -400, 25, 25, {0, 0, 0, 0}}));

// Background, grid, the windows from the bottom of the Z order up with the
// hovered one in its own brush, the viewport last; then the table copy.
TEST_F(MapTest, PaintsBackgroundGridWindowsBottomUpThenViewport) {
    addWindow("top", 0, 0, 100, 100);
    platform::WindowHandle middle = addWindow("middle", 200, 0, 100, 100);
    addWindow("bottom", 400, 0, 100, 100);
    desk->hoverWindow = middle;
    desk->paintMap(0);

    std::vector<std::string> expected = {"select nullPen", "select backBrush", "rect 0 0 205 154",
                                         "select nullBrush", "select gridPen"};
    for (int x : {-1, 39, 80, 121, 162, 203}) {
        expected.push_back("move " + std::to_string(x) + " 0");
        expected.push_back("line " + std::to_string(x) + " 153");
    }
    for (int y : {-1, 29, 60, 91, 121, 152}) {
        expected.push_back("move 0 " + std::to_string(y));
        expected.push_back("line 204 " + std::to_string(y));
    }
    for (const char* s : {"select framePen", "select windowBrush", "rect 97 61 100 64",  // bottom
                          "select framePen", "select hoverBrush", "rect 89 61 92 64",    // middle, hovered
                          "select framePen", "select windowBrush", "rect 81 61 84 64",   // top
                          "select nullBrush", "select viewPen", "rect 81 61 120 90"}) {
        expected.push_back(s);
    }
    EXPECT_EQ(recorded(), expected);
}

// Where two windows overlap, the one higher in the Z order covers the
// other, whichever of them is highlighted.
TEST_F(MapTest, TopmostWindowCoversTheOneBelowWhereTheyOverlap) {
    platform::WindowHandle top = addWindow("top", 0, 0, 400, 300);
    platform::WindowHandle below = addWindow("below", 200, 150, 400, 300);
    struct Row {
        platform::WindowHandle hover;
        char overlap;    // inside both
        char belowOnly;  // inside the lower window only
    };
    for (const Row& row : {Row{top, 'H', 'W'}, Row{below, 'W', 'H'}, Row{0, 'W', 'W'}}) {
        desk->hoverWindow = row.hover;
        sim::canvasOps().clear();
        desk->paintMap(0);
        Raster r(desk->mapWidth(), desk->mapHeight());
        r.run(sim::canvasOps());
        EXPECT_EQ(r.at(92, 70), row.overlap) << "hover " << row.hover;
        EXPECT_EQ(r.at(100, 75), row.belowOnly) << "hover " << row.hover;
    }
}

TEST_F(MapTest, EmptyTablePaintsBackgroundGridAndViewportOnly) {
    desk->paintMap(0);
    EXPECT_EQ(rectangles(), (std::vector<Box>{{0, 0, 205, 154}, {81, 61, 120, 90}}));
    for (const sim::DrawOp& op : sim::canvasOps()) {
        if (op.kind != sim::DrawOp::Select) continue;
        EXPECT_NE(op.object, maptest::kFramePen);
        EXPECT_NE(op.object, maptest::kWindowBrush);
    }
}

// The copy covers all 512 rows, so a stale row beyond windowCount cannot
// keep the change test reporting forever.
TEST_F(MapTest, PaintingCopiesTheWholeTableIncludingRowsBeyondTheCount) {
    addWindow("w", 10, 20, 30, 40);
    desk->windows[kMaxWindows - 1] = WindowEntry{0x77, 1, 2, 3, 4};
    desk->paintMap(0);
    EXPECT_EQ(std::memcmp(desk->paintedWindows, desk->windows, sizeof(desk->windows)), 0);
}

// A scale of 0 can only come from a damaged settings file; it must not
// fault the painting.
TEST_F(MapTest, ZeroScalePaintsNothing) {
    desk->naviDivisor = 0;
    EXPECT_NE(desk->paintMap(0), 0);
    EXPECT_TRUE(sim::canvasOps().empty());
}

}  // namespace
