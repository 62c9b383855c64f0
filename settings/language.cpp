#include "settings/language.h"

#include <cstring>

#include "platform/ui_text.h"

namespace {

constexpr uint16_t kPrimaryJapanese = 0x11;
constexpr uint16_t kPrimaryMask = 0x3ff;

constexpr const char* kOptionTexts[] = {"auto", "ja", "en"};

}  // namespace

int languageOption(const char* value) {
    for (int option = kLanguageOptionJapanese; option <= kLanguageOptionEnglish; ++option) {
        if (value && std::strcmp(value, kOptionTexts[option]) == 0) return option;
    }
    return kLanguageOptionAuto;
}

const char* languageOptionText(int option) {
    if (option < kLanguageOptionAuto || option > kLanguageOptionEnglish) option = kLanguageOptionAuto;
    return kOptionTexts[option];
}

int chooseLanguage(int option, uint16_t displayLanguage) {
    if (option == kLanguageOptionJapanese) return platform::kLanguageJapanese;
    if (option == kLanguageOptionEnglish) return platform::kLanguageEnglish;
    return (displayLanguage & kPrimaryMask) == kPrimaryJapanese ? platform::kLanguageJapanese
                                                                : platform::kLanguageEnglish;
}
