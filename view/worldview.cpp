#include "view/worldview.h"

#include "app/pindle.h"
#include "view/canvas.h"
#include "world/goal.h"
#include "world/world.h"

#include <memory>
#include <vector>
#include <wx/dcclient.h>
#include <wx/dcmemory.h>

namespace {

// Draws on the canvas: through the repaint's context during a repaint, else directly.
class CanvasDC {
  public:
    CanvasDC() {
        if (frame->canvas->paintDC())
            dc = frame->canvas->paintDC();
        else
            dc = (client = std::make_unique<wxClientDC>(frame->canvas)).get();
    }
    wxDC& operator*() { return *dc; }
    wxDC* operator->() { return dc; }

  private:
    std::unique_ptr<wxClientDC> client;
    wxDC* dc;
};

bool haveCanvas() {
    return frame && frame->canvas;
}

void drawThingText(wxDC& dc, int x, int y, const wxString& text) {
    dc.SetTextForeground(*wxBLUE);
    dc.SetFont(*thingFont);
    dc.DrawText(text, 30 * x + 11, 30 * y + 11);
    dc.SetTextForeground(*wxBLACK);
}

void drawIcon(wxDC& dc) {
    dc.DrawIcon(*pn_icon[(position & 3) + 1], icon_x, icon_y);
}

void drawWallLine(wxDC& dc, const line_struct& w) {
    dc.SetPen(*red_pen);
    dc.DrawLine(w.x1 + 15, w.y1 + 15, w.x2 + 15, w.y2 + 15);
}

const wxColour goalThingGrey(200, 200, 200), goalCornerGrey(170, 170, 170);

// The goal under the world, when one is loaded: its things in light grey at their corners,
// and the robot's corner outlined around the robot's icon.
void drawGoal(wxDC& dc) {
    if (!taskGoal.loaded) return;
    dc.SetFont(*thingFont);
    dc.SetTextForeground(goalThingGrey);
    for (const world_row* row = taskGoal.things.world; row; row = row->next)
        for (const world_corner* c = row->column; c; c = c->next)
            if (c->item != '\0' && c->item != ' ')
                dc.DrawText(wxString::From8BitData(&c->item, 1), 30 * c->pos + 11,
                            30 * row->pos + 11);
    dc.SetTextForeground(*wxBLACK);
    RobotPlace robot = taskGoal.robot();
    if (!robot.placed) return;
    dc.SetPen(wxPen(goalCornerGrey, 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(30 * robot.x - 3, 30 * robot.y - 3, 38, 38);
}

long goalGeneration = 0; // changes whenever the goal shown is loaded or cleared

// What the picture in worldBitmap shows, so that a redraw renews only what changed.
struct Thing {
    int x, y;
    char item;
    bool operator==(const Thing& o) const { return x == o.x && y == o.y && item == o.item; }
};

struct Picture {
    bool valid = false;
    long generation = -1;
    long goal = -1; // the goal's generation
    wxRect icon;
    int heading = 0;
    std::vector<Thing> things;
};

Picture shown;
Picture wanted;
std::unique_ptr<wxBitmap> staticLayer; // labels, grid, border, goal and walls of the world
wxSize thingSize;                      // the box one thing's character takes

void collectThings(std::vector<Thing>& things) {
    things.clear();
    for (world_row* row = PindlesWorld.world; row; row = row->next)
        for (world_corner* c = row->column; c; c = c->next)
            if (c->item != '\0' && c->item != ' ') things.push_back({c->pos, row->pos, c->item});
}

wxRect thingBox(const Thing& t) {
    return wxRect(30 * t.x + 11 - 2, 30 * t.y + 11 - 2, thingSize.x + 4, thingSize.y + 4);
}

void buildStaticLayer() {
    if (!staticLayer) staticLayer = std::make_unique<wxBitmap>(550, 550);
    wxMemoryDC layer(*staticLayer);
    layer.SetBackground(*wxWHITE_BRUSH);
    layer.Clear();
    drawBackdrop(layer);
    drawGoal(layer);
    for (line_struct* w = walls; w; w = w->next)
        drawWallLine(layer, *w);
    layer.SetFont(*thingFont);
    thingSize = layer.GetTextExtent("W");
}

// Renews the part of the picture inside area: the static layer, the things over it, the robot.
void paintArea(wxMemoryDC& memory, wxMemoryDC& layer, const wxRect& area) {
    memory.SetClippingRegion(area);
    memory.Blit(area.x, area.y, area.width, area.height, &layer, area.x, area.y);
    for (const Thing& t : wanted.things)
        if (thingBox(t).Intersects(area))
            drawThingText(memory, t.x, t.y, wxString::From8BitData(&t.item, 1));
    memory.SetFont(*itemFont);
    drawIcon(memory);
    memory.DestroyClippingRegion();
}

// The areas whose pixels differ between what is shown and what is wanted.
void changedAreas(std::vector<wxRect>& areas) {
    areas.clear();
    if (!shown.valid || shown.generation != wanted.generation || shown.goal != wanted.goal) {
        areas.emplace_back(0, 0, 550, 550);
        return;
    }
    if (shown.icon != wanted.icon || shown.heading != wanted.heading) {
        areas.push_back(shown.icon);
        areas.push_back(wanted.icon);
    }
    if (shown.things != wanted.things) {
        for (const Thing& t : shown.things)
            areas.push_back(thingBox(t));
        for (const Thing& t : wanted.things)
            areas.push_back(thingBox(t));
    }
}

} // namespace

void drawBackdrop(wxDC& dc) {
    dc.SetTextForeground(*wxBLACK);
    dc.SetFont(*itemFont);
    for (int k = 0; k <= 14; ++k) {
        wxString label = wxString::Format("%d", k);
        dc.DrawText(label, 30 * k + 11, 0);
        dc.DrawText(label, 0, 30 * k + 11);
    }
    dc.SetPen(*black_pen);
    for (int p = 15; p <= 435; p += 30) {
        dc.DrawLine(p, 15, p, 435);
        dc.DrawLine(15, p, 435, p);
    }
    dc.SetPen(*black_pen2);
    dc.DrawLine(15, 15, 435, 15);
    dc.DrawLine(15, 15, 15, 435);
    dc.DrawLine(435, 15, 435, 435);
    dc.DrawLine(15, 435, 435, 435);
}

// The picture is kept in worldBitmap between redraws: a redraw renews only the areas that
// changed (the robot's old and new places, changed things), which gives the same pixels as
// drawing everything again, and copies only those areas to the canvas; a repaint copies all.
void reDraw() {
    if (!haveCanvas() || !worldBitmap) return;
    wanted.valid = true;
    wanted.generation = worldGeneration;
    wanted.goal = goalGeneration;
    wanted.icon = wxRect(icon_x, icon_y, 32, 32);
    wanted.heading = position & 3;
    collectThings(wanted.things);
    if (!staticLayer || shown.generation != wanted.generation || shown.goal != wanted.goal)
        buildStaticLayer();
    static std::vector<wxRect> areas;
    changedAreas(areas);
    wxMemoryDC memory(*worldBitmap);
    {
        wxMemoryDC layer(*staticLayer);
        for (const wxRect& area : areas)
            paintArea(memory, layer, area);
    }
    std::swap(shown, wanted);
    CanvasDC target;
    if (frame->canvas->paintDC()) {
        target->Blit(0, 0, 550, 550, &memory, 0, 0);
        return;
    }
    for (const wxRect& area : areas)
        target->Blit(area.x, area.y, area.width, area.height, &memory, area.x, area.y);
}

// Forgets what the canvas shows, so that the next redraw draws everything.
void forgetPicture() {
    shown.valid = false;
}

void goalChanged() {
    ++goalGeneration;
}

void clearCanvas() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    dc->SetBackground(*wxWHITE_BRUSH);
    dc->Clear();
}

void drawEmptyWorld() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    dc->SetBackground(*wxWHITE_BRUSH);
    dc->Clear();
    drawBackdrop(*dc);
    drawGoal(*dc);
}

void drawWall(int x1, int y1, int x2, int y2) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawWallLine(*dc, line_struct(x1, y1, x2, y2, nullptr));
}

void drawThing(int x, int y, const char* word) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawThingText(*dc, x, y, wxString::From8BitData(word));
}

void drawRobot() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    drawIcon(*dc);
}
