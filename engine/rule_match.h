// Matching windows against the window rules: wildcards over UTF-8 text, and
// the first rule that matches. Pure: no platform call, nothing allocated.
#pragma once

#include <cstdint>

#include "store/window_rules.h"

// The pattern matches the whole text: "*" any run of characters (none
// included), "?" exactly one character (a code point, whatever its bytes).
// With foldCase, letters compare without regard to case (ASCII, Latin-1,
// Latin Extended-A, Greek, Cyrillic and the full-width Latin letters). Bytes
// that are not UTF-8 count as one character each and match only themselves.
bool wildcardMatch(const char* pattern, const char* text, bool foldCase);

// What a window is to a rule: its program's file name, class name and title,
// all UTF-8 (null: not known, which only a missing pattern matches).
struct RuleSubject {
    const char* program;
    const char* className;
    const char* title;
};

// Program names and titles compare without regard to case, class names
// exactly as written; a missing (empty) pattern matches anything.
bool ruleMatches(const WindowRule& rule, const RuleSubject& subject);

// The action of the first rule that matches, kRuleNone when none does.
int32_t firstRuleAction(const WindowRuleList& rules, const RuleSubject& subject);
