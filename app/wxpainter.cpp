#include "app/wxpainter.h"

#include "app/pindle.h"
#include "app/zoom.h"
#include "view/worlddrawing.h"
#include "world/goal.h"
#include "world/world.h"

#include <algorithm>
#include <wx/dcmemory.h>

namespace {

const wxColour goalGreen(60, 180, 60), blockedOrange(255, 140, 0);
const wxColour iconOutline(0x10, 0x40, 0x20); // the robot icon's outline

// The outline of icon alone, in the goal's green, on nothing.
wxImage outlineOf(const wxImage& icon) {
    wxImage outline(icon.GetWidth(), icon.GetHeight());
    outline.InitAlpha();
    for (int y = 0; y < icon.GetHeight(); ++y)
        for (int x = 0; x < icon.GetWidth(); ++x) {
            bool edge = icon.GetRed(x, y) == iconOutline.Red() &&
                        icon.GetGreen(x, y) == iconOutline.Green() &&
                        icon.GetBlue(x, y) == iconOutline.Blue();
            outline.SetRGB(x, y, goalGreen.Red(), goalGreen.Green(), goalGreen.Blue());
            outline.SetAlpha(x, y, edge ? wxIMAGE_ALPHA_OPAQUE : wxIMAGE_ALPHA_TRANSPARENT);
        }
    return outline;
}

// The font at points, zoomed.
wxFont sized(const wxFont& font, double points, int zoom, bool bold = false) {
    wxFont f = font;
    f.SetFractionalPointSize(points);
    if (bold) f.SetWeight(wxFONTWEIGHT_BOLD);
    return zoomedFont(f, zoom);
}

// The pens, fonts and robot pictures of one zoom; at actual size, the program's own.
struct Tools {
    int zoom = 0;
    wxPen grid, border, wall, goal, blocked;
    wxFont label, thing, smallLabel, smallThing;
    wxBitmap robots[4], outlines[4];
};

const Tools& toolsFor(int zoom) {
    static Tools tools;
    if (tools.zoom == zoom) return tools;
    tools.zoom = zoom;
    tools.grid = zoomedPen(*black_pen, zoom);
    tools.border = zoomedPen(*black_pen2, zoom);
    tools.wall = zoomedPen(*red_pen, zoom);
    tools.goal = zoomedPen(wxPen(goalGreen, 2), zoom);
    tools.blocked = zoomedPen(wxPen(blockedOrange, 5), zoom);
    tools.label = zoomedFont(*itemFont, zoom);
    tools.thing = zoomedFont(*thingFont, zoom);
    tools.smallLabel = sized(*itemFont, 7.5, zoom);
    tools.smallThing = sized(*thingFont, 8, zoom, true);
    for (int i = 0; i < 4; ++i) {
        wxBitmap icon;
        icon.CopyFromIcon(*pn_icon[i + 1]);
        int size = zoomed(icon.GetWidth(), zoom);
        // Pixel for pixel, so that the icon stays as crisp as it is at actual size.
        wxImage outline = outlineOf(icon.ConvertToImage());
        tools.robots[i] =
            zoom == ACTUAL_SIZE
                ? icon
                : wxBitmap(icon.ConvertToImage().Scale(size, size, wxIMAGE_QUALITY_NEAREST));
        tools.outlines[i] = wxBitmap(outline.Scale(size, size, wxIMAGE_QUALITY_NEAREST));
    }
    return tools;
}

const wxPen& penFor(const Tools& tools, Stroke stroke) {
    switch (stroke) {
    case Stroke::GRID: return tools.grid;
    case Stroke::BORDER: return tools.border;
    case Stroke::WALL: return tools.wall;
    case Stroke::BLOCKED: return tools.blocked;
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
    switch (lettering) {
    case Lettering::LABEL: dc.SetFont(tools.label); break;
    case Lettering::SMALL_LABEL: dc.SetFont(tools.smallLabel); break;
    case Lettering::SMALL_THING: dc.SetFont(tools.smallThing); break;
    default: dc.SetFont(tools.thing); break;
    }
    switch (lettering) {
    case Lettering::LABEL:
    case Lettering::SMALL_LABEL: dc.SetTextForeground(*wxBLACK); break;
    case Lettering::GOAL_THING: dc.SetTextForeground(goalGreen); break;
    default: dc.SetTextForeground(*wxBLUE); break;
    }
    dc.DrawText(wxString::From8BitData(text, length), at(x), at(y));
}

void WxPainter::robot(int x, int y, int heading) {
    if (zoom == ACTUAL_SIZE)
        dc.DrawIcon(*pn_icon[(heading & 3) + 1], x, y);
    else
        dc.DrawBitmap(toolsFor(zoom).robots[heading & 3], at(x), at(y));
}

void WxPainter::robotOutline(int x, int y, int heading) {
    dc.DrawBitmap(toolsFor(zoom).outlines[heading & 3], at(x), at(y), true);
}

wxRect thingArea(const ThingMark& t, wxSize glyph, int zoom) {
    return wxRect(zoomed(CORNER * t.x + 11, zoom) - 2, zoomed(CORNER * t.y + 11, zoom) - 2,
                  glyph.x + 4, glyph.y + 4);
}

wxRect robotArea(const Scene& scene, int zoom) {
    return wxRect(zoomed(scene.robotX, zoom), zoomed(scene.robotY, zoom), zoomed(32, zoom),
                  zoomed(32, zoom));
}

// The area the blocked side's mark of scene covers.
static wxRect blockedArea(const Scene& scene, int zoom) {
    return wxRect(zoomed(scene.robotX - 4, zoom), zoomed(scene.robotY - 4, zoom), zoomed(39, zoom),
                  zoomed(39, zoom));
}

void sceneChanges(const Scene& from, const Scene& to, wxSize glyph, int zoom,
                  std::vector<wxRect>& areas) {
    areas.clear();
    bool robotMoved =
        from.robotX != to.robotX || from.robotY != to.robotY || from.heading != to.heading;
    // The icon shows the thing under the robot too.
    if (robotMoved || from.things != to.things) {
        areas.push_back(robotArea(from, zoom));
        areas.push_back(robotArea(to, zoom));
    }
    if (from.blocked != to.blocked || (to.blocked >= 0 && robotMoved)) {
        if (from.blocked >= 0) areas.push_back(blockedArea(from, zoom));
        if (to.blocked >= 0) areas.push_back(blockedArea(to, zoom));
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
    paintRobotOver(painter, scene.things, scene.robotX, scene.robotY, scene.heading);
    if (scene.blocked >= 0) paintBlocked(painter, scene.robotX, scene.robotY, scene.blocked);
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
