// The painter of the window: draws the world picture on a wxWidgets drawing context with the
// program's pens, fonts and icons, at a zoom (in percent) of the picture's own size.
#pragma once
#include "view/worlddrawing.h"

#include <vector>
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

// The box a thing's character covers at a zoom, glyph being one character's size there.
wxRect thingArea(const ThingMark& thing, wxSize glyph, int zoom);
// The box the robot's icon of scene covers at a zoom.
wxRect robotArea(const Scene& scene, int zoom);
// The areas whose pixels may differ between the pictures of the scenes from and to.
void sceneChanges(const Scene& from, const Scene& to, wxSize glyph, int zoom,
                  std::vector<wxRect>& areas);
// Renews area of picture: the static layer's pixels there, the things of scene over them,
// then its robot.
void paintSceneArea(wxDC& picture, wxDC& layer, const wxRect& area, const Scene& scene,
                    wxSize glyph, int zoom);

// Pictures of scenes over the world's walls and the loaded goal as they are at its creation,
// at actual size.
class SceneRenderer {
  public:
    SceneRenderer(); // draws the labels, grid, border, goal and walls once
    // The whole picture of scene.
    wxImage image(const Scene& scene);
    // Brings the picture from the scene drawn last to scene; the box of what changed (empty
    // when nothing could have).
    wxRect update(const Scene& scene);
    // The picture's pixels inside box.
    wxImage part(const wxRect& box) const;
    // The colours scenes can add, on white: every robot icon; every thing character.
    wxImage robotIcons() const;
    wxImage thingCharacters() const;

  private:
    wxBitmap layer, picture;
    wxSize glyph; // one thing character's size
    Scene last;   // the scene the picture shows
    std::vector<wxRect> areas;
};

// The whole picture of scene (over the world's walls and the loaded goal) as an image.
wxImage sceneImage(const Scene& scene);
