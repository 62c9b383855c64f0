// The in-memory desktop's class names, taken as UTF-8 as they stand.
#include <cstring>
#include <string>

#include "platform/sim/sim_desktop.h"
#include "platform/window_text.h"

namespace {

int copyOut(const std::string* text, char* buf, int size) {
    if (size <= 0) return 0;
    const size_t have = text ? text->size() : 0;
    size_t n = have < static_cast<size_t>(size - 1) ? have : static_cast<size_t>(size - 1);
    // Cut at a character's start.
    if (n < have) {
        while (n > 0 && (static_cast<unsigned char>((*text)[n]) & 0xC0) == 0x80) --n;
    }
    if (n > 0) std::memcpy(buf, text->data(), n);
    buf[n] = '\0';
    return static_cast<int>(n);
}

}  // namespace

namespace platform {

int windowClassUtf8(WindowHandle window, char* buf, int size) {
    const sim::SimWindow* w = sim::window(window);
    return copyOut(w ? &w->className : nullptr, buf, size);
}

}  // namespace platform
