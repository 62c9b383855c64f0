// The navigator's Win32 side: the frame and map pane procedures and the
// map pane's tooltip.
#include "navigator/navigator_win32.h"

#include <commctrl.h>
#include <windowsx.h>

#include <cstddef>
#include <cstring>

#include "app/display.h"
#include "app/shell.h"
#include "engine/virtual_desk.h"
#include "navigator/map_input.h"
#include "navigator/map_wheel.h"
#include "platform/win32/narrow_text_win32.h"

namespace {

// The record up to lParam: the size every comctl32 accepts, with or without
// the version 6 manifest (the full record is refused by older ones).
constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOA, lParam) + sizeof(LPARAM);
#if defined(__i386__) || defined(_M_IX86)
static_assert(kToolInfoSize == 44, "TOOLINFOA up to lParam is 44 bytes on 32-bit Windows");
#endif

constexpr const char* kTooltipClass = "tooltips_class32";

// The platform's coordinate limit: no map of a usable desktop is larger.
constexpr LONG kMaxFrameSize = 32767;

// The whole owner window is the one tool, named by its handle.
TTTOOLINFOA toolFor(HWND owner, char* text) {
    TTTOOLINFOA info{};
    info.cbSize = kToolInfoSize;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = owner;
    info.uId = reinterpret_cast<UINT_PTR>(owner);
    info.hinst = nullptr;
    info.lpszText = text;
    return info;
}

void applyTip(TipAction action) {
    if (!naviTip) return;
    if (action == kTipPop) {
        naviTip->pop();
    } else if (action == kTipSetText) {
        naviTip->setText(tipText);
    }
}

uint32_t packedPos(LPARAM lParam) { return static_cast<uint32_t>(lParam); }

WheelState wheelState;

bool isWheel(UINT message) { return message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL; }

// A wheel turn with the pointer, in screen coordinates, at `at`: handled
// when that is over the map. The map is repainted at once.
bool wheelAt(POINT at, int delta, bool horizontal, bool shift) {
    if (settingsOpen || !desk || !mapPane || appOptions.navigator.wheelScrolls == 0) return false;
    RECT map;
    if (!GetWindowRect(mapPane, &map) || !PtInRect(&map, at)) return false;
    if (!horizontal && shift) {
        horizontal = true;
        delta = -delta;  // away from the user goes left
    }
    if (mapWheel(desk, &wheelState, delta, horizontal)) {
        RedrawWindow(mapPane, nullptr, nullptr, RDW_INVALIDATE);
        UpdateWindow(mapPane);
    }
    return true;
}

// A wheel message that reached the frame or the pane (the platform sends it
// to the window under the pointer or to the focus window).
bool onWheel(UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    return wheelAt(at, GET_WHEEL_DELTA_WPARAM(wParam), message == WM_MOUSEHWHEEL,
                   (GET_KEYSTATE_WPARAM(wParam) & MK_SHIFT) != 0);
}

// A press in the navigator does not activate it: the keyboard focus stays
// with the program the user works in.
INT_PTR noActivation(HWND dialog) {
    SetWindowLongPtrW(dialog, DWLP_MSGRESULT, MA_NOACTIVATE);
    return TRUE;
}

// Without activation nothing raises the frame: it is put on top of the
// topmost windows again when a window drag starts, so that the drag stays
// with it (Wine stacks a window opened later above it otherwise). Not on a
// left press: under Wine the restacking takes the keyboard from the program
// in front.
void keepOnTop() {
    if (navFrame)
        SetWindowPos(navFrame, HWND_TOPMOST, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

}  // namespace

INT_PTR CALLBACK navFrameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE && mapPane) return noActivation(dialog);
    if (isWheel(message) && onWheel(message, wParam, lParam)) return TRUE;
    // A double click on the caption pins or unpins the navigator.
    if (message == WM_NCLBUTTONDBLCLK && desk) desk->togglePinned(handleOf(navFrame));
    // The client area must be exactly the map, however small or large: without
    // this the platform keeps a captioned window at least as wide as its
    // caption needs and at most about as large as the screen, while the map of
    // a large desktop at a small divisor is larger (10 x 10 screens at 1/5 on
    // 1024 x 768: 2048 x 1536).
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = 1;
        info->ptMinTrackSize.y = 1;
        info->ptMaxTrackSize.x = kMaxFrameSize;
        info->ptMaxTrackSize.y = kMaxFrameSize;
    }
    // Moved to a monitor of another DPI: the system scales the frame; the
    // main loop then fits it to the map again, which keeps its size.
    if (message == WM_DPICHANGED) displayChanged = 1;
    // Carry out a pending repaint of the map at once. Null while the splash
    // uses this procedure.
    if (mapPane) UpdateWindow(mapPane);
    return 0;
}

