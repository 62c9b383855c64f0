// Which cloaked windows move with the view. The compositor cloaks a window for
// one of three reasons (DWMWA_CLOAKED: DWM_CLOAKED_APP by its own program, a
// suspended app; DWM_CLOAKED_SHELL by the shell, a window on another virtual
// desktop of the system; DWM_CLOAKED_INHERITED from its owner). A window on
// another of the system's desktops keeps moving with the view, off the map, so
// that switching desktops finds it where the view says; one its program
// cloaked stays out, like a hidden one.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

namespace cloak_rules {

inline bool movesWithView(uint32_t reason) {
    return (reason & platform::kCloakedShell) != 0 && (reason & platform::kCloakedApp) == 0;
}

}  // namespace cloak_rules
