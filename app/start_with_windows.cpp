#include "app/start_with_windows.h"

#include <windows.h>

#include <shlobj.h>

#include <string>

#include "store/files_folder.h"
#include "store/options.h"
#include "store/records.h"

namespace {

std::wstring exePath() {
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::wstring();
    return std::wstring(path, length);
}

// Quoted, so that a path with spaces is one program name.
std::wstring runCommand() { return L"\"" + exePath() + L"\""; }

std::string utf8(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                nullptr);
    if (n <= 0) return std::string();
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                        nullptr);
    return out;
}

std::wstring wide(const std::string& text) {
    if (text.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0) return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::wstring folderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool fileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::wstring systemFolder(UINT(WINAPI* query)(LPWSTR, UINT)) {
    wchar_t path[MAX_PATH];
    UINT length = query(path, MAX_PATH);
    return length == 0 || length >= MAX_PATH ? std::wstring() : std::wstring(path, length);
}

}  // namespace

bool startsWithWindows() {
    wchar_t value[MAX_PATH + 8];
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return false;
    return CompareStringOrdinal(value, -1, runCommand().c_str(), -1, TRUE) == CSTR_EQUAL;
}

int setStartWithWindows(bool on) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return 1;
    LONG result;
    if (on) {
        const std::wstring command = runCommand();
        result = RegSetValueExW(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                                static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
    } else {
        result = RegDeleteValueW(key, kRunValue);
        if (result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS ? 0 : 1;
}

void enterFilesFolder() {
    wchar_t current[MAX_PATH];
    DWORD length = GetCurrentDirectoryW(MAX_PATH, current);
    if (length == 0 || length >= MAX_PATH) return;
    const std::wstring exe = folderOf(exePath());
    bool exeHasFiles = false;
    for (const char* name : {kSettingsFileName, kPlacementFileName, kOptionsFileName})
        exeHasFiles = exeHasFiles || fileExists(exe + L"\\" + wide(name));
    wchar_t appData[MAX_PATH] = L"";
    if (SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData) != S_OK)
        appData[0] = 0;

    FolderFacts facts{utf8(std::wstring(current, length)),
                      utf8(systemFolder(GetSystemDirectoryW)),
                      utf8(systemFolder(GetWindowsDirectoryW)),
                      utf8(exe),
                      exeHasFiles,
                      utf8(appData)};
    const std::wstring folder = wide(filesFolder(facts));
    if (folder.empty()) return;
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(folder.c_str());
}
