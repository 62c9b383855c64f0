// The sim's platform/ui_text.h: the string tables read from the resource
// scripts of the source tree, so that the tests see the program's own texts.
// Never shipped.
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "platform/ui_text.h"

namespace platform {

namespace {

int chosenLanguage = kLanguageJapanese;

std::filesystem::path resDir() {
#ifdef WIDEROOM_RES_DIR
    // Given by the build: a compiler cache may make __FILE__ relative, and
    // the tests change the current folder.
    return WIDEROOM_RES_DIR;
#else
    return std::filesystem::path(__FILE__).parent_path().parent_path().parent_path() / "res";
#endif
}

std::string readRes(const char* name) {
    std::ifstream in(resDir() / name, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// "#define NAME 123" lines of strings.h.
std::map<std::string, int> stringIds() {
    std::map<std::string, int> ids;
    std::istringstream lines(readRes("strings.h"));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream words(line);
        std::string define, name;
        int value = 0;
        if (words >> define >> name >> value && define == "#define") ids[name] = value;
    }
    return ids;
}

// The `NAME, "text"` lines of the script's STRINGTABLE.
std::map<int, std::string> stringTable(const char* script) {
    const std::map<std::string, int> ids = stringIds();
    std::map<int, std::string> table;
    const std::string rc = readRes(script);
    size_t at = rc.find("\nSTRINGTABLE");
    if (at == std::string::npos) return table;
    std::istringstream lines(rc.substr(at));
    std::string line;
    while (std::getline(lines, line) && line != "END") {
        size_t comma = line.find(',');
        size_t open = line.find('"');
        size_t close = line.rfind('"');
        if (comma == std::string::npos || open == std::string::npos || close <= open) continue;
        std::string name = line.substr(0, comma);
        name.erase(0, name.find_first_not_of(' '));
        auto id = ids.find(name);
        if (id != ids.end()) table[id->second] = line.substr(open + 1, close - open - 1);
    }
    return table;
}

const std::map<int, std::string>& tableOf(int language) {
    static const std::map<int, std::string> japanese = stringTable("strings_ja.rc");
    static const std::map<int, std::string> english = stringTable("wideroom_en.rc");
    return language == kLanguageEnglish ? english : japanese;
}

}  // namespace

void setUiLanguage(int language) {
    chosenLanguage = language == kLanguageEnglish ? kLanguageEnglish : kLanguageJapanese;
}

int uiLanguage() { return chosenLanguage; }

std::string uiText(int id) {
    for (int language : {chosenLanguage, kLanguageJapanese}) {
        auto found = tableOf(language).find(id);
        if (found != tableOf(language).end()) return found->second;
    }
    return std::string();
}

}  // namespace platform
