// The window rules on the options dialog's Windows tab, apart from its Win32
// procedure: a copy of the rules in force, shown one a line in list box
// IDC_RULES in the order they are tried, with add, edit, remove, up and down.
// Nothing reaches the engine until the dialog's OK.
#pragma once

#include <string>

#include "platform/desktop.h"
#include "store/window_rules.h"

class RulesPage {
public:
    // The list shows `current`.
    void onInit(platform::WindowHandle dialog, const WindowRuleList& current);
    // A rule from the editor: appended and selected. 0; 1 when the list is
    // full (a warning box says so) or the rule cannot be kept.
    int add(platform::WindowHandle dialog, const WindowRule& rule);
    // The selected rule, for the editor; false when none is selected.
    bool selected(platform::WindowHandle dialog, WindowRule* rule) const;
    // The selected rule replaced by the editor's.
    void replaceSelected(platform::WindowHandle dialog, const WindowRule& rule);
    // Remove, up and down on the selected rule (nothing without a selection).
    void removeSelected(platform::WindowHandle dialog);
    void moveSelected(platform::WindowHandle dialog, int by);

    const WindowRuleList& rules() const { return list; }

    // A rule's line: action, program, class and title ("(any)" when missing).
    static std::string line(const WindowRule& rule);

private:
    void show(platform::WindowHandle dialog, int select);
    WindowRuleList list;
};
