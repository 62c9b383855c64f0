// The full-screen pause of the edges.
#include "engine/fullscreen_pause.h"

#include <cstring>

#include "engine/monitors.h"
#include "engine/virtual_desk.h"

namespace fullscreen_pause {

bool coversMonitor(const platform::Rect& w, const platform::Rect& m) {
    if (m.right <= m.left || m.bottom <= m.top) return false;
    return w.left <= m.left && w.top <= m.top && w.right >= m.right && w.bottom >= m.bottom;
}

bool shellBusy(int userState) {
    return userState == platform::kUserStateBusy || userState == platform::kUserStateD3dFullScreen ||
           userState == platform::kUserStatePresentationMode;
}

bool pauses(const Foreground& f, const MonitorLayout& monitors) {
    if (shellBusy(f.userState)) return true;
    if (!f.present) return false;
    // The shell's desktop and the desktop window itself (in front when no
    // window is active) cover every monitor.
    if (std::strcmp(f.className, "Progman") == 0 || std::strcmp(f.className, "WorkerW") == 0 ||
        std::strcmp(f.className, "#32769") == 0)
        return false;
    // A maximized window overhangs a monitor whose taskbar hides itself: an
    // ordinary window, not a full-screen one.
    if (f.showState == platform::kShowMaximized) return false;
    if (monitors.count() == 0) return false;
    return coversMonitor(f.rect, monitors.at(monitors.nearestTo(f.rect)).area);
}

}  // namespace fullscreen_pause

namespace {

fullscreen_pause::Foreground readForeground(char* className) {
    fullscreen_pause::Foreground f{false, {}, 0, className, 0};
    className[0] = '\0';
    const platform::WindowHandle window = platform::foregroundWindow();
    if (window != 0 && platform::getWindowRect(window, &f.rect)) {
        f.present = true;
        f.showState = platform::getShowState(window);
        platform::getClassName(window, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
    }
    return f;
}

}  // namespace

bool FullscreenPause::paused(const MonitorLayout& monitors, uint32_t now, bool atEdge, bool enabled) {
    if (!atEdge || !enabled) {
        checked = false;
        return false;
    }
    if (checked && now - checkedAt < kRecheckMs) return verdict;
    char className[kTitleSize];
    fullscreen_pause::Foreground f = readForeground(className);
    // The shell is asked only when the window alone does not settle it.
    if (!(f.present && fullscreen_pause::pauses(f, monitors)))
        f.userState = platform::userNotificationState();
    verdict = fullscreen_pause::pauses(f, monitors);
    checked = true;
    checkedAt = now;
    return verdict;
}
