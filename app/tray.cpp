// The tray icon's retries, its balloon and the message filter.
#include "app/tray.h"

#include <shellapi.h>

#include <string>

#include "app/command_window.h"
#include "app/shell.h"
#include "app/tray_retry.h"
#include "engine/virtual_desk.h"
#include "platform/ui_text.h"

namespace {

TrayRetry trayRetry;

std::wstring wide(const std::string& text) {
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// The add can fail after the shell took the icon (it answered too late): then
// the icon exists and a modification of it succeeds.
bool tryAdd() {
    if (Shell_NotifyIconA(NIM_ADD, &trayIcon)) return true;
    return Shell_NotifyIconA(NIM_MODIFY, &trayIcon) != 0;
}

void tryNow() {
    if (!mainWindow || !trayIcon.cbSize) return;
    const DWORD now = GetTickCount();
    if (!trayRetry.due(now)) return;
    trayRetry.added(tryAdd(), now);
    if (trayRetry.shown()) {
        KillTimer(mainWindow, kTrayRetryTimer);
    } else {
        SetTimer(mainWindow, kTrayRetryTimer, TrayRetry::kRetryMs, nullptr);
    }
}

// The program's file name, else the window's title.
std::wstring programName(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    HANDLE process = processId ? OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId) : nullptr;
    if (process) {
        wchar_t path[MAX_PATH];
        DWORD size = MAX_PATH;
        const BOOL ok = QueryFullProcessImageNameW(process, 0, path, &size);
        CloseHandle(process);
        if (ok && size > 0) {
            std::wstring name(path, size);
            const size_t slash = name.find_last_of(L"\\/");
            return slash == std::wstring::npos ? name : name.substr(slash + 1);
        }
    }
    wchar_t title[128] = L"";
    GetWindowTextW(window, title, 128);
    return title;
}

// Copies at most `size` - 1 characters and terminates.
void copyField(wchar_t* field, size_t size, const std::wstring& text) {
    const size_t n = text.size() < size - 1 ? text.size() : size - 1;
    text.copy(field, n);
    field[n] = L'\0';
}

void showBalloon(const std::wstring& title, const std::wstring& text) {
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof(data);
    data.hWnd = mainWindow;
    data.uID = trayIcon.uID;
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_WARNING;
    copyField(data.szInfoTitle, sizeof(data.szInfoTitle) / sizeof(wchar_t), title);
    copyField(data.szInfo, sizeof(data.szInfo) / sizeof(wchar_t), text);
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

bool runsElevated() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    const BOOL ok = GetTokenInformation(token, TokenElevation, &elevation, sizeof(elevation), &size);
    CloseHandle(token);
    return ok && elevation.TokenIsElevated != 0;
}

using FilterFunction = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
constexpr DWORD kAllow = 1;  // MSGFLT_ALLOW

}  // namespace

void addTrayIcon() { tryNow(); }

void onTaskbarCreated() {
    trayRetry.lost();
    tryNow();
}

void onTrayRetryTimer() { tryNow(); }

void tellAboutOutOfReach() {
    if (!desk || desk->outOfReach.count() == 0) return;
    const platform::WindowHandle window = desk->outOfReach.takeNotice();
    if (window == 0) return;
    std::wstring text = wide(platform::uiText(IDS_OUT_OF_REACH_TEXT));
    const size_t at = text.find(L"%s");
    if (at != std::wstring::npos) text.replace(at, 2, programName(hwndOf(window)));
    showBalloon(wide(platform::uiText(IDS_OUT_OF_REACH_TITLE)), text);
}

void allowMessagesFromBelow(UINT taskbarCreated) {
    if (!mainWindow || !runsElevated()) return;
    // Windows 7 and later; absent before.
    HMODULE user = GetModuleHandleA("user32.dll");
    const auto filter = user ? reinterpret_cast<FilterFunction>(reinterpret_cast<void*>(
                                   GetProcAddress(user, "ChangeWindowMessageFilterEx")))
                             : nullptr;
    if (!filter) return;
    if (taskbarCreated != 0) filter(mainWindow, taskbarCreated, kAllow, nullptr);
    filter(mainWindow, WM_COMMAND, kAllow, nullptr);
}
