#include "app/picture.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "app/windowstate.h"
#include "app/wxpainter.h"
#include "io/system.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "view/worlddrawing.h"
#include "world/situation.h"

#include <algorithm>
#include <cstring>
#include <wx/image.h>
#include <wx/mstream.h>

wxSize drawnExtent(const wxImage& image) {
    const unsigned char* data = image.GetData();
    int width = image.GetWidth(), right = 1, bottom = 1;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = data + 3 * (size_t(y) * width + x);
            if ((p[0] & p[1] & p[2]) == 255) continue;
            right = std::max(right, x + 1);
            bottom = y + 1;
        }
    return wxSize(right, bottom);
}

bool encodeImage(const wxImage& image, int type, std::string& bytes) {
    wxMemoryOutputStream out;
    if (!image.SaveFile(out, static_cast<wxBitmapType>(type))) return false;
    bytes.resize(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());
    return true;
}

void cannotWrite(const char* name, int error, const std::string& keptOld) {
    std::string text = formatText(tr("Cannot write %s: %s"), name, std::strerror(error));
    if (!keptOld.empty())
        text += formatText(tr("\nIts old content is kept in %s"), keptOld.c_str());
    dialogs().messageBox(text.c_str(), tr("File Error"));
}

bool writeImageFile(const char* name, const std::string& bytes) {
    SaveOutcome outcome = saveFileSafely(name, bytes);
    if (!outcome.saved) cannotWrite(name, outcome.error, outcome.keptOld);
    return outcome.saved;
}

void savePicture() {
    std::string path;
    if (!dialogs().chooseSaveFile(tr("Save picture"),
                                  tr("PNG pictures (*.png)|*.png|All files (*.*)|*.*"), worldFile,
                                  path))
        return;
    char name[80];
    if (!takeFileName(name, path.c_str())) return;
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    wxImage picture = sceneImage(currentScene());
    picture.Resize(drawnExtent(picture), wxPoint(0, 0));
    std::string bytes;
    if (!encodeImage(picture, wxBITMAP_TYPE_PNG, bytes)) {
        dialogs().messageBox(tr("Cannot make the picture"), name);
        return;
    }
    if (writeImageFile(name, bytes)) noteSaved(name, bytes.size());
}
