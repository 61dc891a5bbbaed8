// The window's language: the desktop's (LANGUAGE, LANG) or the one chosen in Help > Language,
// from the catalogs of the window's texts and of the toolkit's own.
#pragma once
#include <string>

// The languages the Language menu offers, in its order from ID_LANGUAGE_SYSTEM: "" for the
// desktop's, then the codes.
extern const char* const OFFERED_LANGUAGES[5];

// Sets the texts' language before any window is made: choice is a code, or "" (or one not
// offered) for the desktop's. The C library's numbers stay as files write them.
void startLanguage(const std::string& choice);
// The menu id of the language choice names.
int languageItem(const std::string& choice);
