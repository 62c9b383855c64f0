// The rule editor's procedure: turns messages into the editor logic's
// handlers.
#include "settings/rule_editor_win32.h"

#include <string>

#include "app/shell.h"
#include "platform/ui_text.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/rule_editor.h"

namespace {

RuleEditor editor;
bool editorAdding = false;

void setCaption(HWND dialog, int id) {
    const std::string text = platform::uiText(id);
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring caption(static_cast<size_t>(n > 0 ? n : 1), L'\0');
    if (n > 0) MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, caption.data(), n);
    SetWindowTextW(dialog, caption.c_str());
}

INT_PTR CALLBACK ruleEditorProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG:
            setCaption(dialog, editorAdding ? IDS_RULE_ADD_TITLE : IDS_RULE_EDIT_TITLE);
            editor.onInit(handleOf(dialog), editor.rule);
            return TRUE;
        case WM_COMMAND:
            switch (LOWORD(wParam)) {
                case IDOK:
                    // A pattern that cannot be stored keeps the editor open, marked.
                    if (editor.onOk(handleOf(dialog)) == 0) EndDialog(dialog, 1);
                    return TRUE;
                case IDCANCEL:
                    EndDialog(dialog, 0);
                    return TRUE;
                case IDC_RULE_PICK:
                    if (HIWORD(wParam) == LBN_SELCHANGE) editor.onPick(handleOf(dialog));
                    return TRUE;
                default:
                    return FALSE;
            }
        default:
            return FALSE;
    }
}

}  // namespace

int runRuleEditor(HWND owner, bool adding, WindowRule* rule) {
    editorAdding = adding;
    editor.rule = adding ? WindowRule{} : *rule;
    if (platform::runUiDialog(instance, IDD_RULE_EDITOR, owner, ruleEditorProc) != 1) return 0;
    *rule = editor.rule;
    return 1;
}
