// The interface language, chosen once at start-up, and what follows it in
// the shell: the command menu and the help file.
#pragma once

#include <windows.h>

#include <string>

// Chooses the language from the options' [General] Language and the
// thread's UI language, for every text shown from then on. Call before the
// first window.
void chooseUiLanguage(int option);

// Gives the command window its menu in the chosen language.
void localiseMenu(HWND window);

// The help file of the chosen language: its full path beside the exe when it
// is there, else its bare name (the help library's own search then applies).
std::string helpFilePath();
