#include "app/language.h"

#include "platform/ui_text.h"
#include "platform/win32/ui_resources_win32.h"
#include "res/resource.h"
#include "settings/language.h"

namespace {

constexpr DWORD kValueSize = 16;

// `[General] Language=` of the options file in the current directory, where
// the other files are; "auto" when the file or the key is missing.
int languageFromOptions() {
    wchar_t directory[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, directory);
    if (length == 0 || length >= MAX_PATH) return kLanguageOptionAuto;
    // A full path: a bare name would be looked for in the Windows folder.
    std::wstring path(directory, length);
    path += L"\\Wideroom.ini";
    wchar_t value[kValueSize];
    GetPrivateProfileStringW(L"General", L"Language", L"auto", value, kValueSize, path.c_str());
    char narrow[kValueSize];
    int i = 0;
    for (; i < static_cast<int>(kValueSize) - 1 && value[i] != 0; ++i)
        narrow[i] = value[i] < 0x80 ? static_cast<char>(value[i]) : '?';
    narrow[i] = 0;
    return languageOption(narrow);
}

}  // namespace

void chooseUiLanguage() {
    int language = chooseLanguage(languageFromOptions(), GetThreadUILanguage());
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
