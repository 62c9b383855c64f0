// The Windows backend of platform/ui_text.h and the loading of the program's
// dialogs and menu in the chosen language. Resources are looked up by their
// language explicitly, so the choice holds whatever the system's own lookup
// order would pick; a resource without a version in the chosen language (the
// splash, the navigator) comes in Japanese.
#include "platform/win32/ui_resources_win32.h"

#include <string>

#include "platform/ui_text.h"

namespace platform {

namespace {

int chosenLanguage = kLanguageJapanese;

LANGID langIdOf(int language) {
    return language == kLanguageEnglish ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                        : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
}

HINSTANCE module() { return GetModuleHandleW(nullptr); }

// The resource's bytes in `language`, with their size; null when absent.
const void* resourceIn(LPCWSTR type, LPCWSTR name, int language, DWORD* size) {
    HRSRC found = FindResourceExW(module(), type, name, langIdOf(language));
    if (!found) return nullptr;
    HGLOBAL loaded = LoadResource(module(), found);
    if (!loaded) return nullptr;
    *size = SizeofResource(module(), found);
    return LockResource(loaded);
}

const void* uiResource(LPCWSTR type, LPCWSTR name, DWORD* size) {
    const void* data = resourceIn(type, name, chosenLanguage, size);
    if (!data && chosenLanguage != kLanguageJapanese) data = resourceIn(type, name, kLanguageJapanese, size);
    return data;
}

// String `id` of one language's table: the table is kept in blocks of 16
// counted UTF-16 strings.
bool stringIn(int id, int language, std::wstring* text) {
    DWORD size = 0;
    const auto* words = static_cast<const WCHAR*>(
        resourceIn(reinterpret_cast<LPCWSTR>(RT_STRING), MAKEINTRESOURCEW(id / 16 + 1), language, &size));
    if (!words) return false;
    const WCHAR* end = words + size / sizeof(WCHAR);
    const WCHAR* at = words;
    for (int i = 0; i < id % 16; ++i) {
        if (at >= end) return false;
        at += 1 + *at;
    }
    if (at >= end || *at == 0 || at + 1 + *at > end) return false;
    text->assign(at + 1, *at);
    return true;
}

std::string utf8Of(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int length = static_cast<int>(wide.size());
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

void setUiLanguage(int language) {
    chosenLanguage = language == kLanguageEnglish ? kLanguageEnglish : kLanguageJapanese;
}

int uiLanguage() { return chosenLanguage; }

std::string uiText(int id) {
    std::wstring text;
    if (!stringIn(id, chosenLanguage, &text)) stringIn(id, kLanguageJapanese, &text);
    return utf8Of(text);
}

HWND createUiDialog(HINSTANCE instance, int id, HWND parent, DLGPROC procedure) {
    DWORD size = 0;
    const void* tmpl = uiResource(reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(id), &size);
    if (!tmpl) return nullptr;
    return CreateDialogIndirectParamW(instance, static_cast<LPCDLGTEMPLATEW>(tmpl), parent, procedure, 0);
}

INT_PTR runUiDialog(HINSTANCE instance, int id, HWND owner, DLGPROC procedure) {
    DWORD size = 0;
    const void* tmpl = uiResource(reinterpret_cast<LPCWSTR>(RT_DIALOG), MAKEINTRESOURCEW(id), &size);
    if (!tmpl) return -1;
    return DialogBoxIndirectParamW(instance, static_cast<LPCDLGTEMPLATEW>(tmpl), owner, procedure, 0);
}

HMENU loadUiMenu(int id) {
    DWORD size = 0;
    const void* tmpl = uiResource(reinterpret_cast<LPCWSTR>(RT_MENU), MAKEINTRESOURCEW(id), &size);
    return tmpl ? LoadMenuIndirectW(tmpl) : nullptr;
}

}  // namespace platform
