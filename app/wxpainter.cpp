#include "app/wxpainter.h"

#include "app/pindle.h"
#include "app/zoom.h"
#include "view/worlddrawing.h"
#include "world/goal.h"
#include "world/world.h"

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

SceneRenderer::SceneRenderer()
    : layer(PICTURE_SIZE, PICTURE_SIZE), picture(PICTURE_SIZE, PICTURE_SIZE) {
    wxMemoryDC memory(layer);
    memory.SetBackground(*wxWHITE_BRUSH);
    memory.Clear();
    WxPainter painter(memory);
    paintBackdrop(painter);
    paintGoal(painter, taskGoal);
    paintWalls(painter, walls);
}

wxImage SceneRenderer::image(const Scene& scene) {
    {
        wxMemoryDC memory(picture);
        wxMemoryDC background(layer);
        memory.Blit(0, 0, PICTURE_SIZE, PICTURE_SIZE, &background, 0, 0);
        WxPainter painter(memory);
        for (const ThingMark& t : scene.things)
            paintThing(painter, t.x, t.y, &t.item, 1);
        paintRobot(painter, scene.robotX, scene.robotY, scene.heading);
    }
    return picture.ConvertToImage();
}

wxImage sceneImage(const Scene& scene) {
    return SceneRenderer().image(scene);
}
