// The Windows backend of a window's class as UTF-8.
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

int windowClassUtf8(WindowHandle window, char* buf, int size) {
    wchar_t text[256];
    const int length = GetClassNameW(hwnd(window), text, 256);
    return toUtf8(text, length > 0 ? length : 0, buf, size);
}

}  // namespace platform
