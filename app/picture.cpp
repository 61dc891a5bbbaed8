#include "app/picture.h"

#include "app/runstate.h"
#include "lang/outside.h"
#include "lang/safesave.h"
#include "view/situation.h"
#include "view/worlddrawing.h"
#include "view/wxpainter.h"

#include <cstring>
#include <wx/image.h>
#include <wx/mstream.h>

bool encodeImage(const wxImage& image, int type, std::string& bytes) {
    wxMemoryOutputStream out;
    if (!image.SaveFile(out, static_cast<wxBitmapType>(type))) return false;
    bytes.resize(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());
    return true;
}

bool writeImageFile(const char* name, const std::string& bytes) {
    SaveOutcome outcome = saveFileSafely(name, bytes);
    if (outcome.saved) return true;
    std::string text = std::string("Cannot write the file: ") + std::strerror(outcome.error);
    if (!outcome.keptOld.empty()) text += "\nIts old content is kept in " + outcome.keptOld;
    ui().messageBox(text.c_str(), name);
    return false;
}

void savePicture() {
    std::string path;
    if (!ui().chooseSaveFile("Save picture", "PNG pictures (*.png)|*.png|All files (*.*)|*.*",
                             worldFile, path))
        return;
    char name[80];
    if (!nameFits(name, path.c_str())) return;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    std::string bytes;
    if (!encodeImage(sceneImage(currentScene()), wxBITMAP_TYPE_PNG, bytes)) {
        ui().messageBox("Cannot make the picture", name);
        return;
    }
    writeImageFile(name, bytes);
}
