// Which language the interface speaks: the user's choice of the options file
// ([General] Language: kLanguageAuto, kLanguageJa or kLanguageEn), and with
// "auto" the user's Windows display language: Japanese when it is Japanese,
// English otherwise.
#pragma once

#include <cstdint>

// platform::kLanguageJapanese or kLanguageEnglish, for the option and the
// user's display language (a Windows language id: primary language in the
// low 10 bits).
int chooseLanguage(int option, uint16_t displayLanguage);
