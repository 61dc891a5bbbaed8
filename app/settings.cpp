#include "app/settings.h"

#include <cstdlib>
#include <memory>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/log.h>

namespace {

wxString settingsFile() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    wxString folder = xdg && *xdg == '/' ? wxString(xdg) : wxFileName::GetHomeDir() + "/.config";
    return folder + "/pindle/pindle.conf";
}

// The settings as the file now holds them, so that two windows do not undo each other's.
std::unique_ptr<wxFileConfig> openSettings() {
    return std::make_unique<wxFileConfig>("pindle", wxEmptyString, settingsFile(), wxEmptyString,
                                          wxCONFIG_USE_LOCAL_FILE);
}

} // namespace

int savedZoom() {
    wxLogNull quiet; // a damaged file gives the defaults, not a box
    return static_cast<int>(openSettings()->ReadLong("/View/Zoom", 100));
}

// Writes the settings that write gives; a folder that cannot be written keeps them for this
// session only.
template <typename Write> static void writeSettings(Write write) {
    wxLogNull quiet;
    wxFileName::Mkdir(wxFileName(settingsFile()).GetPath(), 0700, wxPATH_MKDIR_FULL);
    auto settings = openSettings();
    write(*settings);
    settings->Flush();
}

void saveZoom(int zoom) {
    writeSettings([zoom](wxFileConfig& s) { s.Write("/View/Zoom", static_cast<long>(zoom)); });
}

bool savedCourse(std::string& folder, std::string& task) {
    wxLogNull quiet;
    auto settings = openSettings();
    wxString f, t;
    if (!settings->Read("/Course/Folder", &f) || f.empty()) return false;
    settings->Read("/Course/Task", &t);
    folder = std::string(f.utf8_str());
    task = std::string(t.utf8_str());
    return true;
}

void saveCourse(const std::string& folder, const std::string& task) {
    writeSettings([&](wxFileConfig& s) {
        s.Write("/Course/Folder", wxString::FromUTF8(folder));
        s.Write("/Course/Task", wxString::FromUTF8(task));
    });
}

std::string savedLanguage() {
    wxLogNull quiet;
    return std::string(openSettings()->Read("/View/Language", "").utf8_str());
}

void saveLanguage(const std::string& code) {
    writeSettings([&](wxFileConfig& s) { s.Write("/View/Language", wxString::FromUTF8(code)); });
}
