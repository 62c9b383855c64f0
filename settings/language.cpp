#include "settings/language.h"

#include "platform/ui_text.h"
#include "store/options.h"

namespace {

constexpr uint16_t kPrimaryJapanese = 0x11;
constexpr uint16_t kPrimaryMask = 0x3ff;

}  // namespace

int chooseLanguage(int option, uint16_t displayLanguage) {
    if (option == kLanguageJa) return platform::kLanguageJapanese;
    if (option == kLanguageEn) return platform::kLanguageEnglish;
    return (displayLanguage & kPrimaryMask) == kPrimaryJapanese ? platform::kLanguageJapanese
                                                                : platform::kLanguageEnglish;
}
