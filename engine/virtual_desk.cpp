// VirtualDesk construction and destruction.
#include "engine/virtual_desk.h"

#include <cstring>

#include "engine/navi_mode.h"
#include "store/settings_check.h"

namespace {

struct DrawObjectDef {
    platform::DrawObject VirtualDesk::*field;
    bool pen;
    int width;
    uint8_t red, green, blue;
};

// The six drawing objects in creation order; object i reports kGdiGridPen + i.
constexpr DrawObjectDef kDrawObjects[] = {
    {&VirtualDesk::gridPen, true, 1, 128, 192, 255},      {&VirtualDesk::viewPen, true, 2, 255, 128, 0},
    {&VirtualDesk::framePen, true, 1, 32, 32, 64},        {&VirtualDesk::backBrush, false, 0, 96, 128, 255},
    {&VirtualDesk::windowBrush, false, 0, 255, 255, 192}, {&VirtualDesk::hoverBrush, false, 0, 255, 192, 192},
};

}  // namespace

VirtualDesk::VirtualDesk()
    // Settings defaults, in declaration order.
    : mapDirty(0),
      windows{},
      paintedWindows{},
      fixedWindows{},
      windowCount(0),
      hScale(5),
      vScale(5),
      virtualWidth(0),
      virtualHeight(0),
      screenWidth(0),
      screenHeight(0),
      naviMode(kNaviPinned),
      viewX(0),
      viewY(0),
      paintedViewX(0),  // any start value serves: the pane is painted when first shown
      paintedViewY(0),
      minStep(1),
      maxStep(64),
      step(0),
      edgeWidth(1),
      interval(30),
      needCtrl(0),
      needShift(0),
      pageMode(0),
      moveMaximized(1),
      naviDivisor(25),
      gridPen(0),
      viewPen(0),
      framePen(0),
      backBrush(0),
      windowBrush(0),
      hoverBrush(0),
      gdiStatus(0),
      frameInset(0),
      naviX(0),
      naviY(0),
      hoverWindow(0) {
    // The screen: the rectangle that bounds all monitors.
    monitors.load();
    screenWidth = monitors.width();
    screenHeight = monitors.height();

    // No fixed windows until the settings file names some.
    std::memset(&fixedWindows, 0, sizeof fixedWindows);

    // The settings and placement files; a missing or bad one leaves the
    // defaults, so their results are ignored.
    readSettings(kSettingsFileName);
    readPlacement(kPlacementFileName);

    // Measured by the shell once the engine exists.
    frameInset = 0;

    // Derived geometry, the view on the middle screen. The default scales are kept inside the platform's
    // coordinate range on very large screens (a file outside it is refused).
    deriveDesktopSize();
    viewX = virtualWidth / 2 - screenWidth / 2;
    viewY = virtualHeight / 2 - screenHeight / 2;
    if (pageMode != 0) {
        if (screenWidth > 0) viewX = screenWidth * ((viewX + screenWidth / 2) / screenWidth);
        if (screenHeight > 0) viewY = screenHeight * ((viewY + screenHeight / 2) / screenHeight);
    }

    // Where the windows stand unmoved; the recovery after a crash returns here.
    moves.startViewX = viewX;
    moves.startViewY = viewY;

    // Scrolling starts slow.
    step = minStep;

    // The map's drawing objects, stopping at the first failure.
    gdiStatus = 0;
    for (int i = 0; i < 6; ++i) {
        const DrawObjectDef& def = kDrawObjects[i];
        platform::DrawObject object = def.pen ? platform::createPen(def.width, def.red, def.green, def.blue)
                                              : platform::createSolidBrush(def.red, def.green, def.blue);
        if (object == 0) {
            gdiStatus = kGdiGridPen + i;
            break;
        }
        this->*def.field = object;
    }
}

void VirtualDesk::deriveDesktopSize() {
    hScale =
        settings_check::clampInt(hScale, settings_check::kMinScale, settings_check::maxScale(screenWidth));
    vScale =
        settings_check::clampInt(vScale, settings_check::kMinScale, settings_check::maxScale(screenHeight));
    virtualWidth = screenWidth * hScale;
    virtualHeight = screenHeight * vScale;
}

VirtualDesk::~VirtualDesk() {
    writePlacement(kPlacementFileName);
    for (const DrawObjectDef& def : kDrawObjects) {
        platform::DrawObject& object = this->*def.field;
        if (object != 0) {
            platform::deleteObject(object);
            object = 0;
        }
    }
}
