// Window rules over the INI document.
#include "store/window_rules.h"

#include <algorithm>
#include <cstring>

#include "store/file_io.h"
#include "store/ini_document.h"

namespace {

// The options file is small; a file this large is not ours.
constexpr size_t kMaxRulesFile = 4u << 20;
constexpr const char* kRulePrefix = "Rule";
constexpr uint32_t kMaxRuleNumber = 999999999;

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool sameAscii(const std::string& a, const char* b) {
    if (a.size() != std::strlen(b)) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The number of a section named "Rule<n>" (n from 1, no leading zero), or 0.
uint32_t ruleNumber(const std::string& section) {
    const size_t prefix = std::strlen(kRulePrefix);
    if (section.size() <= prefix || section.size() > prefix + 9) return 0;
    for (size_t i = 0; i < prefix; ++i) {
        if (lower(section[i]) != lower(kRulePrefix[i])) return 0;
    }
    if (section[prefix] == '0') return 0;
    uint32_t n = 0;
    for (size_t i = prefix; i < section.size(); ++i) {
        if (section[i] < '0' || section[i] > '9') return 0;
        n = n * 10 + static_cast<uint32_t>(section[i] - '0');
    }
    return n <= kMaxRuleNumber ? n : 0;
}

struct Section {
    uint32_t number;
    std::string name;
};

// The rule sections of the document by number; of two sections of one name
// only the first can be read, so the second is none.
std::vector<Section> ruleSections(const IniDocument& doc) {
    std::vector<Section> found;
    for (const std::string& name : doc.sectionNames()) {
        const uint32_t n = ruleNumber(name);
        if (n == 0) continue;
        const bool again =
            std::any_of(found.begin(), found.end(), [&](const Section& s) { return s.number == n; });
        if (!again) found.push_back({n, name});
    }
    std::sort(found.begin(), found.end(),
              [](const Section& a, const Section& b) { return a.number < b.number; });
    return found;
}

// The section's rule; false when it is not one.
bool readRule(const IniDocument& doc, const std::string& section, WindowRule* rule) {
    const std::string* action = doc.find(section.c_str(), "Action");
    if (!action) return false;
    if (sameAscii(*action, "stay")) {
        rule->action = kRuleStay;
    } else if (sameAscii(*action, "ignore")) {
        rule->action = kRuleIgnore;
    } else {
        return false;
    }
    const std::string* program = doc.find(section.c_str(), "Program");
    const std::string* className = doc.find(section.c_str(), "Class");
    const std::string* title = doc.find(section.c_str(), "Title");
    rule->program = program ? *program : std::string();
    rule->className = className ? *className : std::string();
    rule->title = title ? *title : std::string();
    return usableRule(*rule);
}

std::string numbered(uint32_t n) { return kRulePrefix + std::to_string(n); }

}  // namespace

int checkPattern(const std::string& pattern) {
    int chars = 0;
    size_t i = 0;
    while (i < pattern.size()) {
        const unsigned char c = static_cast<unsigned char>(pattern[i]);
        int more = 0;
        uint32_t cp = c;
        if (c < 0x80) {
            if (c < 0x20 || c == 0x7F) return kPatternControl;
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
            return kPatternControl;
        }
        if (more > 0 && i + static_cast<size_t>(more) >= pattern.size()) return kPatternControl;
        for (int k = 1; k <= more; ++k) {
            const unsigned char t = static_cast<unsigned char>(pattern[i + static_cast<size_t>(k)]);
            if ((t & 0xC0) != 0x80) return kPatternControl;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((more == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (more == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return kPatternControl;
        // The C1 controls.
        if (cp >= 0x80 && cp <= 0x9F) return kPatternControl;
        i += static_cast<size_t>(more) + 1;
        if (++chars > kMaxPatternChars) return kPatternTooLong;
    }
    return 0;
}

bool usableRule(const WindowRule& rule) {
    if (rule.action != kRuleStay && rule.action != kRuleIgnore) return false;
    if (rule.program.empty() && rule.className.empty() && rule.title.empty()) return false;
    return checkPattern(rule.program) == 0 && checkPattern(rule.className) == 0 &&
           checkPattern(rule.title) == 0;
}

const char* ruleActionName(int32_t action) {
    if (action == kRuleStay) return "stay";
    if (action == kRuleIgnore) return "ignore";
    return nullptr;
}

WindowRuleList readWindowRules(const IniDocument& doc) {
    WindowRuleList rules;
    for (const Section& s : ruleSections(doc)) {
        if (static_cast<int>(rules.size()) == kMaxWindowRules) break;
        WindowRule rule;
        if (readRule(doc, s.name, &rule)) rules.push_back(std::move(rule));
    }
    return rules;
}

void writeWindowRules(IniDocument* doc, const WindowRuleList& rules) {
    WindowRuleList usable;
    for (const WindowRule& rule : rules) {
        if (usableRule(rule) && static_cast<int>(usable.size()) < kMaxWindowRules) usable.push_back(rule);
    }
    if (readWindowRules(*doc) == usable) return;
    // The sections read as rules go; the others keep their numbers (a
    // second section of a number among them).
    int read = 0;
    for (const Section& s : ruleSections(*doc)) {
        WindowRule rule;
        if (read < kMaxWindowRules && readRule(*doc, s.name, &rule)) {
            doc->removeSection(s.name.c_str());
            ++read;
        }
    }
    std::vector<uint32_t> kept;
    for (const std::string& name : doc->sectionNames()) kept.push_back(ruleNumber(name));
    uint32_t n = 0;
    for (const WindowRule& rule : usable) {
        do {
            ++n;
        } while (std::find(kept.begin(), kept.end(), n) != kept.end());
        const std::string section = numbered(n);
        doc->set(section.c_str(), "Action", ruleActionName(rule.action));
        if (!rule.program.empty()) doc->set(section.c_str(), "Program", rule.program);
        if (!rule.className.empty()) doc->set(section.c_str(), "Class", rule.className);
        if (!rule.title.empty()) doc->set(section.c_str(), "Title", rule.title);
    }
}

int loadWindowRules(const char* name, WindowRuleList* rules) {
    rules->clear();
    std::vector<unsigned char> bytes;
    const int status = file_io::readAll(name, kMaxRulesFile, &bytes);
    if (status != 0) return status;
    IniDocument doc;
    doc.parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    *rules = readWindowRules(doc);
    return 0;
}

int saveWindowRules(const char* name, const WindowRuleList& rules) {
    std::vector<unsigned char> bytes;
    file_io::readAll(name, kMaxRulesFile, &bytes);
    IniDocument doc;
    doc.parse(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    writeWindowRules(&doc, rules);
    const std::string text = doc.text();
    return file_io::writeWholeToDisk(name, reinterpret_cast<const unsigned char*>(text.data()), text.size());
}
