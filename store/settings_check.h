// The bounds within which a settings record can be used without crashing or
// hanging the program, stated once. readSettings refuses a record with a
// value below its bound like a foreign file (status 3, defaults kept): no
// setting the user chose is zero or negative there, so such a value is damage.
// A value above its bound is brought inside it, on reading and on import
// alike: a scale the dialog offers can be too large for a wide or tall screen
// (hScale 10 on a 3440 px screen), and refusing it would throw away every
// other setting and the fixed-window list with it. Construction keeps the
// default scales inside the bounds on very large screens.
//
// The bounds (wider than the settings dialog's ranges, so that harmless
// out-of-range values such as hScale 12 or naviDivisor 1000 still load):
//   hScale, vScale  >= 1, and screenWidth * hScale <= 32767 and
//                   screenHeight * vScale <= 32767 on the present screen:
//                   window rows range over -(virtual size - screen) .. virtual
//                   size, and Windows and Wine clamp window positions to
//                   -32768..32767, so a larger desktop strands windows;
//   naviDivisor     >= 1 (the map size divides by it);
//   interval        0 .. 1000 ms (a larger one freezes the loop);
//   minStep, maxStep 0 .. 32767 (no negative step, and step * sqrt(2) and every
//                   coordinate sum stay far inside 32 bits).
#pragma once

#include <cstdint>

#include "store/records.h"

namespace settings_check {

constexpr int32_t kMaxCoordinate = 32767;  // platform window-coordinate limit
constexpr int32_t kMinScale = 1;
constexpr int32_t kMinNaviDivisor = 1;
constexpr uint32_t kMaxInterval = 1000;
constexpr int32_t kMinStepBound = 0;
constexpr int32_t kMaxStepBound = 32767;

// The largest scale whose virtual size stays within kMaxCoordinate on a screen
// of this size; at least 1 (a screen already larger than the limit allows
// only the screen itself).
inline int32_t maxScale(int32_t screenSize) {
    if (screenSize <= 0) return kMaxCoordinate;
    int32_t m = kMaxCoordinate / screenSize;
    return m < kMinScale ? kMinScale : m;
}

inline int32_t clampInt(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

// False when a value lies below its bound: the record is not a usable one.
inline bool isUsable(const SettingsImage& image) {
    return image.hScale >= kMinScale && image.vScale >= kMinScale && image.naviDivisor >= kMinNaviDivisor &&
           image.interval >= 0 && image.minStep >= kMinStepBound && image.maxStep >= kMinStepBound;
}

// Brings every setting of the record inside the bounds (values inside stay).
inline void makeSafe(SettingsImage* image, int32_t screenWidth, int32_t screenHeight) {
    image->hScale = clampInt(image->hScale, kMinScale, maxScale(screenWidth));
    image->vScale = clampInt(image->vScale, kMinScale, maxScale(screenHeight));
    if (image->naviDivisor < kMinNaviDivisor) image->naviDivisor = kMinNaviDivisor;
    if (static_cast<uint32_t>(image->interval) > kMaxInterval) image->interval = kMaxInterval;
    image->minStep = clampInt(image->minStep, kMinStepBound, kMaxStepBound);
    image->maxStep = clampInt(image->maxStep, kMinStepBound, kMaxStepBound);
}

}  // namespace settings_check
