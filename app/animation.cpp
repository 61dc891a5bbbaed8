#include "app/animation.h"
#include "io/translate.h"

#include "app/gifwriter.h"
#include "app/picture.h"
#include "app/windowstate.h"
#include "app/worldview.h"
#include "app/wxpainter.h"
#include "io/system.h"
#include "lang/filenames.h"
#include "lang/interp.h"
#include "lang/outside.h"
#include "view/worlddrawing.h"
#include "world/situation.h"

#include <algorithm>
#include <string>
#include <vector>
#include <wx/utils.h>

namespace {

enum class State { IDLE, WAITING, RECORDING };

constexpr int LAST_FRAME_MS = 2000; // the last picture stays this long before the loop starts

State state = State::IDLE;
char gifFile[80]; // where the recording goes
KeptFileName keptGif(gifFile);
EvenSample<Scene> frames; // the first picture, then those of the drawn steps
int frameDelay = 100;     // ms

void captureStep() {
    frames.add(currentScene);
}

// The robot's colours, those of the first picture, then those things may add.
GifPalette paletteOf(const wxImage& first, const SceneRenderer& renderer) {
    GifPalette palette;
    for (const wxImage& image : {renderer.robotIcons(), first, renderer.thingCharacters()})
        palette.add(image.GetData(), size_t(image.GetWidth()) * image.GetHeight());
    return palette;
}

// The animation drawn frame by frame: the palette indices it shows so far, and frames that
// each hold only the box of the pixels they change.
class Animation {
  public:
    Animation(const wxImage& first, const SceneRenderer& renderer);
    // The next picture, whose changes lie in box (cut to the animation's area) of picture.
    void next(wxRect box, SceneRenderer& picture);
    bool finish(std::string& bytes) { return gif.finish(LAST_FRAME_MS, bytes); }
    long frameCount() const { return gif.frames(); }

  private:
    int width, height;
    GifPalette palette;
    std::vector<unsigned char> shown, part;
    GifWriter gif;
};

Animation::Animation(const wxImage& first, const SceneRenderer& renderer)
    : width(first.GetWidth()), height(first.GetHeight()), palette(paletteOf(first, renderer)),
      gif(width, height, palette) {
    const unsigned char* rgb = first.GetData();
    shown.resize(size_t(width) * height);
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i] = palette.index(rgb + 3 * i);
    gif.frame(0, 0, width, height, shown.data(), frameDelay);
}

void Animation::next(wxRect box, SceneRenderer& picture) {
    box.Intersect(wxRect(0, 0, width, height));
    if (box.IsEmpty()) return gif.hold(frameDelay);
    wxImage image = picture.part(box);
    const unsigned char* rgb = image.GetData();
    // The pixels that change, shown from now on, and the least box that holds them.
    int left = box.width, right = -1, top = box.height, bottom = -1;
    for (int y = 0; y < box.height; ++y)
        for (int x = 0; x < box.width; ++x) {
            unsigned char index = palette.index(rgb + 3 * (size_t(y) * box.width + x));
            unsigned char& at = shown[size_t(box.y + y) * width + box.x + x];
            if (at == index) continue;
            at = index;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = y;
        }
    if (right < 0) return gif.hold(frameDelay);
    int x0 = box.x + left, y0 = box.y + top, w = right - left + 1, h = bottom - top + 1;
    part.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        std::copy_n(&shown[size_t(y0 + y) * width + x0], w, &part[size_t(y) * w]);
    gif.frame(x0, y0, w, h, part.data(), frameDelay);
}

void writeRecording() {
    wxBusyCursor busy;
    SceneRenderer renderer;
    wxImage first = renderer.image(frames.kept()[0]);
    // Cropped to what the world draws; a run changes nothing beyond its corners.
    first.Resize(drawnExtent(first), wxPoint(0, 0));
    Animation animation(first, renderer);
    for (size_t i = 1; i < frames.kept().size(); ++i)
        animation.next(renderer.update(frames.kept()[i]), renderer);
    std::string bytes;
    if (!animation.finish(bytes))
        dialogs().messageBox(tr("Cannot make the animation"), gifFile);
    else if (writeImageFile(gifFile, bytes))
        noteSaved(gifFile, bytes.size(), animation.frameCount());
}

} // namespace

void chooseAnimation() {
    std::string path;
    if (!dialogs().chooseSaveFile(tr("Record animation"),
                                  tr("GIF animations (*.gif)|*.gif|All files (*.*)|*.*"), worldFile,
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
