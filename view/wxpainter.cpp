#include "view/wxpainter.h"

#include "app/pindle.h"
#include "view/worlddrawing.h"
#include "view/zoom.h"
#include "world/goal.h"
#include "world/world.h"

#include <algorithm>
#include <wx/dcmemory.h>

namespace {

const wxColour goalThingGrey(200, 200, 200), goalCornerGrey(170, 170, 170);

// The pens, fonts and robot pictures of one zoom; at actual size, the program's own.
struct Tools {
    int zoom = 0;
    wxPen grid, border, wall, goal;
    wxFont label, thing;
    wxBitmap robots[4];
};

const Tools& toolsFor(int zoom) {
    static Tools tools;
    if (tools.zoom == zoom) return tools;
    tools.zoom = zoom;
    tools.grid = zoomedPen(*black_pen, zoom);
    tools.border = zoomedPen(*black_pen2, zoom);
    tools.wall = zoomedPen(*red_pen, zoom);
    tools.goal = zoomedPen(wxPen(goalCornerGrey, 2), zoom);
    tools.label = zoomedFont(*itemFont, zoom);
    tools.thing = zoomedFont(*thingFont, zoom);
    for (int i = 0; i < 4; ++i) {
        wxBitmap icon;
        icon.CopyFromIcon(*pn_icon[i + 1]);
        int size = zoomed(icon.GetWidth(), zoom);
        // Pixel for pixel, so that the icon stays as crisp as it is at actual size.
        tools.robots[i] =
            zoom == ACTUAL_SIZE
                ? icon
                : wxBitmap(icon.ConvertToImage().Scale(size, size, wxIMAGE_QUALITY_NEAREST));
    }
    return tools;
}

const wxPen& penFor(const Tools& tools, Stroke stroke) {
    switch (stroke) {
    case Stroke::GRID: return tools.grid;
    case Stroke::BORDER: return tools.border;
    case Stroke::WALL: return tools.wall;
    default: return tools.goal;
    }
}

} // namespace

WxPainter::WxPainter(wxDC& dc, int zoom) : dc(dc), zoom(zoom) {}

int WxPainter::at(int pixels) const {
    return zoomed(pixels, zoom);
}

void WxPainter::line(int x1, int y1, int x2, int y2, Stroke stroke) {
    dc.SetPen(penFor(toolsFor(zoom), stroke));
    dc.DrawLine(at(x1), at(y1), at(x2), at(y2));
}

void WxPainter::rectangle(int x, int y, int width, int height, Stroke stroke) {
    dc.SetPen(penFor(toolsFor(zoom), stroke));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(at(x), at(y), at(width), at(height));
}

void WxPainter::text(int x, int y, const char* text, int length, Lettering lettering) {
    const Tools& tools = toolsFor(zoom);
    dc.SetFont(lettering == Lettering::LABEL ? tools.label : tools.thing);
    dc.SetTextForeground(lettering == Lettering::LABEL   ? *wxBLACK
                         : lettering == Lettering::THING ? *wxBLUE
                                                         : goalThingGrey);
    dc.DrawText(wxString::From8BitData(text, length), at(x), at(y));
}

void WxPainter::robot(int x, int y, int heading) {
    if (zoom == ACTUAL_SIZE)
        dc.DrawIcon(*pn_icon[(heading & 3) + 1], x, y);
    else
        dc.DrawBitmap(toolsFor(zoom).robots[heading & 3], at(x), at(y));
}

wxRect thingArea(const ThingMark& t, wxSize glyph, int zoom) {
    return wxRect(zoomed(CORNER * t.x + 11, zoom) - 2, zoomed(CORNER * t.y + 11, zoom) - 2,
                  glyph.x + 4, glyph.y + 4);
}

wxRect robotArea(const Scene& scene, int zoom) {
    return wxRect(zoomed(scene.robotX, zoom), zoomed(scene.robotY, zoom), zoomed(32, zoom),
                  zoomed(32, zoom));
}

