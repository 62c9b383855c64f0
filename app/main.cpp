// Entry point: start-up, the polling main loop and shut-down, all on the one
// thread.
#include <windows.h>

#include <commctrl.h>

#include <new>

#include "app/command_server.h"
#include "app/command_window.h"
#include "app/display.h"
#include "app/hotkeys.h"
#include "app/language.h"
#include "app/shell.h"
#include "app/start_with_windows.h"
#include "app/test_hooks.h"
#include "app/tray.h"
#include "engine/tick.h"
#include "engine/virtual_desk.h"
#include "navigator/navigator_win32.h"
#include "res/resource.h"
#include "store/options.h"
#include "store/recovery_record.h"
#include "store/window_rules.h"

namespace {

constexpr const char* kMutexName = "Wideroom Mutex For Prevent Second Starting";
constexpr int kExitNormal = 0;
constexpr int kExitSecondInstance = 1;
constexpr int kExitNoEngine = 2;

constexpr UINT kClassStyle = CS_HREDRAW | CS_VREDRAW;
constexpr DWORD kSplashMs = 2000;

#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(WNDCLASSEXA) == 48, "the class record is 48 bytes on 32-bit Windows");
static_assert(sizeof(SECURITY_ATTRIBUTES) == 12, "the security record is 12 bytes on 32-bit Windows");
#endif

HANDLE instanceMutex = nullptr;

// Either test alone can miss a second instance started at the same moment:
// an existing mutex seen by the creation counts as well.
bool anotherInstanceRuns() {
    HANDLE existing = OpenMutexA(0, FALSE, kMutexName);
    if (existing) {
        CloseHandle(existing);
        return true;
    }
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof(security);
    security.lpSecurityDescriptor = nullptr;
    security.bInheritHandle = FALSE;
    instanceMutex = CreateMutexA(&security, FALSE, kMutexName);
    if (instanceMutex && GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(instanceMutex);
        instanceMutex = nullptr;
        return true;
    }
    return false;
}

HICON createCommandWindow() {
    HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_WIDEROOM));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = kClassStyle;
    wc.lpfnWndProc = commandWindowProc;
    wc.hInstance = instance;
    wc.hIcon = icon;
    wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszMenuName = MAKEINTRESOURCEA(IDR_MENU);
    wc.lpszClassName = kMainClass;
    wc.hIconSm = icon;
    RegisterClassExA(&wc);
    // Before the window exists, so that no notice of a new taskbar is missed.
    taskbarCreatedMessage = RegisterWindowMessageW(L"TaskbarCreated");
    mainWindow = CreateWindowExA(0, kMainClass, kMainTitle, WS_OVERLAPPEDWINDOW, 0, 0, 0, 0, nullptr, nullptr,
                                 instance, nullptr);
    return icon;
}

// How far a maximized window's frame reaches past the screen's top-left
// corner; the gathering at exit places maximized windows the same way.
void measureFrameInset() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = kClassStyle;
    wc.lpfnWndProc = maximizerProc;
    wc.hInstance = instance;
    wc.lpszClassName = kMaximizerClass;
    RegisterClassExA(&wc);
    HWND probe = CreateWindowExA(0, kMaximizerClass, kMainTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                 CW_USEDEFAULT, 0, 0, mainWindow, nullptr, instance, nullptr);
    if (!probe) return;
    ShowWindow(probe, SW_SHOWMAXIMIZED);
    RECT outer;
    if (GetWindowRect(probe, &outer)) desk->setFrameInset(-outer.left);
    DestroyWindow(probe);
}

void showSplash() {
    // Dialog templates hold UTF-16 text: the wide calls keep it intact.
    HWND splash = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_SPLASH), mainWindow, navFrameProc, 0);
    // Shown without taking the focus from the program the user works in (a
    // start at logon while the user already types). No messages are pumped
    // during the wait: paint now or it stays blank.
    if (splash) {
        ShowWindow(splash, SW_SHOWNA);
        UpdateWindow(splash);
    }
    Sleep(kSplashMs);
    if (splash) {
        ShowWindow(splash, SW_HIDE);
        DestroyWindow(splash);
    }
}

void createNavigator() {
    int x = 0;
    int y = 0;
    desk->getNaviPos(&x, &y);
    // A place saved on a monitor that is gone would leave it out of reach.
    const platform::Point at = desk->monitors.placeOnMonitor({x, y});
    navFrame = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_NAVFRAME), mainWindow, navFrameProc, 0);
    // Shown without taking the focus from the program the user works in.
    fitNavigator(at.x, at.y, HWND_TOPMOST, SWP_SHOWWINDOW | SWP_NOACTIVATE);

    mapPane = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_MAPPANE), navFrame, mapPaneProc, 0);
    SetWindowPos(mapPane, HWND_TOP, 0, 0, desk->mapWidth(), desk->mapHeight(), SWP_SHOWWINDOW);

    desk->hideUnlessPinned(handleOf(navFrame));

    naviTip = new (std::nothrow) NaviTip;
    if (naviTip) naviTip->create(instance, mapPane, kNavigatorTitle);
}

