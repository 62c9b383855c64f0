// The hidden command window, its tray icon and menu commands, the about box
// and the probe window that start-up maximizes.
#pragma once

#include <windows.h>

#include <shellapi.h>

constexpr const char* kMainClass = "Wideroom";
constexpr const char* kMaximizerClass = "wideroommaximizer";
constexpr const char* kMainTitle = "Wideroom";

// The tray icon, filled at start-up, removed at shut-down.
extern NOTIFYICONDATAA trayIcon;
// Sent to every top-level window when the taskbar comes back; 0 until
// registered.
extern UINT taskbarCreatedMessage;

void fillTrayIcon(HWND owner, HICON icon);

LRESULT CALLBACK commandWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK maximizerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK aboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Keeps the navigator's current top-left corner in the engine, for the
// placement file.
void storeNaviPos();

// Opens the help file; does nothing without the HTML Help library.
int showHelp();
