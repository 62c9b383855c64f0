// wrkeystool: finds the options dialog of a running wideroom.exe and where
// its controls are, so that a test can click and type into them as a user
// does. One subcommand per run; exit code 0 on success, 1 on failure or
// timeout, 2 on a usage error.
//
//   options [--timeout MS]   the "Wideroom 詳細設定" dialog: its handle
//   nooptions [--timeout MS] waits until there is none
//   rect H ID                the control's screen rectangle: "left top right bottom"
#include "e2e/tool_common.h"

#include <cstdio>

namespace {

// "Wideroom 詳細設定", built in as UTF-16 so that no command line conversion
// touches it.
constexpr wchar_t kOptionsTitle[] = L"Wideroom \u8a73\u7d30\u8a2d\u5b9a";
constexpr wchar_t kDialogClass[] = L"#32770";

HWND findOptions() { return FindWindowW(kDialogClass, kOptionsTitle); }

int waitFor(bool present, long long timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        HWND w = findOptions();
        if ((w != nullptr) == present) {
            if (w) std::printf("0x%llx\n", static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(w)));
            return 0;
        }
        if (static_cast<long long>(GetTickCount() - start) >= timeoutMs) return 1;
        Sleep(50);
    }
}

}  // namespace

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    if (argc < 2) return 2;
    const bool wantOptions = std::wcscmp(argv[1], L"options") == 0;
    if (wantOptions || std::wcscmp(argv[1], L"nooptions") == 0) {
        long long timeout = 0;
        if (argc == 4 && std::wcscmp(argv[2], L"--timeout") == 0) {
            if (!parseInt(argv[3], &timeout)) return 2;
        } else if (argc != 2) {
            return 2;
        }
        return waitFor(wantOptions, timeout);
    }
    if (std::wcscmp(argv[1], L"rect") == 0 && argc == 4) {
        HWND dialog = nullptr;
        long long id = 0;
        if (!parseHandle(argv[2], &dialog) || !parseInt(argv[3], &id)) return 2;
        HWND c = GetDlgItem(dialog, static_cast<int>(id));
        RECT r{};
        if (!c || !GetWindowRect(c, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", r.left, r.top, r.right, r.bottom);
        return 0;
    }
    return 2;
}
