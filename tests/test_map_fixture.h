// A VirtualDesk on the in-memory desktop, set up field by field for the
// navigator's tests, and a rasteriser that turns the recorded canvas
// operations into pixels with the platform's drawing rules.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "engine/virtual_desk.h"
#include "platform/sim/sim_desktop.h"

namespace maptest {

// Fixed handles for the six drawing objects, so that the recorded
// selections name them whatever construction created.
constexpr platform::DrawObject kGridPen = 0x901;
constexpr platform::DrawObject kViewPen = 0x902;
constexpr platform::DrawObject kFramePen = 0x903;
constexpr platform::DrawObject kBackBrush = 0x904;
constexpr platform::DrawObject kWindowBrush = 0x905;
constexpr platform::DrawObject kHoverBrush = 0x906;

struct Geometry {
    int screenWidth;
    int screenHeight;
    int hScale;
    int vScale;
    int divisor;
};

constexpr Geometry kDefaultGeometry{1024, 768, 5, 5, 25};

inline void PrintTo(const Geometry& g, std::ostream* os) {
    *os << g.screenWidth << "x" << g.screenHeight << ", " << g.hScale << "x" << g.vScale << " screens, 1/"
        << g.divisor;
}

// Construction reads, and destruction writes, the two files in the current
// directory: each test runs in a directory of its own.
class MapTest : public ::testing::Test {
protected:
    void SetUp() override { useGeometry(kDefaultGeometry); }

    void TearDown() override {
        desk.reset();
        leaveTempDir();
    }

    // Fresh desktop and desk with the given geometry, the view in the middle
    // of the virtual desktop, an empty window table already painted.
    void useGeometry(const Geometry& g) {
        desk.reset();
        leaveTempDir();
        char pattern[] = "/tmp/wideroom-map-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        tempDir = pattern;
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(tempDir);

        sim::reset(g.screenWidth, g.screenHeight);
        desk = std::make_unique<VirtualDesk>();
        VirtualDesk& d = *desk;
        d.mapDirty = 0;
        std::memset(d.windows, 0, sizeof(d.windows));
        std::memset(d.paintedWindows, 0, sizeof(d.paintedWindows));
        d.windowCount = 0;
        d.hScale = g.hScale;
        d.vScale = g.vScale;
        d.screenWidth = g.screenWidth;
        d.screenHeight = g.screenHeight;
        d.virtualWidth = g.screenWidth * g.hScale;
        d.virtualHeight = g.screenHeight * g.vScale;
        d.naviMode = 2;
        d.viewX = d.virtualWidth / 2 - g.screenWidth / 2;
        d.viewY = d.virtualHeight / 2 - g.screenHeight / 2;
        d.paintedViewX = d.viewX;
        d.paintedViewY = d.viewY;
        d.minStep = 1;
        d.maxStep = 64;
        d.step = 1;
        d.interval = 30;
        d.pageMode = 0;
        d.naviDivisor = g.divisor;
        d.gridPen = kGridPen;
        d.viewPen = kViewPen;
        d.framePen = kFramePen;
        d.backBrush = kBackBrush;
        d.windowBrush = kWindowBrush;
        d.hoverBrush = kHoverBrush;
        d.gdiStatus = 0;
        d.hoverWindow = 0;
        sim::canvasOps().clear();
    }

    // A real window on the in-memory desktop and its row at the bottom of
    // the table (the table is topmost first).
    platform::WindowHandle addWindow(const std::string& title, int x, int y, int width, int height) {
        platform::WindowHandle h = sim::addWindow(title, "Sample", x, y, width, height);
        desk->windows[desk->windowCount++] = WindowEntry{h, x, y, width, height};
        return h;
    }

    // The map as a tick after painting leaves it: table painted, view seen,
    // mapDirty clear, no recorded drawing.
    void settle() {
        desk->paintMap(0);
        desk->mapChanged(1);
        sim::canvasOps().clear();
    }

