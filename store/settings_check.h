// The bounds within which a settings record can be used without crashing or
// hanging the program, stated once. readSettings refuses a record outside them
// like a foreign file (status 3, defaults kept); importSettings, which cannot
// refuse, brings the values inside them; construction keeps the default scales
// inside them on very large screens.
//
// The bounds (wider than the settings dialog's ranges, so that harmless
// out-of-range values such as hScale 12 or naviDivisor 1000 still load):
//   hScale, vScale  >= 1, and screenWidth * hScale <= 32767 and
//                   screenHeight * vScale <= 32767 on the present screen:
//                   window rows range over -(virtual size - screen) .. virtual
//                   size, and Windows and Wine clamp window positions to
//                   -32768..32767, so a larger desktop strands windows;
//   naviDivisor     >= 1 (the map size divides by it);
//   interval        0 .. 1000 ms (unsigned; a larger one freezes the loop);
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

inline bool scaleOk(int32_t scale, int32_t screenSize) {
    return scale >= kMinScale && scale <= maxScale(screenSize);
}

inline bool stepOk(int32_t value) { return value >= kMinStepBound && value <= kMaxStepBound; }

inline int32_t clampInt(int32_t value, int32_t low, int32_t high) {
    return value < low ? low : (value > high ? high : value);
}

// True when the record's settings can be taken on a screen of this size.
inline bool isSafe(const SettingsImage& image, int32_t screenWidth, int32_t screenHeight) {
    return scaleOk(image.hScale, screenWidth) && scaleOk(image.vScale, screenHeight) &&
           image.naviDivisor >= kMinNaviDivisor && static_cast<uint32_t>(image.interval) <= kMaxInterval &&
           stepOk(image.minStep) && stepOk(image.maxStep);
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