void sceneChanges(const Scene& from, const Scene& to, wxSize glyph, int zoom,
                  std::vector<wxRect>& areas) {
    areas.clear();
    if (from.robotX != to.robotX || from.robotY != to.robotY || from.heading != to.heading) {
        areas.push_back(robotArea(from, zoom));
        areas.push_back(robotArea(to, zoom));
    }
    if (from.things == to.things) return;
    // The things that are in one scene only: taken, put or changed.
    auto missing = [&](const std::vector<ThingMark>& in, const std::vector<ThingMark>& other) {
        for (const ThingMark& t : in)
            if (std::find(other.begin(), other.end(), t) == other.end())
                areas.push_back(thingArea(t, glyph, zoom));
    };
    missing(from.things, to.things);
    missing(to.things, from.things);
}

void paintSceneArea(wxDC& picture, wxDC& layer, const wxRect& area, const Scene& scene,
                    wxSize glyph, int zoom) {
    picture.SetClippingRegion(area);
    picture.Blit(area.x, area.y, area.width, area.height, &layer, area.x, area.y);
    WxPainter painter(picture, zoom);
    for (const ThingMark& t : scene.things)
        if (thingArea(t, glyph, zoom).Intersects(area)) paintThing(painter, t.x, t.y, &t.item, 1);
    paintRobot(painter, scene.robotX, scene.robotY, scene.heading);
    picture.DestroyClippingRegion();
}

SceneRenderer::SceneRenderer()
    : layer(PICTURE_SIZE, PICTURE_SIZE), picture(PICTURE_SIZE, PICTURE_SIZE) {
    wxMemoryDC memory(layer);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    WxPainter painter(memory);
    paintBackdrop(painter);
    paintGoal(painter, taskGoal);
    paintWalls(painter, walls);
    memory.SetFont(*thingFont);
    glyph = memory.GetTextExtent("W");
}

wxImage SceneRenderer::image(const Scene& scene) {
    {
        wxMemoryDC memory(picture);
        wxMemoryDC background(layer);
        paintSceneArea(memory, background, wxRect(0, 0, PICTURE_SIZE, PICTURE_SIZE), scene, glyph,
                       ACTUAL_SIZE);
    }
    last = scene;
    return picture.ConvertToImage();
}

wxRect SceneRenderer::update(const Scene& scene) {
    sceneChanges(last, scene, glyph, ACTUAL_SIZE, areas);
    wxRect changed;
    {
        wxMemoryDC memory(picture);
        wxMemoryDC background(layer);
        for (const wxRect& area : areas) {
            paintSceneArea(memory, background, area, scene, glyph, ACTUAL_SIZE);
            changed = changed.IsEmpty() ? area : changed.Union(area);
        }
    }
    last = scene;
    return changed;
}

wxImage SceneRenderer::part(const wxRect& box) const {
    return picture.GetSubBitmap(box).ConvertToImage();
}

// A picture of width x height drawn on white by paint, given a painter.
template <class Paint> static wxImage drawnOnWhite(int width, int height, Paint paint) {
    wxBitmap sample(width, height);
    {
        wxMemoryDC memory(sample);
        memory.SetBackground(*wxWHITE_BRUSH);
        memory.Clear();
        WxPainter painter(memory);
        paint(painter);
    }
    return sample.ConvertToImage();
}

wxImage SceneRenderer::robotIcons() const {
    return drawnOnWhite(4 * 32, 32, [](Painter& painter) {
        for (int heading = 0; heading < 4; ++heading)
            painter.robot(32 * heading, 0, heading);
    });
}

wxImage SceneRenderer::thingCharacters() const {
    return drawnOnWhite(95 * glyph.x, glyph.y, [this](Painter& painter) {
        for (char c = ' ' + 1; c < 127; ++c)
            painter.text((c - ' ') * glyph.x, 0, &c, 1, Lettering::THING);
    });
}

wxImage sceneImage(const Scene& scene) {
    return SceneRenderer().image(scene);
}
