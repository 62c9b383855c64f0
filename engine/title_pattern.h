// Window titles matched against a pattern of the companion's go command:
// `*` stands for any run of characters (none included), `?` for exactly one
// character, everything else for itself without regard to case. The whole
// title must match. Both are UTF-8; a character is a code point.
#pragma once

#include <cstddef>

// True when the title matches. Bytes that are not well-formed UTF-8 count
// as one character each. Time at most proportional to the product of the
// two lengths; no recursion (the window rules' wildcardMatch, case folded).
bool titleMatches(const char* pattern, const char* title);
