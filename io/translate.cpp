#include "io/translate.h"

#include <cstring>

static Translator translatorInUse = nullptr;
static char languageInUse[8] = "en";

void setTranslator(Translator translator) {
    translatorInUse = translator;
}

const char* tr(const char* english) {
    return translatorInUse ? translatorInUse(english) : english;
}

const char* userLanguage() {
    return languageInUse;
}

void setUserLanguage(const char* code) {
    std::strncpy(languageInUse, code, sizeof languageInUse - 1);
}
