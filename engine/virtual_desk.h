// The single engine object: settings, geometry, the view, the window table,
// the navigator's state and the map's drawing objects.
#pragma once

#include <cstdint>

#include "engine/monitors.h"
#include "engine/move_ledger.h"
#include "engine/out_of_reach.h"
#include "engine/rule_filter.h"
#include "engine/window_set.h"
#include "platform/desktop.h"
#include "store/records.h"

// One row of the window table: physical-screen coordinates of the outer
// rectangle. No padding on either word size, so rows compare bytewise.
struct WindowEntry {
    platform::WindowHandle window;
    int32_t x;
    int32_t y;
    int32_t width;
    int32_t height;
};

constexpr int kMaxWindows = 512;
static_assert(kLedgerRows == kMaxWindows, "the ledger keeps one slot index per table row");
constexpr int kTitleSize = 64;  // title and class buffers: at most 63 bytes

// Status codes.
constexpr int kStatusOk = 0;
constexpr int kFileCannotOpen = 1;
constexpr int kFileShort = 2;
constexpr int kFileBadHeader = 3;
constexpr int kNothingToMove = -1;
constexpr int kTableFull = 2001;
constexpr int kGatherRefused = 4001;
constexpr int kGdiGridPen = 1000;  // ... up to kGdiGridPen + 5 for hoverBrush

constexpr const char* kNavigatorTitle = "Wideroom Navigator";
constexpr const char* kSettingsTitle = "Wideroom 設定";

class VirtualDesk {
public:
    VirtualDesk();
    ~VirtualDesk();
    VirtualDesk(const VirtualDesk&) = delete;
    VirtualDesk& operator=(const VirtualDesk&) = delete;

    // Window table (snapshot.cpp).
    int snapshotWindows();

    // Edge detection and scrolling (scroll.cpp).
    int detectEdge(int* dirX, int* dirY);
    int scrollTick(int dirX, int dirY);
    int moveViewBy(int dx, int dy);
    // As moveViewBy, but `keep` (0: none) stays where it is on the screen, so
    // that it comes along to the new part of the virtual desktop.
    int moveViewKeeping(int dx, int dy, platform::WindowHandle keep);
    int moveViewTo(int x, int y);
    int accelerateStep();
    int resetStep();

    // Re-fit and gathering (gather.cpp).
    int refitWindows();
    int gatherWindows();

    // A change of the monitors or of their resolution (engine/display_change.cpp):
    // the geometry is derived again, the view kept and clamped and the
    // windows re-fitted. 0, or 1 when the layout is as it was.
    int takeDisplayChange();

    // The recovery record and putting windows back (engine/recovery.cpp).
    // Keeps "Wideroom.rcv" in step with the windows moved: written at most
    // every 250 ms while they move and at once when they stop (or when
    // `settled` is nonzero), removed when nothing stands moved. 0, or the
    // write's status.
    int keepRecoveryRecord(uint32_t now, int settled);
    // A normal end: no record is left.
    int dropRecoveryRecord();
    // At start-up: puts back the windows of a record left by a run that did
    // not end normally, each by its own offset and then into the work area
    // (minimized and maximized ones: their restore rectangles), removing the
    // record first. Only windows that are still the ones recorded (class,
    // program, top-level, same boot) move. 0, 1 (no record, or one that
    // cannot be removed: left unused) or 3 (not usable, or of an earlier
    // boot; removed).
    int recoverWindows(const char* name);
    // A crash or the end of the session: every window this run moved goes
    // back by its own offset into the work area now, the view returns to
    // where it started and the record is removed. Always 0.
    int gatherInEmergency();

    // Files and the settings exchange (store/files.cpp).
    int readSettings(const char* name);
    int writeSettings(const char* name);
    int readPlacement(const char* name);
    int writePlacement(const char* name);
    int exportSettings(SettingsImage* image);
    int importSettings(const SettingsImage* image);

    // Navigator map (navigator/map.cpp).
    int paintMap(platform::Canvas dc);
    int mapChanged(int clearDirty);
    int showWhileScrolling(platform::WindowHandle frame);
    int hideUnlessPinned(platform::WindowHandle frame);
    int togglePinned(platform::WindowHandle frame);

    // Hover test (navigator/hover.cpp).
    int updateHover(int mapX, int mapY);

    // Accessors.
    int mapWidth() const { return virtualWidth / naviDivisor; }
    int mapHeight() const { return virtualHeight / naviDivisor; }
    uint32_t getInterval() const { return interval; }
    int getNaviDivisor() const { return naviDivisor; }
    int getScreenWidth() const { return screenWidth; }
    int getScreenHeight() const { return screenHeight; }
    int getPageMode() const { return pageMode; }
    platform::WindowHandle getHoverWindow() const { return hoverWindow; }
    int setFrameInset(int value) {
        frameInset = value;
        return 0;
    }
    int setNaviPos(int x, int y) {
        naviX = x;
        naviY = y;
        return 0;
    }
    int getNaviPos(int* x, int* y) const {
        *x = naviX;
        *y = naviY;
        return 0;
    }

    // Fields, in their documented order. Public: the shell, the dialog logic
    // and the tests read them directly; the operations above keep the
    // invariants.
    int32_t mapDirty;
    WindowEntry windows[kMaxWindows];
    WindowEntry paintedWindows[kMaxWindows];
    FixedWindowList fixedWindows;
    int32_t windowCount;
    int32_t hScale;
    int32_t vScale;
    int32_t virtualWidth;
    int32_t virtualHeight;
    int32_t screenWidth;
    int32_t screenHeight;
    int32_t naviMode;
    int32_t viewX;
    int32_t viewY;
    int32_t paintedViewX;
    int32_t paintedViewY;
    int32_t minStep;
    int32_t maxStep;
    int32_t step;
    int32_t edgeWidth;
    uint32_t interval;
    int32_t needCtrl;
    int32_t needShift;
    int32_t pageMode;
    int32_t moveMaximized;
    int32_t naviDivisor;
    platform::DrawObject gridPen;
    platform::DrawObject viewPen;
    platform::DrawObject framePen;
    platform::DrawObject backBrush;
    platform::DrawObject windowBrush;
    platform::DrawObject hoverBrush;
    int32_t gdiStatus;
    int32_t frameInset;
    int32_t naviX;
    int32_t naviY;
    platform::WindowHandle hoverWindow;
    // Moves in flight, hung windows and offsets of the windows moved.
    MoveLedger moves;
    // The monitors; screenWidth and screenHeight are their virtual screen's.
    MonitorLayout monitors;
    // Windows of elevated programs: left where they stand, marked in the map.
    OutOfReach outOfReach;
    // Rows of windows on another virtual desktop of the system: they move
    // with the view but are not drawn in the map (this pass's).
    WindowSet<64> offMap;
    // The window rules in force: "stay" windows are left out of the table like
    // fixed ones, "ignore" windows are left alone by every walk.
    RuleFilter rules;

private:
    // virtualWidth and virtualHeight from the screen, the scales kept inside
    // the platform's coordinate range on it.
    void deriveDesktopSize();
    // The re-fit into the given bounds with the view at (x, y); refitWindows,
    // and the display change, which leaves the shell's windows, maximized and
    // minimized ones and the navigator to the system and the shell.
    int refitInto(RefitArea* area, int x, int y, bool ordinaryOnly);
};
