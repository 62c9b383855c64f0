// The window rules as the engine applies them: what each window is to the
// rules, asked of the window system as seldom as possible. Per window (by
// handle, and by program) the answer is kept with the narrow title and class
// name it was found for; the program's name is read once, the title in
// Unicode only when the narrow title changed (or the rules did), and a
// window's entry is dropped when a snapshot no longer sees it. Nothing is
// allocated but when rules are put in force.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/desktop.h"
#include "store/window_rules.h"

class RuleFilter {
public:
    // The rules in force from now on (usable ones only, at most
    // kMaxWindowRules); every window is asked again.
    void setRules(const WindowRuleList& rules);
    const WindowRuleList& rules() const { return list; }
    bool empty() const { return list.empty(); }

    // The action for a window whose narrow title and class name (terminated,
    // kTitleSize bytes) were just read: kRuleNone, kRuleStay or kRuleIgnore.
    int32_t actionFor(platform::WindowHandle window, const char* narrowTitle, const char* className);
    // The same for a window whose title and class name were not read yet.
    int32_t actionOf(platform::WindowHandle window);
    // The end of a complete snapshot: the entries of windows it did not ask
    // about go.
    void endPass();

    // For tests: the windows with an entry.
    int entryCount() const { return count; }

    static constexpr int kNameSize = 64;  // narrow title and class, as the snapshot reads them
    static constexpr int kProgramSize = 768;
    static constexpr int kTitleSize = 1024;  // the Unicode title, as UTF-8
    static constexpr int kEntries = 512;

private:
    struct Entry {
        platform::WindowHandle window;
        uint32_t processId;
        uint32_t seenPass;
        uint32_t generation;
        int32_t action;
        bool programKnown;
        bool programRead;
        char narrowTitle[kNameSize];
        char className[kNameSize];
        char program[kProgramSize];
    };
    Entry* entryOf(platform::WindowHandle window, const char* className);
    int32_t decide(Entry* e, platform::WindowHandle window, bool checkProcess);

    WindowRuleList list;
    bool needProgram = false;
    bool needTitle = false;
    uint32_t generation = 0;
    uint32_t pass = 0;
    std::vector<Entry> entries;  // kEntries, made with the first rules
    int count = 0;
    int cursor = 0;  // where the next window is likely found: walks keep their order
    Entry spare{};   // for a window past kEntries: asked every time
    char title[kTitleSize]{};
};
