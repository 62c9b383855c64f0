// The navigator's modes, as the placement file stores them. A damaged file
// may hold any other value; each user says how it treats one.
#pragma once

#include <cstdint>

constexpr int32_t kNaviHidden = 0;     // hidden until the pointer reaches an edge
constexpr int32_t kNaviScrolling = 1;  // shown while scrolling, hidden a second later
constexpr int32_t kNaviPinned = 2;     // always shown
