// A planted "hhctrl.ocx" for the end-to-end test of help: a library of the
// help library's name that leaves a mark in the current folder when a program
// loads it. The program must load the system's library and never this one.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        HANDLE mark = CreateFileA("planted-library-loaded", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HWND WINAPI HtmlHelpA(HWND, LPCSTR, UINT, DWORD_PTR) { return nullptr; }
