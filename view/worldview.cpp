#include "view/worldview.h"

#include "app/pindle.h"
#include "view/canvas.h"
#include "view/worlddrawing.h"
#include "view/wxpainter.h"
#include "world/goal.h"
#include "world/world.h"

#include <cstring>
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

long goalGeneration = 0;            // changes whenever the goal shown is loaded or cleared
void (*redrawListener)() = nullptr; // told of every redraw outside a repaint

// What the picture in worldBitmap shows, so that a redraw renews only what changed.
struct Picture {
    bool valid = false;
    long generation = -1;
    long goal = -1; // the goal's generation
    wxRect icon;
    int heading = 0;
    std::vector<ThingMark> things;
};

Picture shown;
Picture wanted;
std::unique_ptr<wxBitmap> staticLayer; // labels, grid, border, goal and walls of the world
wxSize thingSize;                      // the box one thing's character takes

wxRect thingBox(const ThingMark& t) {
    return wxRect(30 * t.x + 11 - 2, 30 * t.y + 11 - 2, thingSize.x + 4, thingSize.y + 4);
}

void buildStaticLayer() {
    if (!staticLayer) staticLayer = std::make_unique<wxBitmap>(PICTURE_SIZE, PICTURE_SIZE);
    wxMemoryDC layer(*staticLayer);
    layer.SetBackground(*wxWHITE_BRUSH);
    layer.Clear();
    WxPainter painter(layer);
    paintBackdrop(painter);
    paintGoal(painter, taskGoal);
    paintWalls(painter, walls);
    layer.SetFont(*thingFont);
    thingSize = layer.GetTextExtent("W");
}

// Renews the part of the picture inside area: the static layer, the things over it, the robot.
void paintArea(wxMemoryDC& memory, wxMemoryDC& layer, const wxRect& area) {
    memory.SetClippingRegion(area);
    memory.Blit(area.x, area.y, area.width, area.height, &layer, area.x, area.y);
    WxPainter painter(memory);
    for (const ThingMark& t : wanted.things)
        if (thingBox(t).Intersects(area)) paintThing(painter, t.x, t.y, &t.item, 1);
    paintRobot(painter, wanted.icon.x, wanted.icon.y, wanted.heading);
    memory.DestroyClippingRegion();
}

// The areas whose pixels differ between what is shown and what is wanted.
void changedAreas(std::vector<wxRect>& areas) {
    areas.clear();
    if (!shown.valid || shown.generation != wanted.generation || shown.goal != wanted.goal) {
        areas.emplace_back(0, 0, PICTURE_SIZE, PICTURE_SIZE);
        return;
    }
    if (shown.icon != wanted.icon || shown.heading != wanted.heading) {
        areas.push_back(shown.icon);
        areas.push_back(wanted.icon);
    }
    if (shown.things != wanted.things) {
        for (const ThingMark& t : shown.things)
            areas.push_back(thingBox(t));
        for (const ThingMark& t : wanted.things)
            areas.push_back(thingBox(t));
    }
}

} // namespace

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
        target->Blit(0, 0, PICTURE_SIZE, PICTURE_SIZE, &memory, 0, 0);
        return;
    }
    for (const wxRect& area : areas)
        target->Blit(area.x, area.y, area.width, area.height, &memory, area.x, area.y);
    if (redrawListener) redrawListener();
}

void forgetPicture() {
    shown.valid = false;
}

void goalChanged() {
    ++goalGeneration;
}

void setRedrawListener(void (*listener)()) {
    redrawListener = listener;
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
    WxPainter painter(*dc);
    paintBackdrop(painter);
    paintGoal(painter, taskGoal);
}

void drawWall(int x1, int y1, int x2, int y2) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    WxPainter painter(*dc);
    paintWall(painter, line_struct(x1, y1, x2, y2, nullptr));
}

void drawThing(int x, int y, const char* word) {
    if (!haveCanvas()) return;
    CanvasDC dc;
    WxPainter painter(*dc);
    paintThing(painter, x, y, word, static_cast<int>(std::strlen(word)));
}

void drawRobot() {
    if (!haveCanvas()) return;
    CanvasDC dc;
    WxPainter painter(*dc);
    paintRobot(painter, icon_x, icon_y, position);
}
