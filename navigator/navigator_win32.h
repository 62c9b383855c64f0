// The navigator's two dialog procedures and the map pane's tooltip.
#pragma once

#include <windows.h>

// navFrame (dialog 106) and the splash (dialog 110).
INT_PTR CALLBACK navFrameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// mapPane (dialog 102).
INT_PTR CALLBACK mapPaneProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

class NaviTip {
public:
    int create(HINSTANCE instance, HWND owner, const char* title);
    int setText(const char* text);
    int pop();
    int destroy();

    HWND owner = nullptr;
    HWND tipWindow = nullptr;
};