    std::unique_ptr<VirtualDesk> desk;

private:
    void leaveTempDir() {
        if (tempDir.empty()) return;
        std::filesystem::current_path(oldDir);
        std::error_code ignored;
        std::filesystem::remove_all(tempDir, ignored);
        tempDir.clear();
    }

    std::string tempDir;
    std::filesystem::path oldDir;
};

// One label per pixel: '.' untouched, 'B' background, 'G' grid, 'F' window
// outline, 'W' window fill, 'H' hovered window fill, 'V' viewport frame.
// The rules are the platform's: a rectangle's right and bottom coordinates
// are exclusive; its outline lies on the outermost pixels inside them, and
// without an outline the fill stops one pixel short of both; a line does not
// draw its end point. Pens are drawn one pixel wide.
class Raster {
public:
    static constexpr int kMargin = 3;  // pixels kept around the map on every side

    Raster(int mapWidth, int mapHeight)
        : width(mapWidth),
          height(mapHeight),
          pixels((mapWidth + 2 * kMargin) * (mapHeight + 2 * kMargin), '.') {}

    char at(int x, int y) const {
        if (!inside(x, y)) return '?';
        return pixels[index(x, y)];
    }

    void run(const std::vector<sim::DrawOp>& ops) {
        for (const sim::DrawOp& op : ops) {
            switch (op.kind) {
                case sim::DrawOp::Select:
                    select(op.object);
                    break;
                case sim::DrawOp::Rectangle:
                    rectangle(op.a, op.b, op.c, op.d);
                    break;
                case sim::DrawOp::MoveTo:
                    curX = op.a;
                    curY = op.b;
                    break;
                case sim::DrawOp::LineTo:
                    line(op.a, op.b);
                    break;
            }
        }
    }

    const int width;
    const int height;

private:
    static char label(platform::DrawObject o) {
        switch (o) {
            case kGridPen:
                return 'G';
            case kViewPen:
                return 'V';
            case kFramePen:
                return 'F';
            case kBackBrush:
                return 'B';
            case kWindowBrush:
                return 'W';
            case kHoverBrush:
                return 'H';
            default:
                return 0;
        }
    }

    void select(platform::DrawObject o) {
        if (o == platform::nullPen()) {
            pen = 0;
        } else if (o == platform::nullBrush()) {
            brush = 0;
        } else if (o == kGridPen || o == kViewPen || o == kFramePen) {
            pen = label(o);
        } else {
            brush = label(o);
        }
    }

    bool inside(int x, int y) const {
        return x >= -kMargin && x < width + kMargin && y >= -kMargin && y < height + kMargin;
    }
    size_t index(int x, int y) const {
        return static_cast<size_t>((y + kMargin) * (width + 2 * kMargin) + (x + kMargin));
    }
    void set(int x, int y, char c) {
        if (c && inside(x, y)) pixels[index(x, y)] = c;
    }

    void rectangle(int l, int t, int r, int b) {
        if (!pen) {
            for (int y = t; y < b - 1; ++y)
                for (int x = l; x < r - 1; ++x) set(x, y, brush);
            return;
        }
        for (int y = t; y < b; ++y) {
            for (int x = l; x < r; ++x) {
                bool edge = x == l || x == r - 1 || y == t || y == b - 1;
                set(x, y, edge ? pen : brush);
            }
        }
    }

    // Horizontal and vertical lines only: all the map draws.
    void line(int x, int y) {
        if (x == curX) {
            for (int v = curY; v != y; v += y > curY ? 1 : -1) set(x, v, pen);
        } else if (y == curY) {
            for (int u = curX; u != x; u += x > curX ? 1 : -1) set(u, y, pen);
        } else {
            ADD_FAILURE() << "slanted line from (" << curX << ", " << curY << ") to (" << x << ", " << y
                          << ")";
        }
        curX = x;
        curY = y;
    }

    std::vector<char> pixels;
    char pen = 0;
    char brush = 0;
    int curX = 0;
    int curY = 0;
};

}  // namespace maptest
