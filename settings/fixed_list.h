// The list of windows that are never moved, as the settings dialog edits it:
// the windows offered for fixing, the list box lines, fixing and releasing.
// Used entries stand together at the front, in the order they were fixed, so
// that line i of the fixed list box is entry i.
#pragma once

#include <string>

#include "platform/desktop.h"
#include "store/records.h"

constexpr int kMaxCandidates = 512;

// Results of fixEntry besides 0 (added).
constexpr int kFixDuplicate = 1;
constexpr int kFixListFull = 2;
constexpr int kFixNoNames = 3;

// The windows the dialog offers for fixing, collected when it is shown.
struct CandidateTable {
    FixedWindowEntry rows[kMaxCandidates];
    int count;
};

// Walks the top-level windows, topmost first, and fills the table with every
// visible window shown normally or maximized that has a restored size, except
// the navigator and the settings dialog (`dialog`, or any window bearing its
// title). Returns 0, or kTableFull when more than 512 windows qualify; the
// rows collected by then stay.
int collectCandidates(CandidateTable* table, platform::WindowHandle dialog);

// The list box line of an entry, UTF-8.
std::string fixedLine(const FixedWindowEntry& entry);

// Both names equal, byte for byte, within their 64-byte fields.
bool sameWindowNames(const FixedWindowEntry& a, const FixedWindowEntry& b);

// Moves the used entries to the front, keeping their order; the rest are
// cleared. A list written elsewhere may have gaps.
int packFixedList(FixedWindowList* list);

// Copies `row` into the first free entry and reports its index; refused
// (list unchanged) with kFixDuplicate when a used entry in front of it names
// the same window, kFixListFull when no entry is free, or kFixNoNames when
// both names are empty (a window that vanished while it was read), since such
// an entry would count as free.
int fixEntry(FixedWindowList* list, const FixedWindowEntry& row, int* index);

// Removes entry `index` (0 to 19): the later entries move up by one and the
// last is cleared. Returns 1 for an index outside the list.
int releaseEntry(FixedWindowList* list, int index);
