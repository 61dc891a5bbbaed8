#include "app/language.h"

#include "app/ids.h"
#include "io/translate.h"

#include <algorithm>
#include <clocale>
#include <iterator>
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

} // namespace

void startLanguage(const std::string& choice) {
    wxUILocale::UseDefault();
    std::setlocale(LC_NUMERIC, "C");
    addCatalogFolders();
    std::vector<std::string> offered(OFFERED_LANGUAGES + 1, std::end(OFFERED_LANGUAGES));
    std::string code = std::find(offered.begin(), offered.end(), choice) != offered.end()
                           ? choice
                           : desktopLanguage(offered);
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLanguage(wxString(code));
    translations->AddStdCatalog();
    bool found = code != "en" && translations->AddCatalog("pindle");
    setUserLanguage(found ? code.c_str() : "en");
    setTranslator(translateForCore);
}

int languageItem(const std::string& choice) {
    for (int k = 1; k < int(std::size(OFFERED_LANGUAGES)); ++k)
        if (choice == OFFERED_LANGUAGES[k]) return ID_LANGUAGE_SYSTEM + k;
    return ID_LANGUAGE_SYSTEM;
}
