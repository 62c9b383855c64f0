// The rule editor of the Windows tab (resource 117), apart from its Win32
// procedure: the three patterns, the action, and "Pick a window", a list of
// the windows open now that fills in the program, class and title of the one
// chosen. Patterns that cannot be stored are refused with their field marked.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"
#include "store/window_rules.h"

// A window offered by "Pick a window": its names as a rule would match them.
struct PickWindow {
    std::string program;
    std::string className;
    std::string title;
};

// The visible top-level windows shown normally or maximized with a real
// rectangle, topmost first, except the shell's and those of the process
// that owns `ownWindow` (this program's dialogs and navigator).
std::vector<PickWindow> collectPickWindows(platform::WindowHandle ownWindow);

class RuleEditor {
public:
    // The editor opens: the fields show `given` and the pick list the windows
    // open now.
    void onInit(platform::WindowHandle dialog, const WindowRule& given);
    // A line of the pick list chosen: its names into the three fields.
    void onPick(platform::WindowHandle dialog);
    // OK: the fields into `rule`. 0; 1 when a pattern cannot be stored or
    // none is given: the field is marked, the reason shown, nothing taken.
    int onOk(platform::WindowHandle dialog);

    WindowRule rule;
    std::vector<PickWindow> windows;

    // A pick list line: title, class and program.
    static std::string line(const PickWindow& window);
};
