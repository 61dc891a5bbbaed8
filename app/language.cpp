#include "app/language.h"

#include "app/ids.h"
#include "io/translate.h"

#include <clocale>
#include <map>
#include <wx/filename.h>
#include <wx/stdpaths.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

const char* const OFFERED_LANGUAGES[5] = {"", "en", "de", "fr", "es"};

namespace {

// The core's texts in the window's language, kept for the program's life as UTF-8.
const char* translateForCore(const char* english) {
    static std::map<std::string, std::string> kept;
    auto found = kept.find(english);
    if (found == kept.end()) {
        wxString text = wxGetTranslation(wxString::FromUTF8(english));
        found = kept.emplace(english, std::string(text.utf8_str())).first;
    }
    return found->second.c_str();
}

// Where the catalogs are: installed beside the program, else in the build.
void addCatalogFolders() {
    wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(exe.GetPath() + "/../share/locale");
    wxFileTranslationsLoader::AddCatalogLookupPathPrefix(PINDLE_BUILD_LOCALE);
}

bool offered(const std::string& code) {
    for (const char* c : OFFERED_LANGUAGES)
        if (*c && code == c) return true;
    return false;
}

} // namespace

void startLanguage(const std::string& choice) {
    wxUILocale::UseDefault();
    std::setlocale(LC_NUMERIC, "C");
    addCatalogFolders();
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    if (offered(choice)) translations->SetLanguage(wxString(choice));
    translations->AddStdCatalog();
    bool found = translations->AddCatalog("pindle");
    wxString best = translations->GetBestTranslation("pindle");
    setUserLanguage(found && !best.empty() ? std::string(best.Left(2).utf8_str()).c_str() : "en");
    setTranslator(translateForCore);
}

int languageItem(const std::string& choice) {
    for (int k = 0; k < 5; ++k)
        if (k > 0 && choice == OFFERED_LANGUAGES[k]) return ID_LANGUAGE_SYSTEM + k;
    return ID_LANGUAGE_SYSTEM;
}
