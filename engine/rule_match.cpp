// Wildcard matching over UTF-8, with simple case folding.
#include "engine/rule_match.h"

namespace {

// One character of s at *i: its code point, *i moved past it. A byte that
// does not start valid UTF-8 is one character of its own, kept apart from
// every code point.
uint32_t nextChar(const char* s, size_t* i) {
    const unsigned char c = static_cast<unsigned char>(s[*i]);
    const uint32_t stray = 0x110000u + c;
    int more = 0;
    uint32_t cp = 0;
    if (c < 0x80) {
        ++*i;
        return c;
    } else if (c >= 0xC2 && c <= 0xDF) {
        more = 1;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        more = 2;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        more = 3;
        cp = c & 0x07;
    } else {
        ++*i;
        return stray;
    }
    for (int k = 1; k <= more; ++k) {
        const unsigned char t = static_cast<unsigned char>(s[*i + static_cast<size_t>(k)]);
        // A terminator is no continuation byte, so this never reads past it.
        if ((t & 0xC0) != 0x80) {
            ++*i;
            return stray;
        }
        cp = (cp << 6) | (t & 0x3F);
    }
    *i += static_cast<size_t>(more) + 1;
    return cp;
}

// The lower-case form of the letters of the scripts window titles mostly use.
uint32_t fold(uint32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c < 0xC0) return c;
    if (c <= 0xDE) return c == 0xD7 ? c : c + 32;              // Latin-1, not the sign ×
    if (c >= 0x100 && c <= 0x137) return c | 1;                // Latin Extended-A: pairs
    if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;  // odd upper, even lower
    if (c >= 0x14A && c <= 0x177) return c | 1;
    if (c == 0x178) return 0xFF;  // Ÿ
    if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
    if (c >= 0x391 && c <= 0x3AB && c != 0x3A2) return c + 32;  // Greek
    if (c >= 0x400 && c <= 0x40F) return c + 80;                // Cyrillic Ѐ..Џ
    if (c >= 0x410 && c <= 0x42F) return c + 32;                // Cyrillic А..Я
    if (c >= 0xFF21 && c <= 0xFF3A) return c + 32;              // full-width Ａ..Ｚ
    return c;
}

bool sameChar(uint32_t p, uint32_t t, bool foldCase) { return p == t || (foldCase && fold(p) == fold(t)); }

}  // namespace

bool wildcardMatch(const char* pattern, const char* text, bool foldCase) {
    // Greedy with one remembered star: on a mismatch the last star takes one
    // more character and the rest of the pattern is tried again from there.
    // At most pattern length x text length steps, no recursion.
    size_t p = 0;
    size_t t = 0;
    size_t starP = 0;
    size_t starT = 0;
    bool star = false;
    while (text[t] != '\0') {
        if (pattern[p] == '*') {
            while (pattern[p] == '*') ++p;
            if (pattern[p] == '\0') return true;
            star = true;
            starP = p;
            starT = t;
            continue;
        }
        if (pattern[p] != '\0') {
            size_t np = p;
            size_t nt = t;
            const uint32_t pc = nextChar(pattern, &np);
            const uint32_t tc = nextChar(text, &nt);
            if (pc == '?' || sameChar(pc, tc, foldCase)) {
                p = np;
                t = nt;
                continue;
            }
        }
        if (!star) return false;
        nextChar(text, &starT);
        p = starP;
        t = starT;
    }
    while (pattern[p] == '*') ++p;
    return pattern[p] == '\0';
}

bool ruleMatches(const WindowRule& rule, const RuleSubject& subject) {
    const struct {
        const std::string& pattern;
        const char* text;
        bool foldCase;
    } fields[] = {
        {rule.program, subject.program, true},
        {rule.className, subject.className, false},
        {rule.title, subject.title, true},
    };
    for (const auto& f : fields) {
        if (f.pattern.empty()) continue;
        if (!f.text || !wildcardMatch(f.pattern.c_str(), f.text, f.foldCase)) return false;
    }
    return true;
}

int32_t firstRuleAction(const WindowRuleList& rules, const RuleSubject& subject) {
    for (const WindowRule& rule : rules) {
        if (ruleMatches(rule, subject)) return rule.action;
    }
    return kRuleNone;
}
