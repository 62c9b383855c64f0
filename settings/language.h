// Which language the interface speaks: the user's choice of the options file
// ("auto", "ja" or "en"), and with "auto" the user's Windows display
// language: Japanese when it is Japanese, English otherwise.
#pragma once

#include <cstdint>

constexpr int kLanguageOptionAuto = 0;
constexpr int kLanguageOptionJapanese = 1;
constexpr int kLanguageOptionEnglish = 2;

// The option of a `Language=` value; anything unknown counts as "auto".
int languageOption(const char* value);
// The option's value as the options file spells it.
const char* languageOptionText(int option);

// platform::kLanguageJapanese or kLanguageEnglish, for the option and the
// user's display language (a Windows language id: primary language in the
// low 10 bits).
int chooseLanguage(int option, uint16_t displayLanguage);
