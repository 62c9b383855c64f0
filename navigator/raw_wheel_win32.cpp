// Raw mouse input while the pointer is over the map.
#include "navigator/raw_wheel_win32.h"

namespace {

constexpr USHORT kGenericDesktop = 0x01;
constexpr USHORT kMouse = 0x02;

bool followed = false;

bool registerFor(HWND target, DWORD flags) {
    RAWINPUTDEVICE device{kGenericDesktop, kMouse, flags, target};
    return RegisterRawInputDevices(&device, 1, sizeof(device)) != 0;
}

}  // namespace

void followRawWheel(HWND mapPane, bool overMap) {
    if (overMap == followed) return;
    if (overMap) {
        followed = mapPane && registerFor(mapPane, RIDEV_INPUTSINK);
    } else {
        registerFor(nullptr, RIDEV_REMOVE);
        followed = false;
    }
}

bool rawWheelFollowed() { return followed; }

void dispatchRawInput() {
    if (!followed) return;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_INPUT, WM_INPUT, PM_REMOVE)) DispatchMessageW(&msg);
}
