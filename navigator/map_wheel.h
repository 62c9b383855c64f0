// The mouse wheel over the navigator's map: one screen per notch.
#pragma once

#include <cstdint>

class VirtualDesk;

constexpr int kWheelDelta = 120;  // one notch, as the platform counts

// Wheel turns that did not yet make a whole notch (fine-grained wheels send
// fractions), per axis.
struct WheelState {
    int32_t vertical = 0;
    int32_t horizontal = 0;
};

// A wheel message over the map. Vertical: `delta` as the message carries it,
// positive away from the user, which moves the view up. Horizontal: positive
// moves the view right, as the horizontal wheel reports it; the caller
// negates the vertical wheel turned with Shift held, so that away from the
// user goes left. Each whole notch moves the view one screen height (width)
// as far as the virtual desktop allows, snapped to whole screens in page
// mode as a press in the map is. Returns 1 when the view moved (the map must
// be repainted), else 0.
int mapWheel(VirtualDesk* desk, WheelState* state, int delta, bool horizontal);
