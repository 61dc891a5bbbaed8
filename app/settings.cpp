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

void saveZoom(int zoom) {
    wxLogNull quiet; // a folder that cannot be written keeps the zoom for this session only
    wxFileName::Mkdir(wxFileName(settingsFile()).GetPath(), 0700, wxPATH_MKDIR_FULL);
    auto settings = openSettings();
    settings->Write("/View/Zoom", static_cast<long>(zoom));
    settings->Flush();
}
