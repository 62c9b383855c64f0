#include "settings/rule_editor.h"

#include <cstring>

#include "engine/ordinary_window.h"
#include "engine/top_windows.h"
#include "platform/dialog.h"
#include "platform/ui_text.h"
#include "res/resource.h"

namespace {

// Field texts: up to 255 characters of four bytes, and room to tell that a
// text is longer.
constexpr int kFieldSize = 4 * kMaxPatternChars + 8;

struct Field {
    int id;
    std::string WindowRule::*pattern;
};

constexpr Field kFields[] = {
    {IDC_RULE_PROGRAM, &WindowRule::program},
    {IDC_RULE_CLASS, &WindowRule::className},
    {IDC_RULE_TITLE, &WindowRule::title},
};

std::string fieldText(platform::WindowHandle dialog, int id) {
    char text[kFieldSize];
    platform::getControlText(dialog, id, text, kFieldSize);
    return text;
}

bool shellClass(const char* className) {
    for (int i = 0; i < kSnapshotShellClasses; ++i) {
        if (std::strcmp(className, kShellClasses[i]) == 0) return true;
    }
    return false;
}

}  // namespace

std::vector<PickWindow> collectPickWindows(platform::WindowHandle ownWindow) {
    std::vector<PickWindow> found;
    uint32_t own = 0;
    uint64_t start = 0;
    const bool ownKnown = platform::windowProcess(ownWindow, &own, &start);
    TopWindows list;
    list.take();
    for (const platform::WindowHandle w : list) {
        const uint32_t show = platform::getShowState(w);
        if (show != platform::kShowNormal && show != platform::kShowMaximized) continue;
        platform::Rect r{};
        if (!platform::getWindowRect(w, &r) || r.left == r.right || r.top == r.bottom) continue;
        uint32_t id = 0;
        if (ownKnown && platform::windowProcess(w, &id, &start) && id == own) continue;
        char className[kTitleSize];
        className[0] = '\0';
        platform::getClassName(w, className, kTitleSize);
        className[kTitleSize - 1] = '\0';
        if (shellClass(className)) continue;
        PickWindow p;
        char text[1024];
        platform::getWindowTextUtf8(w, text, sizeof text);
        p.title = text;
        // Class names are ASCII in practice; the narrow bytes as they are.
        p.className = platform::narrowToUtf8(className, kTitleSize);
        if (platform::windowProgram(w, text, sizeof text)) p.program = text;
        found.push_back(std::move(p));
    }
    return found;
}

std::string RuleEditor::line(const PickWindow& window) {
    return window.title + "  [" + window.className + (window.program.empty() ? "" : ", " + window.program) +
           "]";
}

void RuleEditor::onInit(platform::WindowHandle dialog, const WindowRule& given) {
    rule = given;
    for (const Field& f : kFields) platform::setControlText(dialog, f.id, (rule.*f.pattern).c_str());
    platform::setChecked(dialog, IDC_RULE_STAY, rule.action != kRuleIgnore);
    platform::setChecked(dialog, IDC_RULE_IGNORE, rule.action == kRuleIgnore);
    platform::setControlText(dialog, IDC_RULE_ERROR, "");
    windows = collectPickWindows(dialog);
    platform::listReset(dialog, IDC_RULE_PICK);
    for (const PickWindow& w : windows) platform::listInsert(dialog, IDC_RULE_PICK, -1, line(w).c_str());
}

void RuleEditor::onPick(platform::WindowHandle dialog) {
    const int s = platform::listSelection(dialog, IDC_RULE_PICK);
    if (s < 0 || s >= static_cast<int>(windows.size())) return;
    const PickWindow& w = windows[static_cast<size_t>(s)];
    platform::setControlText(dialog, IDC_RULE_PROGRAM, w.program.c_str());
    platform::setControlText(dialog, IDC_RULE_CLASS, w.className.c_str());
    platform::setControlText(dialog, IDC_RULE_TITLE, w.title.c_str());
    platform::setControlText(dialog, IDC_RULE_ERROR, "");
}

int RuleEditor::onOk(platform::WindowHandle dialog) {
    WindowRule edited;
    edited.action = platform::isChecked(dialog, IDC_RULE_IGNORE) ? kRuleIgnore : kRuleStay;
    for (const Field& f : kFields) {
        // Spaces around a pattern would not survive the file.
        std::string text = fieldText(dialog, f.id);
        const size_t first = text.find_first_not_of(' ');
        text = first == std::string::npos ? std::string()
                                          : text.substr(first, text.find_last_not_of(' ') - first + 1);
        const int why = checkPattern(text);
        if (why != 0) {
            platform::setControlText(dialog, IDC_RULE_ERROR,
                                     platform::uiText(IDS_PATTERN_CONTROL - 1 + why).c_str());
            platform::markControl(dialog, f.id);
            return 1;
        }
        edited.*f.pattern = std::move(text);
    }
    if (!usableRule(edited)) {
        platform::setControlText(dialog, IDC_RULE_ERROR, platform::uiText(IDS_RULE_NO_PATTERN).c_str());
        platform::markControl(dialog, IDC_RULE_PROGRAM);
        return 1;
    }
    rule = edited;
    return 0;
}
