// How large the window shows the world: a zoom in percent, one of a few steps, and the
// pens, fonts and sizes of the picture at that zoom.
#pragma once
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/pen.h>

constexpr int ACTUAL_SIZE = 100; // the zoom of the picture at its own size, in percent

int worldZoom(); // the zoom now, in percent
// Sets the zoom to the step nearest percent; false when that is the zoom already.
bool setWorldZoom(int percent);
// The step steps away from the zoom now (+1 larger, -1 smaller), kept within the steps.
int zoomStep(int steps);

int zoomed(int pixels, int zoom = worldZoom()); // a length of the actual-size picture, zoomed
int unzoomed(int pixels);                       // a length of the zoomed picture, actual size
wxFont zoomedFont(const wxFont& font, int zoom = worldZoom());
wxPen zoomedPen(const wxPen& pen, int zoom = worldZoom());
