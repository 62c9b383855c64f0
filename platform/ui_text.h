// The user-interface language and the texts the code shows besides the
// dialog templates and the menu. The texts live in the resources' string
// tables, one per language (res/strings_ja.rc, res/wideroom_en.rc), under the
// ids of res/strings.h. The Win32 backend reads the program's own tables; the
// sim reads the same scripts from the source tree, so tests see the texts the
// program shows.
#pragma once

#include <string>

#include "res/strings.h"

namespace platform {

constexpr int kLanguageJapanese = 0;
constexpr int kLanguageEnglish = 1;

// Chosen once at start-up, before the first window; Japanese until then.
void setUiLanguage(int language);
int uiLanguage();

// The text of string `id` in the chosen language as UTF-8; the Japanese text
// when the language has none, "" when neither has it.
std::string uiText(int id);

}  // namespace platform
