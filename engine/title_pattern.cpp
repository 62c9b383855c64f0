// The companion's go pattern is the window rules' title match.
#include "engine/title_pattern.h"

#include "engine/rule_match.h"

bool titleMatches(const char* pattern, const char* title) { return wildcardMatch(pattern, title, true); }