// The taskbar answers: removing the icon sends it a message and waits.
bool taskbarAnswers() {
    HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr);
    return taskbar && !IsHungAppWindow(taskbar);
}

void removeTrayIcon() {
    if (trayIcon.cbSize && taskbarAnswers()) Shell_NotifyIconA(NIM_DELETE, &trayIcon);
}

// A fault nothing handled: the windows this run moved go back before the
// process ends, since no one could reach them afterwards.
LONG WINAPI onUnhandledFault(EXCEPTION_POINTERS*) {
    static LONG entered = 0;
    if (InterlockedExchange(&entered, 1) == 0) {
        if (desk) desk->gatherInEmergency();
        removeTrayIcon();
    }
    return EXCEPTION_EXECUTE_HANDLER;
}

int startUp() {
    // The settings dialog's sliders, the options dialog's spin buttons and
    // tabs, and the map's tooltip are common controls.
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                  ICC_BAR_CLASSES | ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);

    // The files, the options among them, are found from here on.
    enterFilesFolder();
    // Beside the settings file; missing or damaged, the defaults stand.
    readOptions(kOptionsFileName, &appOptions);
    chooseUiLanguage(appOptions.general.language);
    HICON icon = createCommandWindow();
    localiseMenu(mainWindow);

    desk = new (std::nothrow) VirtualDesk;
    if (!desk) return kExitNoEngine;
    // The window rules: in the options file too.
    WindowRuleList rules;
    loadWindowRules(kOptionsFileName, &rules);
    desk->rules.setRules(rules);
    SetUnhandledExceptionFilter(onUnhandledFault);

    fillTrayIcon(mainWindow, icon);
    // Tried again every few seconds while the shell is not ready (at logon).
    addTrayIcon();
    allowMessagesFromBelow(taskbarCreatedMessage);

    measureFrameInset();
    // Windows left away by a run that did not end normally come back first.
    desk->recoverWindows(kRecoveryFileName);
    showSplash();
    createNavigator();
    // A key another program holds is marked in the options dialog.
    registerHotkeysFromOptions();
    return kExitNormal;
}

void dispatch(MSG* msg) {
    TranslateMessage(msg);
    DispatchMessageA(msg);
}

void runMainLoop() {
    TickState tick;
    tick.guard.options = &appOptions.edges;
    tick.focus.options = &appOptions.focus;
    MSG msg{};
    while (running) {
        // wideroomc's commands, between two ticks.
        serveCommands();
        if (settingsOpen) {
            // The dialog is editing the engine's settings: messages only.
            if (GetMessageA(&msg, nullptr, 0, 0) > 0) dispatch(&msg);
            // Its closing hands the front to some window: not a switch of the user's.
            tick.focus.restart();
            continue;
        }
        // Monitors, resolution or DPI changed: before the tick measures anything.
        if (displayChanged) applyDisplayChange();
        testHookTickBegin();
        pollTick(desk, &tick, handleOf(navFrame), handleOf(mapPane));
        tellAboutOutOfReach();
        testHookTick();

        if (GetAsyncKeyState(VK_LBUTTON) == 0) viewDragLatch = 0;
        if (GetAsyncKeyState(VK_RBUTTON) == 0) windowDragLatch = 0;

        POINT pointer;
        if (GetCursorPos(&pointer) && ScreenToClient(mapPane, &pointer))
            desk->updateHover(pointer.x, pointer.y);

        // One message per tick: the ticks keep their pace however many wait.
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) dispatch(&msg);
    }
}

void destroyWindow(HWND* window) {
    if (*window) DestroyWindow(*window);
    *window = nullptr;
}

// Also after a start-up that stopped half-way: each step undoes only what
// exists.
void shutDown() {
    unregisterHotkeys();
    storeNaviPos();
    removeTrayIcon();
    // Nothing may be left out of reach once there is no view to scroll; after
    // a normal end no record of moved windows is needed.
    if (desk) {
        desk->gatherWindows();
        desk->dropRecoveryRecord();
    }

    destroyWindow(&mapPane);
    destroyWindow(&navFrame);
    destroyWindow(&mainWindow);

    if (naviTip) {
        naviTip->destroy();
        delete naviTip;
        naviTip = nullptr;
    }
    // Writes the placement file.
    delete desk;
    desk = nullptr;

    if (instanceMutex) CloseHandle(instanceMutex);
    instanceMutex = nullptr;
}

}  // namespace

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    instance = hInstance;
    if (anotherInstanceRuns()) return kExitSecondInstance;

    int status = startUp();
    if (status == kExitNormal) {
        testHookStarted();
        runMainLoop();
    }
    shutDown();
    return status;
}
