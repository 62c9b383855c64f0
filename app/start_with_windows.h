// Starting with Windows: the Run entry of the current user, and the folder
// the program's files live in when Windows starts it from there.
#pragma once

// HKCU\Software\Microsoft\Windows\CurrentVersion\Run, value "Wideroom".
constexpr const wchar_t* kRunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const wchar_t* kRunValue = L"Wideroom";

// Whether the Run entry names this exe.
bool startsWithWindows();
// Writes the entry (the exe's quoted path) or removes it; 0 on success.
int setStartWithWindows(bool on);

// A start in the system or Windows folder (as from the Run entry) changes to
// the folder of the files (store/files_folder.h), creating it when needed.
void enterFilesFolder();
