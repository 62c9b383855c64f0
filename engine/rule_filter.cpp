// The rules as the snapshot, the re-fit and the gathering ask them.
#include "engine/rule_filter.h"

#include <cstring>

#include "engine/rule_match.h"

namespace {

void copyName(char* field, const char* name, int size) {
    const size_t n = strnlen(name, static_cast<size_t>(size) - 1);
    std::memcpy(field, name, n);
    field[n] = '\0';
}

}  // namespace

void RuleFilter::setRules(const WindowRuleList& rules) {
    list.clear();
    needProgram = false;
    needTitle = false;
    for (const WindowRule& rule : rules) {
        if (!usableRule(rule) || static_cast<int>(list.size()) == kMaxWindowRules) continue;
        list.push_back(rule);
        needProgram = needProgram || !rule.program.empty();
        needTitle = needTitle || !rule.title.empty();
    }
    ++generation;
    if (!list.empty() && entries.empty()) entries.resize(kEntries);
}

RuleFilter::Entry* RuleFilter::entryOf(platform::WindowHandle window, const char* className) {
    Entry* e = nullptr;
    if (cursor < count && entries[static_cast<size_t>(cursor)].window == window) {
        e = &entries[static_cast<size_t>(cursor)];
    } else {
        for (int i = 0; i < count; ++i) {
            if (entries[static_cast<size_t>(i)].window == window) {
                e = &entries[static_cast<size_t>(i)];
                cursor = i;
                break;
            }
        }
    }
    if (e && std::strcmp(e->className, className) != 0) {
        // Another window under a handle that came free: asked afresh.
        e->programRead = false;
        e->generation = generation - 1;
    }
    if (!e) {
        if (count < static_cast<int>(entries.size())) {
            cursor = count++;
            e = &entries[static_cast<size_t>(cursor)];
        } else {
            e = &spare;
        }
        e->window = window;
        e->programRead = false;
        e->narrowTitle[0] = '\0';
        e->generation = generation - 1;
    }
    ++cursor;
    e->seenPass = pass;
    return e;
}

int32_t RuleFilter::decide(Entry* e, platform::WindowHandle window, bool checkProcess) {
    if (needProgram && e->programRead && checkProcess) {
        // The title changed: the handle may be another program's by now.
        uint32_t id = 0;
        uint64_t start = 0;
        if (!platform::windowProcess(window, &id, &start) || id != e->processId) e->programRead = false;
    }
    if (needProgram && !e->programRead) {
        e->programKnown = platform::windowProgram(window, e->program, kProgramSize);
        uint64_t start = 0;
        e->processId = 0;
        if (e->programKnown) platform::windowProcess(window, &e->processId, &start);
        e->programRead = true;
    }
    title[0] = '\0';
    if (needTitle) platform::getWindowTextUtf8(window, title, kTitleSize);
    const RuleSubject subject{e->programRead && e->programKnown ? e->program : nullptr, e->className, title};
    e->action = firstRuleAction(list, subject);
    e->generation = generation;
    return e->action;
}

int32_t RuleFilter::actionFor(platform::WindowHandle window, const char* narrowTitle, const char* className) {
    if (list.empty()) return kRuleNone;
    Entry* e = entryOf(window, className);
    const bool titleChanged = std::strcmp(e->narrowTitle, narrowTitle) != 0;
    if (!titleChanged && e->generation == generation) return e->action;
    copyName(e->narrowTitle, narrowTitle, kNameSize);
    copyName(e->className, className, kNameSize);
    return decide(e, window, titleChanged);
}

int32_t RuleFilter::actionOf(platform::WindowHandle window) {
    if (list.empty()) return kRuleNone;
    char narrowTitle[kNameSize];
    char className[kNameSize];
    narrowTitle[0] = '\0';
    className[0] = '\0';
    platform::getWindowText(window, narrowTitle, kNameSize);
    platform::getClassName(window, className, kNameSize);
    narrowTitle[kNameSize - 1] = '\0';
    className[kNameSize - 1] = '\0';
    return actionFor(window, narrowTitle, className);
}

void RuleFilter::endPass() {
    int kept = 0;
    for (int i = 0; i < count; ++i) {
        if (entries[static_cast<size_t>(i)].seenPass != pass) continue;
        if (kept != i) entries[static_cast<size_t>(kept)] = entries[static_cast<size_t>(i)];
        ++kept;
    }
    count = kept;
    cursor = 0;
    ++pass;
}
