// The gathering's placement rules, shared by the gathering at exit and the
// recovery of windows after a run that did not end normally.
#pragma once

#include <cstdint>

#include "platform/desktop.h"

namespace gather_rules {

constexpr int kSlack = 50;

// The work area's margins: the screen without the taskbars docked at its edges.
struct Margins {
    int32_t top = 0;
    int32_t bottom = 0;
    int32_t left = 0;
    int32_t right = 0;
};

// Margins from every window of the taskbar class, visible or not; a later
// one overwrites what its rules set.
Margins workMargins(int32_t screenWidth, int32_t screenHeight);

// The top-left corner at which a normal window of rectangle r is gathered.
platform::Point normalPosition(const Margins& m, int32_t screenWidth, int32_t screenHeight,
                               const platform::Rect& r);

}  // namespace gather_rules
