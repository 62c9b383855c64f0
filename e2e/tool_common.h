// What every end-to-end tool shares: its arguments, UTF-8 output and the
// parsing of numbers and window handles, process names, the clock.
#pragma once

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>

// Milliseconds of the performance counter.
inline double nowMs() {
    static LARGE_INTEGER freq{};
    if (freq.QuadPart == 0) QueryPerformanceFrequency(&freq);
    LARGE_INTEGER t{};
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

inline std::string utf8(const wchar_t* w, int length = -1) {
    if (length == 0) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w, length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string s(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, w, length, s.data(), n, nullptr, nullptr);
    if (length < 0) s.pop_back();  // the terminator
    return s;
}

inline std::string utf8(const std::wstring& w) { return utf8(w.data(), static_cast<int>(w.size())); }

// UTF-8 for a tab-separated record: control characters would break it.
inline std::string recordText(const std::wstring& w) {
    std::string s = utf8(w);
    for (char& c : s) {
        if (static_cast<unsigned char>(c) < 0x20) c = ' ';
    }
    return s;
}

inline std::wstring classOf(HWND w) {
    wchar_t buf[256];
    buf[0] = 0;
    GetClassNameW(w, buf, 256);
    return buf;
}

// Control `id` of a dialog, or of one of its pages (the child dialogs of a
// tabbed dialog); null when there is none.
inline HWND findControl(HWND dialog, int id) {
    if (HWND c = GetDlgItem(dialog, id)) return c;
    for (HWND page = GetWindow(dialog, GW_CHILD); page != nullptr; page = GetWindow(page, GW_HWNDNEXT)) {
        if (classOf(page) != L"#32770") continue;
        if (HWND c = GetDlgItem(page, id)) return c;
    }
    return nullptr;
}

// A message sent to another program's window, given up after 5 s (the
// program may be busy or hung).
inline bool sendTimeout(HWND w, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result = nullptr) {
    constexpr DWORD kSendTimeoutMs = 5000;
    DWORD_PTR r = 0;
    if (!SendMessageTimeoutW(w, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &r)) return false;
    if (result) *result = r;
    return true;
}

inline bool parseInt(const wchar_t* text, long long* value) {
    if (text == nullptr || *text == 0) return false;
    wchar_t* end = nullptr;
    long long v = std::wcstoll(text, &end, 0);
    if (end == nullptr || *end != 0) return false;
    *value = v;
    return true;
}

inline bool parseHandle(const wchar_t* text, HWND* window) {
    if (text == nullptr || *text == 0) return false;
    wchar_t* end = nullptr;
    unsigned long long v = std::wcstoull(text, &end, 0);
    if (end == nullptr || *end != 0) return false;
    *window = reinterpret_cast<HWND>(static_cast<uintptr_t>(v));
    return true;
}

// The tool's arguments as UTF-16; records on stdout end in a bare newline,
// whatever reads them.
inline wchar_t** toolArgs(int* argc) {
    _setmode(_fileno(stdout), _O_BINARY);
    return CommandLineToArgvW(GetCommandLineW(), argc);
}

// One record line on stdout, flushed at once: the tests read it while the
// tool still runs.
inline void printLine(const std::string& line) {
    std::fputs(line.c_str(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

// A window handle as the records print it: 0x-prefixed hex.
inline std::string handleText(HWND w) {
    char buf[32];
    std::snprintf(buf, sizeof(buf), "0x%llx",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
    return buf;
}

// The file name of a process's executable ("wideroom.exe"), empty when the
// process cannot be opened.
inline std::wstring processNameOf(DWORD pid) {
    std::wstring name;
    HANDLE p = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    if (p == nullptr) return name;
    wchar_t buf[MAX_PATH];
    DWORD size = MAX_PATH;
    if (QueryFullProcessImageNameW(p, 0, buf, &size)) {
        const wchar_t* base = buf;
        for (const wchar_t* c = buf; *c; ++c) {
            if (*c == L'\\' || *c == L'/') base = c + 1;
        }
        name = base;
    }
    CloseHandle(p);
    return name;
}
