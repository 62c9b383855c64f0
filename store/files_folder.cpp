#include "store/files_folder.h"

#include <cctype>

namespace {

std::string normalised(std::string path) {
    while (path.size() > 1 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    for (char& c : path) {
        if (c == '/') c = '\\';
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return path;
}

bool samePath(const std::string& a, const std::string& b) {
    return !a.empty() && !b.empty() && normalised(a) == normalised(b);
}

}  // namespace

std::string filesFolder(const FolderFacts& facts) {
    if (!samePath(facts.current, facts.system) && !samePath(facts.current, facts.windows)) return "";
    if (facts.exeHasFiles && !facts.exe.empty()) return facts.exe;
    if (!facts.appData.empty()) {
        std::string folder = facts.appData;
        if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
        return folder + kAppDataFolder;
    }
    return facts.exe;
}
