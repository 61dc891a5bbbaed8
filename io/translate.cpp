#include "io/translate.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <sstream>

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

// The language of a locale or list entry: "de" for "de_DE.UTF-8".
static std::string languageOf(const std::string& name) {
    return name.substr(0, name.find_first_of("_.@"));
}

static const char* localeName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return value;
    }
    return "";
}

std::string desktopLanguage(const std::vector<std::string>& offered) {
    auto isOffered = [&](const std::string& code) {
        return std::find(offered.begin(), offered.end(), code) != offered.end();
    };
    std::string locale = localeName(), language = languageOf(locale);
    if (language.empty() || language == "C" || language == "POSIX") return "en";
    const char* list = std::getenv("LANGUAGE");
    std::istringstream entries(list ? list : "");
    for (std::string entry; std::getline(entries, entry, ':');)
        if (isOffered(languageOf(entry))) return languageOf(entry);
    return isOffered(language) ? language : "en";
}
