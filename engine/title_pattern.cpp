// The go command's title match: a greedy scan that returns to the last star
// on a mismatch, the usual linear-space wildcard match.
#include "engine/title_pattern.h"

#include <cstdint>

namespace {

// The code point at s[i] and its length in bytes; a byte that starts no
// well-formed sequence is taken alone.
uint32_t decode(const unsigned char* s, size_t i, size_t* length) {
    const unsigned char c = s[i];
    int more = 0;
    uint32_t cp = c;
    if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        cp = c & 0x07;
    }
    for (int k = 1; k <= more; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) {  // a terminator stops here too
            *length = 1;
            return c;
        }
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    *length = static_cast<size_t>(more) + 1;
    return cp;
}

// Simple case folding of the scripts a title is likely to hold in both
// cases: Latin (ASCII, Latin-1, full-width), Greek and Cyrillic.
uint32_t fold(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;  // Ａ..Ｚ
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;
    if (c >= 0x410 && c <= 0x42F) return c + 32;
    if (c >= 0x400 && c <= 0x40F) return c + 80;
    return c;
}

}  // namespace

bool titleMatches(const char* pattern, const char* title) {
    const auto* p = reinterpret_cast<const unsigned char*>(pattern);
    const auto* t = reinterpret_cast<const unsigned char*>(title);
    size_t pi = 0;
    size_t ti = 0;
    size_t starP = SIZE_MAX;  // just after the last star seen
    size_t starT = 0;         // where the title stood when it was seen
    while (t[ti] != 0) {
        size_t pl = 0;
        size_t tl = 0;
        const uint32_t pc = p[pi] != 0 ? decode(p, pi, &pl) : 0;
        const uint32_t tc = decode(t, ti, &tl);
        if (pc == '*') {
            pi += pl;
            starP = pi;
            starT = ti;
        } else if (pc != 0 && (pc == '?' || fold(pc) == fold(tc))) {
            pi += pl;
            ti += tl;
        } else if (starP != SIZE_MAX) {
            // The star takes one more character.
            pi = starP;
            decode(t, starT, &tl);
            starT += tl;
            ti = starT;
        } else {
            return false;
        }
    }
    while (p[pi] == '*') ++pi;
    return p[pi] == 0;
}
