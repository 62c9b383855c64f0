// The wheel over the map whichever program has the focus. Windows 10 and 11
// send the wheel to the window under the pointer by default, but Windows 7
// and 8, Windows 10 with "Scroll inactive windows" off, and Wine send it to
// the focus window, which the navigator never is. So while the pointer is over
// the map the map pane follows the raw mouse input (RegisterRawInputDevices
// with RIDEV_INPUTSINK: WM_INPUT also while another program is in front), and
// only then: the raw input of every mouse move would otherwise come at all
// times. The main loop tells it at every tick where the pointer is (a
// registration only when that changes) and takes the raw input messages
// apart from its one message per tick.
#pragma once

#include <windows.h>

// The pointer is over the map (true) or not; registers or removes the raw
// input on a change. False from a failed registration leaves the wheel
// messages to do what they can.
void followRawWheel(HWND mapPane, bool overMap);
// True while the raw input carries the wheel over the map.
bool rawWheelFollowed();
// Dispatches the raw input messages that wait (all of them: each is small,
// and they must not take the place of the tick's one other message).
void dispatchRawInput();
