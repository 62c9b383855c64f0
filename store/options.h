// The options file "Wideroom.ini", beside the settings file: the options that
// the fixed-size settings record has no room for. UTF-8 text, "[Section]" and
// "Key=Value" lines. Read at start-up, written by the settings dialog's save;
// a missing file means the defaults, a value out of range is clamped, a line
// that cannot be read is ignored, and a rewrite keeps every section, key and
// comment this program does not know.
#pragma once

#include <cstdint>

constexpr const char* kOptionsFileName = "Wideroom.ini";

// Hotkey texts ("Ctrl+Alt+Left"), at most 63 bytes and the terminator; a
// longer value in the file reads as the default.
constexpr int kKeyTextSize = 64;

// [Edges]: the guards of edge scrolling.
struct EdgeOptions {
    int32_t dwellMs = 0;      // 0..2000: rest this long at an edge before the first step
    int32_t cornerPx = 0;     // 0..200: contacts this near a screen corner do not scroll
    int32_t pagePauseMs = 0;  // 0..3000: page mode, the least time between two pages
    int32_t left = 1;         // 0, 1: that edge scrolls at all
    int32_t right = 1;
    int32_t top = 1;
    int32_t bottom = 1;
    int32_t carryDraggedWindow = 0;  // 0, 1: a window dragged to an edge goes along
    int32_t pauseInFullscreen = 1;   // 0, 1: no edge scrolling while a full-screen program is in front
};

// [Keys]: global hotkeys as the user writes them; empty = none.
struct KeyOptions {
    char pageLeft[kKeyTextSize] = "Ctrl+Alt+Left";
    char pageRight[kKeyTextSize] = "Ctrl+Alt+Right";
    char pageUp[kKeyTextSize] = "Ctrl+Alt+Up";
    char pageDown[kKeyTextSize] = "Ctrl+Alt+Down";
    char home[kKeyTextSize] = "Ctrl+Alt+Home";
    char carryLeft[kKeyTextSize] = "Ctrl+Alt+Shift+Left";
    char carryRight[kKeyTextSize] = "Ctrl+Alt+Shift+Right";
    char carryUp[kKeyTextSize] = "Ctrl+Alt+Shift+Up";
    char carryDown[kKeyTextSize] = "Ctrl+Alt+Shift+Down";
    char toggleNavigator[kKeyTextSize] = "";
    char overview[kKeyTextSize] = "Ctrl+Alt+Space";
};

// [Navigator]
struct NavigatorOptions {
    int32_t wheelScrolls = 1;  // 0, 1: the wheel over the map scrolls the view
};

// [Focus] FollowFocus: what happens when a window out of view comes to the
// front: "view" (the view goes to it), "window" (it comes to the view) or
// "off"; anything else reads the default, "off" (a switch followed by an
// immediate exit could leave a window off the screen).
constexpr int32_t kFollowView = 0;
constexpr int32_t kFollowWindow = 1;
constexpr int32_t kFollowOff = 2;

struct FocusOptions {
    int32_t followFocus = kFollowOff;
};

// [General] Language: "auto", "ja" or "en"; anything else reads "auto".
constexpr int32_t kLanguageAuto = 0;
constexpr int32_t kLanguageJa = 1;
constexpr int32_t kLanguageEn = 2;

struct GeneralOptions {
    int32_t language = kLanguageAuto;
};

// Every option, defaults as constructed.
struct Options {
    EdgeOptions edges;
    KeyOptions keys;
    NavigatorOptions navigator;
    FocusOptions focus;
    GeneralOptions general;
};

// Reads the file into *options, every option first set to its default: 0, or
// 1 when the file cannot be opened (the defaults stand).
int readOptions(const char* name, Options* options);
// Writes every option into the file as it stands now, keeping what else it
// holds (lines that cannot be read are dropped), in one safe step: 0, 1 (the
// temporary file cannot be created) or 2 (it cannot be written or moved into
// place; the old file is untouched).
int writeOptions(const char* name, const Options& given);
