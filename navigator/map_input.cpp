// The pointer in the map pane.
#include "navigator/map_input.h"

#include "engine/virtual_desk.h"
#include "navigator/window_drag.h"

int32_t viewDragLatch = 0;
int32_t windowDragLatch = 0;
platform::WindowHandle dragWindow = 0;
int32_t lastMapX = 0;
int32_t lastMapY = 0;
char tipText[kTipTextSize] = {};

namespace {

// The hover test and the window drag read the position as signed, the view
// moves as unsigned; inside the client area both agree.
int32_t signedX(uint32_t pos) { return static_cast<int16_t>(pos & 0xffff); }
int32_t signedY(uint32_t pos) { return static_cast<int16_t>(pos >> 16); }
int32_t unsignedX(uint32_t pos) { return static_cast<int32_t>(pos & 0xffff); }
int32_t unsignedY(uint32_t pos) { return static_cast<int32_t>(pos >> 16); }

// Makes the map point the centre of the physical screen, as far as the
// virtual desktop allows.
void centreViewOn(VirtualDesk* desk, uint32_t pos) {
    const int32_t n = desk->getNaviDivisor();
    desk->moveViewTo(n * unsignedX(pos) - desk->getScreenWidth() / 2,
                     n * unsignedY(pos) - desk->getScreenHeight() / 2);
}

}  // namespace

TipAction mapLeftDown(VirtualDesk* desk, uint32_t pos) {
    viewDragLatch = 1;
    centreViewOn(desk, pos);
    // Blocking for an interval keeps a left drag to one view move per tick.
    platform::sleepMs(desk->getInterval());
    return kTipNone;
}

TipAction mapLeftUp() {
    viewDragLatch = 0;
    return kTipNone;
}

TipAction mapRightDown(VirtualDesk* desk, uint32_t pos) {
    lastMapX = signedX(pos);
    lastMapY = signedY(pos);
    desk->updateHover(lastMapX, lastMapY);
    dragWindow = desk->getHoverWindow();
    // An empty spot starts no drag but leaves a latch from an earlier one.
    if (dragWindow != 0) {
        windowDragLatch = 1;
        startDrag(desk, dragWindow);
    }
    return kTipNone;
}

TipAction mapRightUp() {
    windowDragLatch = 0;
    return kTipNone;
}

TipAction mapMouseMove(VirtualDesk* desk, platform::WindowHandle mapPane, uint32_t pos) {
    const int32_t x = signedX(pos);
    const int32_t y = signedY(pos);

    if (windowDragLatch == 1) {
        // A latch left over from an earlier drag with no window now: the
        // move does nothing until a tick or a right release clears it.
        if (dragWindow == 0) return kTipNone;
        const int32_t n = desk->getNaviDivisor();
        const int32_t dx = x - lastMapX;
        const int32_t dy = y - lastMapY;
        lastMapX = x;
        lastMapY = y;
        dragBy(desk, n * dx, n * dy);
        platform::getWindowText(dragWindow, tipText, kTipTextSize);
        return kTipSetText;
    }

    if (viewDragLatch == 1) {
        centreViewOn(desk, pos);
        platform::invalidateWindow(mapPane);
        platform::sleepMs(desk->getInterval());
    }
    desk->updateHover(x, y);
    const platform::WindowHandle hover = desk->getHoverWindow();
    if (hover == 0) return kTipPop;
    // Sends the title again only when the hovered window or the map changed.
    if (desk->mapChanged(0) == 0) return kTipNone;
    platform::getWindowText(hover, tipText, kTipTextSize);
    return kTipSetText;
}
