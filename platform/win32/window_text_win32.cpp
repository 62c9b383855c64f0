// The Windows backend of a window's title, class and program as UTF-8.
#include <windows.h>

#include "platform/window_text.h"

namespace platform {

namespace {

HWND hwnd(WindowHandle window) { return reinterpret_cast<HWND>(window); }

// UTF-16 to UTF-8 into buf, whole characters only. Unpaired surrogates
// become U+FFFD, as the conversion does.
int toUtf8(const wchar_t* text, int length, char* buf, int size) {
    if (size <= 0) return 0;
    buf[0] = '\0';
    while (length > 0) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, buf, size - 1, nullptr, nullptr);
        if (n > 0) {
            buf[n] = '\0';
            return n;
        }
        // Too long for the buffer: one character less (a pair counts as one).
        length -= (length >= 2 && IS_LOW_SURROGATE(text[length - 1]) && IS_HIGH_SURROGATE(text[length - 2]))
                      ? 2
                      : 1;
    }
    return 0;
}

}  // namespace

int windowTitleUtf8(WindowHandle window, char* buf, int size) {
    wchar_t text[512];
    // For another program's window this reads the stored caption: it sends
    // nothing, so a hung program cannot hold it up.
    const int length = GetWindowTextW(hwnd(window), text, 512);
    return toUtf8(text, length > 0 ? length : 0, buf, size);
}

int windowClassUtf8(WindowHandle window, char* buf, int size) {
    wchar_t text[256];
    const int length = GetClassNameW(hwnd(window), text, 256);
    return toUtf8(text, length > 0 ? length : 0, buf, size);
}

int windowProgramUtf8(WindowHandle window, char* buf, int size) {
    if (size > 0) buf[0] = '\0';
    DWORD id = 0;
    if (GetWindowThreadProcessId(hwnd(window), &id) == 0 || id == 0) return 0;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return 0;
    wchar_t path[MAX_PATH * 2];
    DWORD length = MAX_PATH * 2;
    const BOOL known = QueryFullProcessImageNameW(process, 0, path, &length);
    CloseHandle(process);
    if (!known) return 0;
    DWORD start = 0;
    for (DWORD i = 0; i < length; ++i) {
        if (path[i] == L'\\' || path[i] == L'/') start = i + 1;
    }
    return toUtf8(path + start, static_cast<int>(length - start), buf, size);
}

}  // namespace platform
