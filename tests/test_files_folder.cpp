// The folder of the files when the program starts in the system folder, as
// the programs of Windows' Run entries do.
#include <gtest/gtest.h>

#include "store/files_folder.h"

namespace {

TEST(FilesFolder, AStartInTheSystemFolderMovesToWhereTheFilesLive) {
    const std::string sys = "C:\\Windows\\system32";
    const std::string win = "C:\\Windows";
    const std::string exe = "C:\\Users\\u\\AppData\\Local\\Programs\\Wideroom";
    const std::string app = "C:\\Users\\u\\AppData\\Roaming";
    const struct {
        const char* what;
        std::string current;
        bool exeHasFiles;
        std::string appData;
        std::string expected;
    } rows[] = {
        {"a shortcut's own folder stays", app + "\\Wideroom", false, app, ""},
        {"any other folder stays", "D:\\tools", false, app, ""},
        {"the exe's folder stays", exe, true, app, ""},
        {"system folder: installed copy", sys, false, app, app + "\\Wideroom"},
        {"system folder written otherwise", "c:/windows/SYSTEM32/", false, app, app + "\\Wideroom"},
        {"Windows folder", win + "\\", false, app + "\\", app + "\\Wideroom"},
        {"portable copy with its files beside it", sys, true, app, exe},
        {"no APPDATA: beside the exe", sys, false, "", exe},
        // Only the folders themselves, not what is inside them.
        {"a folder below the system folder stays", sys + "\\drivers", false, app, ""},
    };
    for (const auto& row : rows) {
        FolderFacts facts{row.current, sys, win, exe, row.exeHasFiles, row.appData};
        EXPECT_EQ(filesFolder(facts), row.expected) << row.what;
    }
    // Unknown system folders never match an unknown current directory.
    EXPECT_EQ(filesFolder(FolderFacts{"", "", "", exe, false, app}), "");
}

}  // namespace
