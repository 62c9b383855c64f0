// Holds system-wide hotkeys, as another program would, so that a test can
// see what Wideroom does when its combination is taken:
//   wrkeyholder MODIFIERS VK [MODIFIERS VK]...
// registers each (MOD_* bits and a virtual-key code, numbers as C writes
// them), prints "taken MODIFIERS VK" or "refused MODIFIERS VK" for each and
// then "ready", and keeps them until it is ended.
#include "e2e/tool_common.h"

#include <cstdio>

int main() {
    int argc = 0;
    wchar_t** argv = toolArgs(&argc);
    if (argc < 3 || (argc - 1) % 2 != 0) {
        std::fprintf(stderr, "usage: wrkeyholder MODIFIERS VK [MODIFIERS VK]...\n");
        return 2;
    }
    for (int i = 1; i + 1 < argc; i += 2) {
        long long modifiers = 0;
        long long vk = 0;
        if (!parseInt(argv[i], &modifiers) || !parseInt(argv[i + 1], &vk)) return 2;
        const bool ok = RegisterHotKey(nullptr, i, static_cast<UINT>(modifiers), static_cast<UINT>(vk)) != 0;
        std::printf("%s %lld %lld\n", ok ? "taken" : "refused", modifiers, vk);
    }
    std::printf("ready\n");
    std::fflush(stdout);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    }
    return 0;
}
