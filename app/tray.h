// The tray icon: added at start-up and, when the shell is not ready, again
// every few seconds until it takes it; given back to a re-created taskbar;
// its balloon telling the user about windows of elevated programs; and, when
// this program runs elevated itself, the messages that must still reach it
// from programs without those rights (the new taskbar's notice, the exit
// command the uninstaller posts).
#pragma once

#include <windows.h>

constexpr UINT_PTR kTrayRetryTimer = 0x7A1;

// Tries to add the icon now; a failure arms the retry timer.
void addTrayIcon();
// The taskbar was re-created and our icon went with it.
void onTaskbarCreated();
// WM_TIMER with kTrayRetryTimer.
void onTrayRetryTimer();
// Once per tick: a balloon for a program newly found running elevated.
void tellAboutOutOfReach();
// Lets the taskbar's notice and the menu commands through the message filter
// while this program runs elevated.
void allowMessagesFromBelow(UINT taskbarCreated);
