#include "settings/rules_page.h"

#include <cstdio>
#include <utility>

#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"

namespace {

std::string patternText(const std::string& pattern) {
    return pattern.empty() ? platform::uiText(IDS_RULE_ANY) : pattern;
}

}  // namespace

std::string RulesPage::line(const WindowRule& rule) {
    std::string text = platform::uiText(rule.action == kRuleIgnore ? IDS_RULE_IGNORE : IDS_RULE_STAY);
    text += ": ";
    text += patternText(rule.program);
    text += " | ";
    text += patternText(rule.className);
    text += " | ";
    text += patternText(rule.title);
    return text;
}

void RulesPage::show(platform::WindowHandle dialog, int select) {
    platform::listReset(dialog, IDC_RULES);
    for (const WindowRule& rule : list) platform::listInsert(dialog, IDC_RULES, -1, line(rule).c_str());
    platform::listSelect(dialog, IDC_RULES, select);
}

void RulesPage::onInit(platform::WindowHandle dialog, const WindowRuleList& current) {
    list.clear();
    for (const WindowRule& rule : current) {
        if (usableRule(rule) && static_cast<int>(list.size()) < kMaxWindowRules) list.push_back(rule);
    }
    show(dialog, -1);
}

int RulesPage::add(platform::WindowHandle dialog, const WindowRule& rule) {
    if (!usableRule(rule)) return 1;
    if (static_cast<int>(list.size()) >= kMaxWindowRules) {
        char text[256];
        std::snprintf(text, sizeof text, platform::uiText(IDS_RULES_FULL_TEXT).c_str(), kMaxWindowRules);
        platform::warningBox(dialog, text, platform::uiText(IDS_RULES_FULL_CAPTION).c_str());
        return 1;
    }
    list.push_back(rule);
    show(dialog, static_cast<int>(list.size()) - 1);
    return 0;
}

bool RulesPage::selected(platform::WindowHandle dialog, WindowRule* rule) const {
    const int s = platform::listSelection(dialog, IDC_RULES);
    if (s < 0 || s >= static_cast<int>(list.size())) return false;
    *rule = list[static_cast<size_t>(s)];
    return true;
}

void RulesPage::replaceSelected(platform::WindowHandle dialog, const WindowRule& rule) {
    const int s = platform::listSelection(dialog, IDC_RULES);
    if (s < 0 || s >= static_cast<int>(list.size()) || !usableRule(rule)) return;
    list[static_cast<size_t>(s)] = rule;
    show(dialog, s);
}

void RulesPage::removeSelected(platform::WindowHandle dialog) {
    const int s = platform::listSelection(dialog, IDC_RULES);
    if (s < 0 || s >= static_cast<int>(list.size())) return;
    list.erase(list.begin() + s);
    // The next rule is selected, so that several go one after another.
    const int count = static_cast<int>(list.size());
    show(dialog, s < count ? s : count - 1);
}

void RulesPage::moveSelected(platform::WindowHandle dialog, int by) {
    const int s = platform::listSelection(dialog, IDC_RULES);
    const int to = s + by;
    if (s < 0 || s >= static_cast<int>(list.size()) || to < 0 || to >= static_cast<int>(list.size())) return;
    std::swap(list[static_cast<size_t>(s)], list[static_cast<size_t>(to)]);
    show(dialog, to);
}
