// The Windows backend of the names the window rules match: a window's program
// and its title in Unicode.
#include <windows.h>

#include "platform/desktop.h"

namespace platform {

namespace {

// UTF-16 into terminated UTF-8 of at most size - 1 bytes, cut at a whole
// character (a surrogate pair stays together).
int toUtf8(const wchar_t* text, int length, char* buf, int size) {
    if (size <= 0) return 0;
    buf[0] = '\0';
    if (length <= 0) return 0;
    int n = WideCharToMultiByte(CP_UTF8, 0, text, length, buf, size - 1, nullptr, nullptr);
    if (n <= 0) {
        // Too long for the buffer: as many units as surely fit, without the
        // first half of a pair at the end.
        int fit = (size - 1) / 3 < length ? (size - 1) / 3 : length;
        if (fit > 0 && text[fit - 1] >= 0xD800 && text[fit - 1] <= 0xDBFF) --fit;
        n = fit > 0 ? WideCharToMultiByte(CP_UTF8, 0, text, fit, buf, size - 1, nullptr, nullptr) : 0;
    }
    buf[n > 0 ? n : 0] = '\0';
    return n > 0 ? n : 0;
}

}  // namespace

bool windowProgram(WindowHandle window, char* utf8Name, int size) {
    if (size > 0) utf8Name[0] = '\0';
    DWORD id = 0;
    if (GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &id) == 0 || id == 0) return false;
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (process == nullptr) return false;
    wchar_t path[MAX_PATH * 4];
    DWORD length = static_cast<DWORD>(sizeof path / sizeof path[0]);
    const bool known = QueryFullProcessImageNameW(process, 0, path, &length) != 0;
    CloseHandle(process);
    if (!known || length == 0) return false;
    // The file name only: after the last folder separator.
    DWORD start = length;
    while (start > 0 && path[start - 1] != L'\\' && path[start - 1] != L'/') --start;
    return toUtf8(path + start, static_cast<int>(length - start), utf8Name, size) > 0;
}

int getWindowTextUtf8(WindowHandle window, char* buf, int size) {
    if (size <= 0) return 0;
    // Titles are matched on their first 511 UTF-16 units.
    constexpr int kUnits = 512;
    wchar_t text[kUnits];
    const int n = GetWindowTextW(reinterpret_cast<HWND>(window), text, kUnits);
    return toUtf8(text, n > 0 ? n : 0, buf, size);
}

}  // namespace platform
