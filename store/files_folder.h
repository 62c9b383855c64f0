// Where the program's files live when it is started in a folder that cannot
// be theirs. Windows starts the programs of its Run entries (start with
// Windows) in the system folder; the files belong in the folder the user
// keeps them in: beside the exe for a portable copy that has them there,
// else %APPDATA%\Wideroom, where the installed program keeps them.
#pragma once

#include <string>

struct FolderFacts {
    std::string current;  // the current directory
    std::string system;   // GetSystemDirectory
    std::string windows;  // GetWindowsDirectory
    std::string exe;      // the folder of the exe
    bool exeHasFiles;     // a settings, placement or options file beside the exe
    std::string appData;  // %APPDATA% ("" when unknown)
};

// The folder to change to, or "" to stay in the current directory. Paths are
// compared without regard to case or a trailing backslash, as Windows does.
std::string filesFolder(const FolderFacts& facts);

// The name of the folder under %APPDATA%.
constexpr const char* kAppDataFolder = "Wideroom";
