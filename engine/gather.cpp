// Re-fit after the virtual desktop shrinks, and the gathering at exit.
#include <cstring>

#include "engine/virtual_desk.h"

namespace {

constexpr int kGatherSlack = 50;

// Classes the gathering leaves alone (no tooltip test there, unlike the snapshot).
constexpr const char* kGatherExcludedClasses[] = {"BaseBar", "Shell_TrayWnd", "Progman"};

constexpr const char* kTaskbarClass = "Shell_TrayWnd";

struct Margins {
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t left = 0;
    int32_t right = 0;
};

}  // namespace

int VirtualDesk::refitWindows() {
    // 1, 2. Bring the view inside the smaller desktop.
    int x = viewX < virtualWidth - screenWidth ? viewX : virtualWidth - screenWidth;
    int y = viewY < virtualHeight - screenHeight ? viewY : virtualHeight - screenHeight;
    moveViewTo(x, y);

    // 3. The desktop in screen coordinates, from x and y of step 1.
    const int left = -x;
    const int right = virtualWidth - x;
    const int top = -y;
    const int bottom = virtualHeight - y;

    // 4. Every visible top-level window, with no other test.
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        if (!platform::isWindowVisible(window)) continue;
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        if (r.left < left) {
            int shift = left - r.left;
            r.left += shift;
            r.right += shift;
        } else if (r.right > right) {
            int shift = r.right - right;
            r.left -= shift;
            r.right -= shift;
        }
        if (r.top < top) {
            int shift = top - r.top;
            r.top += shift;
            r.bottom += shift;
        } else if (r.bottom > bottom) {
            int shift = r.bottom - bottom;
            r.top -= shift;
            r.bottom -= shift;
        }
        platform::moveWindow(window, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return kStatusOk;
}

int VirtualDesk::gatherWindows() {
    // 1. The table is cleared; windowCount is left as it is.
    std::memset(windows, 0, sizeof windows);

    char title[kTitleSize];
    char className[kTitleSize];

    // 2. Work-area margins from every taskbar, visible or not; a later one
    // overwrites what its rules set.
    Margins m;
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        className[0] = '\0';
        platform::getClassName(window, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
        if (std::strcmp(className, kTaskbarClass) != 0) continue;
        platform::Rect r{};
        platform::getWindowRect(window, &r);
        if (r.top <= 0 && r.bottom < screenHeight) m.top = r.bottom;
        if (r.left <= 0 && r.right < screenWidth) m.left = r.right;
        if (r.left <= 0 && r.top > 0) m.bottom = screenHeight - r.top;
        if (r.top <= 0 && r.left > 0) m.right = screenWidth - r.left;
    }

    // 3. Every visible window onto the work area. A normal window that refuses
    // to move does not strand the windows below it: the walk goes on and the
    // refusal is reported at the end.
    int result = kStatusOk;
    for (platform::WindowHandle window = platform::topWindow(); window != 0;
         window = platform::nextWindow(window)) {
        if (!platform::isWindowVisible(window)) continue;
        platform::Placement placement{};
        platform::getWindowPlacement(window, &placement);

        if (placement.showCmd == platform::kShowMaximized) {
            platform::setWindowPos(window, m.left - frameInset, m.top - frameInset);
            continue;
        }
        if (placement.showCmd != platform::kShowNormal) continue;

        title[0] = '\0';
        platform::getWindowText(window, title, kTitleSize);
        title[kTitleSize - 1] = '\0';
        if (placement.normal.left == placement.normal.right ||
            placement.normal.top == placement.normal.bottom)
            continue;
        if (std::strcmp(title, kNavigatorTitle) == 0) continue;
        className[0] = '\0';
        platform::getClassName(window, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
        bool excluded = false;
        for (const char* name : kGatherExcludedClasses) {
            if (std::strcmp(className, name) == 0) {
                excluded = true;
                break;
            }
        }
        if (excluded) continue;

        platform::Rect r{};
        platform::getWindowRect(window, &r);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        int x;
        if (r.right <= m.left + kGatherSlack) {
            x = m.left;
        } else if (r.left <= screenWidth - m.right - kGatherSlack) {
            x = r.left;
        } else {
            x = screenWidth - m.right - width;
        }
        int y;
        if (r.top <= screenHeight - m.bottom - kGatherSlack) {
            y = r.top >= m.top ? r.top : m.top;
        } else {
            y = screenHeight - m.bottom - height;
        }
        if (!platform::setWindowPos(window, x, y)) result = kGatherRefused;
    }
    return result;
}
