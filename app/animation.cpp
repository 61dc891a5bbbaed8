#include "app/animation.h"

#include "app/picture.h"
#include "app/worldview.h"
#include "app/wxpainter.h"
#include "io/system.h"
#include "lang/filenames.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "view/worlddrawing.h"
#include "world/situation.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>
#include <wx/imaggif.h>
#include <wx/mstream.h>
#include <wx/utils.h>

// The GIF handler's palette entry. wxWidgets names it in its header but defines it only in
// its own source: three bytes, red, green and blue.
struct wxRGB {
    wxUint8 red, green, blue;
};

namespace {

enum class State { IDLE, WAITING, RECORDING };

State state = State::IDLE;
char gifFile[80]; // where the recording goes
KeptFileName keptGif(gifFile);
EvenSample<Scene> frames; // the first picture, then those of the drawn steps
int frameDelay = 100;     // ms

void captureStep() {
    frames.add(currentScene);
}

// Writes one GIF frame after another with wxWidgets' own encoder, so that a long recording
// never needs all its images at once.
class GifEncoder : public wxGIFHandler {
  public:
    bool frame(const wxImage& image, const std::vector<wxRGB>& palette, wxOutputStream& out,
               bool first, int delay) {
        return DoSaveFile(image, &out, false, first, delay, true, palette.data(),
                          static_cast<int>(palette.size()), wxNOT_FOUND);
    }
};

uint32_t rgbKey(const unsigned char* p) {
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];
}

uint32_t distance(uint32_t a, uint32_t b) {
    uint32_t d = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        int c = int(a >> shift & 0xff) - int(b >> shift & 0xff);
        d += uint32_t(c * c);
    }
    return d;
}

// The image's colours, the most frequent first (the encoder looks each pixel up in order).
// The picture's antialiased text may hold more than a GIF's 256: the 256 most frequent stay
// exact and each rarer colour becomes the nearest of them.
std::vector<wxRGB> paletteOf(wxImage& image) {
    std::unordered_map<uint32_t, unsigned> counts;
    unsigned char* data = image.GetData();
    size_t pixels = size_t(image.GetWidth()) * image.GetHeight();
    for (size_t i = 0, run; i < pixels; i += run) { // by runs of one colour: mostly white
        uint32_t key = rgbKey(data + 3 * i);
        for (run = 1; i + run < pixels && rgbKey(data + 3 * (i + run)) == key; ++run) {
        }
        counts[key] += unsigned(run);
    }
    std::vector<std::pair<unsigned, uint32_t>> byCount;
    for (const auto& [key, n] : counts)
        byCount.emplace_back(n, key);
    std::sort(byCount.rbegin(), byCount.rend());
    size_t kept = std::min<size_t>(byCount.size(), 256);
    std::unordered_map<uint32_t, uint32_t> nearest;
    for (size_t i = kept; i < byCount.size(); ++i) {
        uint32_t best = byCount[0].second;
        for (size_t j = 1; j < kept; ++j)
            if (distance(byCount[i].second, byCount[j].second) < distance(byCount[i].second, best))
                best = byCount[j].second;
        nearest[byCount[i].second] = best;
    }
    for (size_t i = 0; i < pixels && !nearest.empty(); ++i) {
        auto found = nearest.find(rgbKey(data + 3 * i));
        if (found == nearest.end()) continue;
        data[3 * i] = wxUint8(found->second >> 16);
        data[3 * i + 1] = wxUint8(found->second >> 8);
        data[3 * i + 2] = wxUint8(found->second);
    }
    std::vector<wxRGB> palette;
    for (size_t i = 0; i < kept; ++i)
        palette.push_back({wxUint8(byCount[i].second >> 16), wxUint8(byCount[i].second >> 8),
                           wxUint8(byCount[i].second)});
    return palette;
}

bool encodeFrames(std::string& bytes) {
    wxMemoryOutputStream out;
    GifEncoder encoder;
    SceneRenderer renderer;
    for (size_t i = 0; i < frames.kept().size(); ++i) {
        wxImage image = renderer.image(frames.kept()[i]);
        std::vector<wxRGB> palette = paletteOf(image);
        if (!encoder.frame(image, palette, out, i == 0, frameDelay)) return false;
    }
    out.PutC(';'); // the end of the GIF stream
    if (!out.IsOk()) return false;
    bytes.resize(out.GetSize());
    out.CopyTo(bytes.data(), bytes.size());
    return true;
}

void writeRecording() {
    wxBusyCursor busy;
    std::string bytes;
    if (encodeFrames(bytes))
        writeImageFile(gifFile, bytes);
    else
        dialogs().messageBox("Cannot make the animation", gifFile);
}

} // namespace

void chooseAnimation() {
    std::string path;
    if (!dialogs().chooseSaveFile("Record animation",
                                  "GIF animations (*.gif)|*.gif|All files (*.*)|*.*", worldFile,
                                  path))
        return;
    if (!takeFileName(gifFile, path.c_str())) return;
    if (int error = cannotSave(gifFile)) return cannotWrite(gifFile, error, "");
    state = State::WAITING;
}

void animationRunStarts() {
    if (state != State::WAITING) return;
    state = State::RECORDING;
    frames.start(currentScene());
    frameDelay = delay_factor > 0 ? delay_factor : 100;
    setRedrawListener(captureStep);
}

void animationRunEnds() {
    if (state != State::RECORDING) return;
    setRedrawListener(nullptr);
    state = State::WAITING;
    if (frames.count() == 0) return;
    frames.finish(currentScene);
    state = State::IDLE;
    writeRecording();
    frames.clear();
}

bool animationPending() {
    return state != State::IDLE;
}