INT_PTR CALLBACK mapPaneProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_MOUSEACTIVATE) return noActivation(dialog);
    // The settings dialog may be changing the geometry the map depends on.
    if (settingsOpen) return 0;
    // Handled here, or the default handling passes it on to the frame.
    if (isWheel(message) && onWheel(message, wParam, lParam)) return TRUE;
    if (desk) {
        switch (message) {
            case WM_PAINT: {
                PAINTSTRUCT ps;
                HDC dc = BeginPaint(dialog, &ps);
                desk->paintMap(reinterpret_cast<platform::Canvas>(dc));
                EndPaint(dialog, &ps);
                break;
            }
            case WM_LBUTTONDOWN:
                applyTip(mapLeftDown(desk, packedPos(lParam)));
                break;
            case WM_LBUTTONUP:
                applyTip(mapLeftUp());
                break;
            case WM_RBUTTONDOWN:
                keepOnTop();
                applyTip(mapRightDown(desk, packedPos(lParam)));
                break;
            case WM_RBUTTONUP:
                applyTip(mapRightUp());
                break;
            case WM_MOUSEMOVE:
                applyTip(mapMouseMove(desk, handleOf(dialog), packedPos(lParam)));
                break;
            default:
                break;
        }
    }
    if (navFrame) UpdateWindow(navFrame);
    return 0;
}

int NaviTip::create(HINSTANCE instance, HWND ownerWindow, const char* title) {
    tipWindow = nullptr;
    owner = ownerWindow;
    tipWindow = CreateWindowExA(0, kTooltipClass, title, TTS_ALWAYSTIP, CW_USEDEFAULT, CW_USEDEFAULT, 0, 0,
                                owner, nullptr, instance, nullptr);
    if (!tipWindow) return 1;
    char empty[1] = "";
    TTTOOLINFOA info = toolFor(owner, empty);
    SendMessageA(tipWindow, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    return 0;
}

int NaviTip::setText(const char* text) {
    if (!tipWindow) return 1;
    POINT cursor{};
    GetCursorPos(&cursor);

    // Titles are narrow bytes; longer ones are cut to 255.
    char shown[kTipTextSize];
    size_t length = text ? strnlen(text, kTipTextSize - 1) : 0;
    length = static_cast<size_t>(wholeCharLength(text, static_cast<int>(length)));
    if (length) std::memcpy(shown, text, length);
    shown[length] = '\0';
    TTTOOLINFOA info = toolFor(owner, shown);
    SendMessageA(tipWindow, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));

    // The control does not watch the owner's messages itself: tell it the
    // pointer moved over the tool. Screen coordinates; the tool is the whole
    // owner, so only "over the tool" matters.
    MSG relay{};
    relay.hwnd = owner;
    relay.message = WM_MOUSEMOVE;
    relay.wParam = 0;
    relay.lParam = MAKELPARAM(cursor.x, cursor.y);
    relay.time = GetMessageTime();
    relay.pt = cursor;
    SendMessageA(tipWindow, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relay));
    SendMessageA(tipWindow, TTM_UPDATE, 0, 0);
    return 0;
}

int NaviTip::pop() {
    if (!tipWindow) return 1;
    SendMessageA(tipWindow, TTM_POP, 0, 0);
    return 0;
}

int NaviTip::destroy() {
    if (!tipWindow) return 1;
    DestroyWindow(tipWindow);
    tipWindow = nullptr;
    return 0;
}
