// The painter of the window: draws the world picture on a wxWidgets drawing context with the
// program's pens, fonts and icons, at a zoom (in percent) of the picture's own size.
#pragma once
#include "view/worlddrawing.h"

#include <wx/bitmap.h>
#include <wx/dc.h>
#include <wx/image.h>

class WxPainter : public Painter {
  public:
    explicit WxPainter(wxDC& dc, int zoom = 100);
    void line(int x1, int y1, int x2, int y2, Stroke stroke) override;
    void rectangle(int x, int y, int width, int height, Stroke stroke) override;
    void text(int x, int y, const char* text, int length, Lettering lettering) override;
    void robot(int x, int y, int heading) override;
    void robotOutline(int x, int y, int heading) override;

  private:
    wxDC& dc;
    int zoom;
    int at(int pixels) const; // a position of the actual-size picture at the zoom
};

// Pictures of scenes over the world's walls and the loaded goal as they are at its creation.
class SceneRenderer {
  public:
    SceneRenderer(); // draws the labels, grid, border, goal and walls once
    // The whole picture of scene.
    wxImage image(const Scene& scene);

  private:
    wxBitmap layer, picture;
};

// The whole picture of scene (over the world's walls and the loaded goal) as an image.
wxImage sceneImage(const Scene& scene);
