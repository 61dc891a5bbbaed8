// The user's language for the texts the core shows. The window sets a translator; without one
// (the runner, the tests) every text stays the English it is written in.
#pragma once
#include <string>
#include <vector>

// Marks a text to translate where it is written; tr() translates it where it is shown.
#ifndef N_
#define N_(s) (s)
#endif

using Translator = const char* (*)(const char* english);

// Makes translator give the texts of tr(); null gives them in English.
void setTranslator(Translator translator);
// The text in the user's language, as UTF-8; english itself when it has no translation.
const char* tr(const char* english) __attribute__((format_arg(1)));
// The two-letter code of the language the user's texts are in ("en" without a translator).
const char* userLanguage();
// Sets the code userLanguage() gives.
void setUserLanguage(const char* code);
// The language the desktop asks for, read as gettext reads it: English for a C or POSIX locale
// (LC_ALL, else LC_MESSAGES, else LANG) or none; else the first of LANGUAGE's list that is in
// offered; else the locale's own language when offered; else English ("en").
std::string desktopLanguage(const std::vector<std::string>& offered);
