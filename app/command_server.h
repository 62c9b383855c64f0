// The command window's side of wideroomc.exe: records taken from
// WM_COPYDATA, checked and queued, and carried out by the main loop between
// its ticks, each answered with a WM_COPYDATA to the companion's window.
#pragma once

#include <windows.h>

// The WM_COPYDATA handling of the command window: `sender` is the message's
// wParam. Queues a valid command and returns kReceiptAccepted; returns a
// refusal for anything else. Never blocks, whatever the record holds.
LRESULT receiveCommand(HWND sender, const COPYDATASTRUCT* data);

// Carries out and answers the queued commands; the main loop calls it once
// per pass, where no window walk is under way.
void serveCommands();
