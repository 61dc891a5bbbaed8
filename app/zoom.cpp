#include "app/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int steps[] = {100, 125, 150, 200, 250, 300};
constexpr int stepCount = sizeof steps / sizeof steps[0];
int zoomNow = ACTUAL_SIZE;

int stepIndex(int percent) {
    int best = 0;
    for (int i = 1; i < stepCount; ++i)
        if (std::abs(steps[i] - percent) < std::abs(steps[best] - percent)) best = i;
    return best;
}

} // namespace

int worldZoom() {
    return zoomNow;
}

bool setWorldZoom(int percent) {
    int step = steps[stepIndex(percent)];
    if (step == zoomNow) return false;
    zoomNow = step;
    return true;
}

int zoomStep(int by) {
    return steps[std::clamp(stepIndex(zoomNow) + by, 0, stepCount - 1)];
}

int zoomed(int pixels, int zoom) {
    return static_cast<int>(std::lround(pixels * zoom / 100.0));
}

int unzoomed(int pixels) {
    return static_cast<int>(std::floor(pixels * 100.0 / zoomNow));
}

wxFont zoomedFont(const wxFont& font, int zoom) {
    wxFont scaled(font);
    if (zoom != ACTUAL_SIZE)
        scaled.SetFractionalPointSize(font.GetFractionalPointSize() * zoom / 100);
    return scaled;
}

wxPen zoomedPen(const wxPen& pen, int zoom) {
    wxPen scaled(pen);
    if (zoom != ACTUAL_SIZE) scaled.SetWidth(std::max(1, zoomed(pen.GetWidth(), zoom)));
    return scaled;
}
