// The desktop's language as gettext reads it from the environment, and the core's texts through
// the translator the window sets.
#include "io/translate.h"

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>

namespace {

struct Environment {
    const char *lcAll, *lcMessages, *lang, *language, *expected;
};

void setOrUnset(const char* name, const char* value) {
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

TEST(TranslateTest, TheDesktopsLanguageIsReadAsGettextReadsIt) {
    const Environment cases[] = {
        {nullptr, nullptr, nullptr, "de", "en"},               // no locale: C
        {"C", nullptr, "de_DE.UTF-8", "de", "en"},             // C wins over everything
        {nullptr, nullptr, "C.UTF-8", "fr", "en"},             //
        {nullptr, nullptr, "de_DE.UTF-8", nullptr, "de"},      // the locale's language
        {nullptr, "fr_FR.UTF-8", "de_DE.UTF-8", "", "fr"},     // LC_MESSAGES before LANG
        {nullptr, nullptr, "en_GB.UTF-8", "it:es:de", "es"},   // LANGUAGE's first offered
        {nullptr, nullptr, "de_DE.UTF-8", "en_US:de", "en"},   // English asked for first
        {nullptr, nullptr, "pt_BR.UTF-8", nullptr, "en"},      // a language not offered
        {"es_ES@euro", nullptr, "de_DE.UTF-8", nullptr, "es"}, //
    };
    for (const Environment& e : cases) {
        setOrUnset("LC_ALL", e.lcAll);
        setOrUnset("LC_MESSAGES", e.lcMessages);
        setOrUnset("LANG", e.lang);
        setOrUnset("LANGUAGE", e.language);
        EXPECT_EQ(desktopLanguage({"en", "de", "fr", "es"}), e.expected)
            << (e.lang ? e.lang : "-") << " " << (e.language ? e.language : "-");
    }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"})
        unsetenv(name);
}

TEST(TranslateTest, TextsAreEnglishUntilATranslatorIsSet) {
    EXPECT_STREQ(tr("Path blocked"), "Path blocked");
    setTranslator(
        [](const char* english) { return std::strcmp(english, "Error") ? english : "Fehler"; });
    EXPECT_STREQ(tr("Error"), "Fehler");
    EXPECT_STREQ(tr("Path blocked"), "Path blocked");
    setTranslator(nullptr);
    EXPECT_STREQ(tr("Error"), "Error");
}

} // namespace
