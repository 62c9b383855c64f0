// The least an edge-scrolling program must do while idle, for comparison with
// wideroom.exe under Wine: read the switch keys and the pointer at the main
// loop's pace (interval 30 ms + 10 ms), and nothing else. With "loop" it
// also does what the main loop does around the tick: a hidden window whose
// messages are peeked, the two button readings and the pointer in that
// window's coordinates. Runs until killed.
#include <windows.h>

#include <cstring>

#include "engine/tick.h"
#include "engine/virtual_desk.h"

int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], "tick") == 0) {
        static VirtualDesk desk;
        desk.naviMode = 0;
        TickState state;
        for (;;) pollTick(&desk, &state, 0, 0);
    }
    const bool loop = argc > 1 && std::strcmp(argv[1], "loop") == 0;
    HWND window = loop ? CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                         GetModuleHandleA(nullptr), nullptr)
                       : nullptr;
    for (;;) {
        GetAsyncKeyState(VK_CONTROL);
        GetAsyncKeyState(VK_SHIFT);
        POINT p;
        GetCursorPos(&p);
        Sleep(30);
        Sleep(10);
        if (!loop) continue;
        GetAsyncKeyState(VK_LBUTTON);
        GetAsyncKeyState(VK_RBUTTON);
        if (GetCursorPos(&p)) ScreenToClient(window, &p);
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
}
