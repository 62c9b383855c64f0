// Window rules in the options file "Wideroom.ini": one section a rule,
// "[Rule1]", "[Rule2]", ..., tried in the order of their numbers (gaps
// allowed), the first match winning:
//
//     [Rule1]
//     Action=stay          ; or ignore
//     Program=notepad.exe  ; the executable's file name, without its folder
//     Class=Acc*
//     Title=Ign ?
//
// Each pattern is optional (missing or empty: any), with "*" and "?"
// wildcards. A section that names no pattern, an unknown action or a pattern
// that cannot be stored, and every rule past the first kMaxWindowRules, is
// not a rule: it is ignored, and kept in the file as written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class IniDocument;

constexpr int kMaxWindowRules = 64;
// Patterns hold at most this many characters (code points), no control
// character, valid UTF-8.
constexpr int kMaxPatternChars = 255;

constexpr int32_t kRuleNone = 0;
constexpr int32_t kRuleStay = 1;    // stays on the screen while the view moves
constexpr int32_t kRuleIgnore = 2;  // left alone entirely

struct WindowRule {
    int32_t action = kRuleStay;
    std::string program;  // UTF-8 patterns; empty: any
    std::string className;
    std::string title;
    bool operator==(const WindowRule&) const = default;
};

using WindowRuleList = std::vector<WindowRule>;

// Why a pattern cannot be stored: 0 (it can), kPatternControl (a control
// character, or text that is not UTF-8) or kPatternTooLong.
constexpr int kPatternControl = 1;
constexpr int kPatternTooLong = 2;
int checkPattern(const std::string& pattern);

// A rule that can be stored and used: an action of its own, at least one
// pattern, every pattern storable.
bool usableRule(const WindowRule& rule);

// The action's name in the file ("stay", "ignore"), or null.
const char* ruleActionName(int32_t action);

// The rules of the document, in the order of their numbers.
WindowRuleList readWindowRules(const IniDocument& doc);
// Puts `rules` into the document in place of the rules it holds: their
// sections go, the new ones are numbered from 1 up, past the numbers of the
// sections that are kept because they are not rules. Rules that are not
// usable are left out. Rules equal to those the document holds leave it as
// it is, comments and numbers included.
void writeWindowRules(IniDocument* doc, const WindowRuleList& rules);

// The same over a file: reading gives no rules when the file cannot be
// opened (1); writing keeps the rest of the file, in one safe step (0, or the
// status of the write).
int loadWindowRules(const char* name, WindowRuleList* rules);
int saveWindowRules(const char* name, const WindowRuleList& rules);
