#include "app/language.h"

#include "platform/ui_text.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/language.h"

void chooseUiLanguage(int option) {
    int language = chooseLanguage(option, GetThreadUILanguage());
    platform::setUiLanguage(language);
    // What the system itself shows for this thread (message box buttons,
    // common dialogs) follows as far as it has the language.
    SetThreadUILanguage(language == platform::kLanguageEnglish ? MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)
                                                               : MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
}

void localiseMenu(HWND window) {
    HMENU menu = platform::loadUiMenu(IDR_MENU);
    if (!menu) return;
    HMENU old = GetMenu(window);
    if (!SetMenu(window, menu)) {
        DestroyMenu(menu);
        return;
    }
    if (old) DestroyMenu(old);
}

std::string helpFilePath() {
    const std::string name = platform::uiText(IDS_HELP_FILE);
    // The help library takes a narrow name; an exe path the code page cannot
    // spell comes back with '?' and is not found, so the bare name follows.
    char exe[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return name;
    std::string path(exe, length);
    size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return name;
    path.resize(slash + 1);
    path += name;
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return name;
    return path;
}
