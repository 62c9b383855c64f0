// The hidden command window: tray icon clicks, the command menu and its four
// commands, and the end of the main loop when the window goes.
#include "app/command_window.h"

#include <htmlhelp.h>

#include <cstring>

#include "app/command_server.h"
#include "app/display.h"
#include "app/hotkeys.h"
#include "app/language.h"
#include "app/shell.h"
#include "app/tray.h"
#include "engine/virtual_desk.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/settings_dialog_win32.h"

NOTIFYICONDATAA trayIcon{};
UINT taskbarCreatedMessage = 0;

namespace {

constexpr UINT kTrayFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
static_assert(kTrayFlags == 7);
constexpr const char* kTrayTip = "Wideroom";
constexpr int kTipFieldSize = 64;

#if defined(__i386__) || defined(_M_IX86)
static_assert(NOTIFYICONDATAA_V1_SIZE == 88, "the tray record is 88 bytes on 32-bit Windows");
#endif

constexpr UINT kTopmostShown = SWP_NOSIZE | SWP_NOMOVE | SWP_SHOWWINDOW;
static_assert(kTopmostShown == 0x43);

constexpr const char* kHelpLibrary = "hhctrl.ocx";
constexpr const char* kHelpEntry = "HtmlHelpA";

using HtmlHelpFunction = decltype(&HtmlHelpA);

// From the system folder only: the current folder, where the program and its
// files live, may hold a planted library of the same name.
HMODULE loadSystemLibrary(const char* name) {
    HMODULE library = LoadLibraryExA(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (library || GetLastError() != ERROR_INVALID_PARAMETER) return library;
    // A system without the search flags: the full path names the same file.
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    const size_t nameLength = std::strlen(name);
    if (length == 0 || length + 1 + nameLength >= MAX_PATH) return nullptr;
    path[length] = '\\';
    std::memcpy(path + length + 1, name, nameLength + 1);
    return LoadLibraryA(path);
}

void toggleSettingsDialog() {
    if (settingsDialog) {
        settingsOpen = 0;
        HWND dialog = settingsDialog;
        DestroyWindow(dialog);
        settingsDialog = nullptr;
        return;
    }
    // Ticks that nothing watched left the table as it was, and the settings
    // taken over move its rows: it is taken afresh, as a tick would.
    if (desk) desk->snapshotWindows();
    // Set first: the main loop stops ticking while the dialog exists.
    settingsOpen = 1;
    // The template's texts are UTF-16; the wide call keeps them whatever the
    // code page.
    HWND dialog = platform::createUiDialog(instance, IDD_SETTINGS, nullptr, settingsDialogProc);
    if (!dialog) {
        // No dialog to close it again: the loop must not stay blocked.
        settingsOpen = 0;
        settingsDialog = nullptr;
        return;
    }
    settingsDialog = dialog;
    SetWindowPos(dialog, HWND_TOPMOST, 0, 0, 0, 0, kTopmostShown);
}

void openCommandMenu(HWND window) {
    POINT at{};
    GetCursorPos(&at);
    // The menu closes on a click elsewhere only when its owner is in front.
    SetForegroundWindow(window);
    HMENU menu = GetSubMenu(GetMenu(window), 0);
    TrackPopupMenu(menu, 0, at.x, at.y, 0, window, nullptr);
    // Lets the menu loop finish cleanly before the next tray click.
    PostMessageA(window, WM_NULL, 0, 0);
}

void onTrayMessage(LPARAM lParam) {
    switch (LOWORD(lParam)) {
        case WM_LBUTTONDOWN:
            if (desk) desk->togglePinned(handleOf(navFrame));
            break;
        case WM_RBUTTONDOWN:
            openCommandMenu(mainWindow);
            break;
        default:
            break;
    }
}

void onCommand(WPARAM wParam) {
    switch (LOWORD(wParam)) {
        case IDM_SETTINGS:
            toggleSettingsDialog();
            break;
        case IDM_EXIT:
            running = 0;
            break;
        case IDM_ABOUT:
            platform::runUiDialog(instance, IDD_ABOUT, mainWindow, aboutDialogProc);
            break;
        case IDM_HELP:
            showHelp();
            break;
        default:
            break;
    }
}

}  // namespace

void fillTrayIcon(HWND owner, HICON icon) {
    trayIcon = NOTIFYICONDATAA{};
    trayIcon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    trayIcon.hWnd = owner;
    trayIcon.uID = 0;
    trayIcon.uFlags = kTrayFlags;
    trayIcon.uCallbackMessage = WM_TRAYICON;
    trayIcon.hIcon = icon;
    std::strncpy(trayIcon.szTip, kTrayTip, kTipFieldSize - 1);
}

void storeNaviPos() {
    RECT frame;
    if (desk && navFrame && GetWindowRect(navFrame, &frame)) desk->setNaviPos(frame.left, frame.top);
}

int showHelp() {
    static HtmlHelpFunction htmlHelp = nullptr;
    if (!htmlHelp) {
        HMODULE library = loadSystemLibrary(kHelpLibrary);
        if (!library) return 0;
        htmlHelp =
            reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(library, kHelpEntry)));
        if (!htmlHelp) {
            FreeLibrary(library);
            return 0;
        }
    }
    htmlHelp(GetDesktopWindow(), helpFilePath().c_str(), HH_DISPLAY_TOPIC, 0);
    return 0;
}

LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Registered ids share the range of the tray callback id; the taskbar's
    // notice carries no mouse message, so the two cannot be mistaken.
    if (taskbarCreatedMessage != 0 && message == taskbarCreatedMessage && lParam == 0) {
        // The taskbar was re-created (explorer restarted): our icon went with it.
        onTaskbarCreated();
        return 0;
    }
    switch (message) {
        case WM_CLOSE:
            // The default handling destroys this window and with it the
            // navigator it owns, before shut-down could read its position.
            storeNaviPos();
            return DefWindowProcA(window, message, wParam, lParam);
        case WM_QUERYENDSESSION:
            // Only a question: the end may still be cancelled, and then the
            // arrangement must stay as the view put it.
            return TRUE;
        case WM_ENDSESSION:
            // The session ends (or the end was cancelled, wParam 0). Programs
            // may save their windows' places now: put back what we moved
            // first. The process may be ended as soon as this returns.
            if (wParam) {
                if (desk) desk->gatherInEmergency();
                running = 0;
            }
            return 0;
        case WM_DESTROY:
            running = 0;
            return 0;
        case WM_DISPLAYCHANGE:
            // Taken by the main loop: this may arrive inside any call that
            // waits on another program.
            displayChanged = 1;
            return 0;
        case WM_COMMAND:
            onCommand(wParam);
            return 0;
        case WM_TRAYICON:
            onTrayMessage(lParam);
            return 0;
        case WM_HOTKEY:
            onHotkey(wParam);
            return 0;
        case WM_COPYDATA:
            return receiveCommand(reinterpret_cast<HWND>(wParam),
                                  reinterpret_cast<const COPYDATASTRUCT*>(lParam));
        case WM_TIMER:
            // The shell did not take the tray icon yet.
            if (wParam == kTrayRetryTimer) onTrayRetryTimer();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK maximizerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}
