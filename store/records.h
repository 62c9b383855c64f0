// The two on-disk records and the fixed-window list. Every integer is 32-bit
// signed little-endian with no gaps; the layouts are the file formats.
#pragma once

#include <cstdint>

struct FixedWindowEntry {
    char className[64];  // terminated byte string, platform narrow code page
    char title[64];
};

constexpr int kFixedEntryCount = 20;
constexpr int kNameSize = 64;

struct FixedWindowList {
    FixedWindowEntry entries[kFixedEntryCount];
};

struct SettingsImage {
    int32_t headerSize;  // 52
    int32_t nameSize;    // 64
    int32_t entryCount;  // 20
    int32_t hScale;
    int32_t vScale;
    int32_t minStep;
    int32_t maxStep;
    int32_t naviDivisor;
    int32_t interval;
    int32_t needCtrl;
    int32_t needShift;
    int32_t pageMode;
    int32_t moveMaximized;
    FixedWindowList fixedWindows;
};

struct PlacementImage {
    int32_t recordSize;  // 24
    int32_t screenWidth;
    int32_t screenHeight;
    int32_t naviMode;
    int32_t naviX;
    int32_t naviY;
};

static_assert(sizeof(FixedWindowEntry) == 128);
static_assert(sizeof(FixedWindowList) == 2560);
static_assert(sizeof(SettingsImage) == 2612);
static_assert(sizeof(PlacementImage) == 24);

constexpr int32_t kSettingsHeaderSize = 52;
constexpr int32_t kSettingsNameSize = 64;
constexpr int32_t kSettingsEntryCount = 20;

constexpr const char* kSettingsFileName = "Wideroom.cfg";
constexpr const char* kPlacementFileName = "Wideroom.prv";

// A fixed-window entry is free when both names are empty.
inline bool isFreeEntry(const FixedWindowEntry& e) { return e.className[0] == '\0' && e.title[0] == '\0'; }
