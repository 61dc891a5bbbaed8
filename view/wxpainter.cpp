#include "view/wxpainter.h"

#include "app/pindle.h"
#include "view/worlddrawing.h"
#include "world/goal.h"
#include "world/world.h"

#include <wx/dcmemory.h>

namespace {

const wxColour goalThingGrey(200, 200, 200), goalCornerGrey(170, 170, 170);

const wxPen& penFor(Stroke stroke) {
    static const wxPen goalPen(goalCornerGrey, 2);
    switch (stroke) {
    case Stroke::GRID: return *black_pen;
    case Stroke::BORDER: return *black_pen2;
    case Stroke::WALL: return *red_pen;
    default: return goalPen;
    }
}

} // namespace

void WxPainter::line(int x1, int y1, int x2, int y2, Stroke stroke) {
    dc.SetPen(penFor(stroke));
    dc.DrawLine(x1, y1, x2, y2);
}

void WxPainter::rectangle(int x, int y, int width, int height, Stroke stroke) {
    dc.SetPen(penFor(stroke));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(x, y, width, height);
}

void WxPainter::text(int x, int y, const char* text, int length, Lettering lettering) {
    dc.SetFont(lettering == Lettering::LABEL ? *itemFont : *thingFont);
    dc.SetTextForeground(lettering == Lettering::LABEL   ? *wxBLACK
                         : lettering == Lettering::THING ? *wxBLUE
                                                         : goalThingGrey);
    dc.DrawText(wxString::From8BitData(text, length), x, y);
}

void WxPainter::robot(int x, int y, int heading) {
    dc.DrawIcon(*pn_icon[(heading & 3) + 1], x, y);
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
