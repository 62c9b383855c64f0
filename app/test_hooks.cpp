// Test-build hooks: the tick log and a provoked fault.
#include "app/test_hooks.h"

#ifdef WIDEROOM_TEST_HOOKS

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

std::FILE* tickLog = nullptr;
LARGE_INTEGER frequency{};
LARGE_INTEGER lastBegin{};
LARGE_INTEGER lastTickEnd{};
char crashFile[MAX_PATH] = {};

}  // namespace

void testHookStarted() {
    char name[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("WIDEROOM_TICK_LOG", name, MAX_PATH);
    if (n > 0 && n < MAX_PATH) tickLog = std::fopen(name, "w");
    QueryPerformanceFrequency(&frequency);
    n = GetEnvironmentVariableA("WIDEROOM_CRASH_FILE", crashFile, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) crashFile[0] = '\0';
}

void testHookTickBegin() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    if (tickLog && lastBegin.QuadPart != 0 && frequency.QuadPart != 0) {
        const long long pass = (now.QuadPart - lastBegin.QuadPart) * 1000000 / frequency.QuadPart;
        const long long tick = (lastTickEnd.QuadPart - lastBegin.QuadPart) * 1000000 / frequency.QuadPart;
        // Whole lines at once: a test may read the log while the program runs.
        std::fprintf(tickLog, "%lld %lld\n", pass, tick);
        std::fflush(tickLog);
    }
    lastBegin = now;
}

void testHookTick() {
    QueryPerformanceCounter(&lastTickEnd);
    if (crashFile[0] == '\0' || GetFileAttributesA(crashFile) == INVALID_FILE_ATTRIBUTES) return;
    DeleteFileA(crashFile);
    if (tickLog) std::fflush(tickLog);
    // A real access violation, not a call the compiler could see through.
    volatile std::uintptr_t address = 0;
    *reinterpret_cast<volatile int*>(address) = 1;
}

#endif
