// The pointer in the map pane: what the pane's window procedure does with
// button and move messages, kept apart from the window procedure itself.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

class VirtualDesk;

// Left button pressed in the map: the view follows the pointer.
extern int32_t viewDragLatch;
// Right button pressed over a window rectangle: that window follows.
extern int32_t windowDragLatch;
// The hovered window at the last right press, 0 when there was none.
extern platform::WindowHandle dragWindow;
// Pointer at the last right press or right-drag move, map pane coordinates.
extern int32_t lastMapX;
extern int32_t lastMapY;
constexpr int kTipTextSize = 256;  // at most 255 bytes of title
extern char tipText[kTipTextSize];

// What the pane's tooltip must do after a pointer message.
enum TipAction : int {
    kTipNone = 0,
    kTipPop = 1,
    kTipSetText = 2,  // show tipText
};

// pos is the message's packed position: x in the low 16 bits, y in the high
// 16 bits, map pane client coordinates.
TipAction mapLeftDown(VirtualDesk* desk, uint32_t pos);
TipAction mapLeftUp();
TipAction mapRightDown(VirtualDesk* desk, uint32_t pos);
TipAction mapRightUp();
TipAction mapMouseMove(VirtualDesk* desk, platform::WindowHandle mapPane, uint32_t pos);
