#include "app/worldview.h"

#include "app/canvas.h"
#include "app/pindle.h"
#include "app/wxpainter.h"
#include "app/zoom.h"
#include "view/worlddrawing.h"
#include "world/goal.h"
#include "world/world.h"

#include <cstring>
#include <memory>
#include <vector>
#include <wx/dcmemory.h>

namespace {

bool haveCanvas() {
    return frame && frame->canvas && worldBitmap;
}

long goalGeneration = 0;            // changes whenever the goal shown is loaded or cleared
void (*redrawListener)() = nullptr; // told of every redraw outside a repaint
bool loaderPicture = false;         // the kept picture is a load's first drawing, not redrawn yet

// What the picture in worldBitmap shows, so that a redraw renews only what changed. Areas are
// in the kept picture's pixels, at the zoom.
struct Picture {
    bool valid = false;
    long generation = -1;
    long goal = -1; // the goal's generation
    Scene scene;
};

// A blocked move's side, marked while the robot stands where the move was refused.
struct BlockedSide {
    bool marked = false;
    int x = 0, y = 0, heading = 0; // the robot's place in pixels and its heading
};

BlockedSide blockedSide;

Picture shown;
Picture wanted;
std::unique_ptr<wxBitmap> staticLayer; // labels, grid, border, goal and walls of the world
wxSize thingSize;                      // the box one thing's character takes

int pictureSize() {
    return zoomed(PICTURE_SIZE);
}

// The canvas repaints area of the kept picture when it next handles its events.
void showLater(const wxRect& area) {
    MyCanvas* canvas = frame->canvas;
    canvas->RefreshRect(wxRect(canvas->CalcScrolledPosition(area.GetPosition()), area.GetSize()),
                        false);
}

void showAllLater() {
    showLater(wxRect(0, 0, pictureSize(), pictureSize()));
}

void buildStaticLayer() {
    if (!staticLayer) staticLayer = std::make_unique<wxBitmap>(pictureSize(), pictureSize());
    wxMemoryDC layer(*staticLayer);
    layer.SetBackground(*wxWHITE_BRUSH);
    layer.Clear();
    WxPainter painter(layer, worldZoom());
    paintBackdrop(painter);
    paintGoal(painter, taskGoal);
    paintWalls(painter, walls);
    layer.SetFont(zoomedFont(*thingFont));
    thingSize = layer.GetTextExtent("W");
}

// The areas whose pixels differ between what is shown and what is wanted.
void changedAreas(std::vector<wxRect>& areas) {
    if (!shown.valid || shown.generation != wanted.generation || shown.goal != wanted.goal) {
        areas.assign(1, wxRect(0, 0, pictureSize(), pictureSize()));
        return;
    }
    sceneChanges(shown.scene, wanted.scene, thingSize, worldZoom(), areas);
}

// Renews the areas of the kept picture that differ from the world model.
void renewPicture(std::vector<wxRect>& areas) {
    wanted.valid = true;
    wanted.generation = worldGeneration;
    wanted.goal = goalGeneration;
    wanted.scene.robotX = icon_x;
    wanted.scene.robotY = icon_y;
    wanted.scene.heading = position & 3;
    collectThings(wanted.scene.things);
    bool stillThere = blockedSide.marked && blockedSide.x == icon_x && blockedSide.y == icon_y &&
                      blockedSide.heading == wanted.scene.heading;
    wanted.scene.blocked = stillThere ? blockedSide.heading : -1;
    if (!staticLayer || !shown.valid || shown.generation != wanted.generation ||
        shown.goal != wanted.goal)
        buildStaticLayer();
    changedAreas(areas);
    wxMemoryDC memory(*worldBitmap);
    wxMemoryDC layer(*staticLayer);
    for (const wxRect& area : areas)
        paintSceneArea(memory, layer, area, wanted.scene, thingSize, worldZoom());
    std::swap(shown, wanted);
    loaderPicture = false;
}

std::vector<wxRect> changed; // the areas the last renewal of the picture changed

// Renews the kept picture and has the canvas show what changed when it next repaints.
void renewAndShowLater() {
    renewPicture(changed);
    for (const wxRect& area : changed)
        showLater(area);
}

// Draws with paint into the kept picture, for the load's first drawing.
template <class Paint> void drawLoaded(Paint paint) {
    if (!haveCanvas()) return;
    {
        wxMemoryDC memory(*worldBitmap);
        WxPainter painter(memory, worldZoom());
        paint(memory, painter);
    }
    shown.valid = false;
    loaderPicture = true;
    showAllLater();
}

} // namespace

// The picture is kept in worldBitmap between redraws: a redraw renews only the areas that
// changed (the robot's old and new places, changed things), which gives the same pixels as
// drawing everything again. A repaint leaves a load's first drawing as it is.
void reDraw() {
    if (!haveCanvas()) return;
    wxDC* painting = frame->canvas->paintDC();
    if (painting) {
        if (!loaderPicture) renewPicture(changed);
        showPicture(*painting, frame->canvas->GetUpdateRegion());
        return;
    }
    renewAndShowLater();
    frame->canvas->keepInView(robotArea(shown.scene, worldZoom()));
    if (redrawListener) redrawListener();
}

void showPicture(wxDC& dc, const wxRegion& update) {
    if (!worldBitmap) return;
    wxMemoryDC memory(*worldBitmap);
    wxRect box = update.GetBox();
    box.SetPosition(frame->canvas->CalcUnscrolledPosition(box.GetPosition()));
    box.Intersect(wxRect(0, 0, pictureSize(), pictureSize()));
    if (!box.IsEmpty()) dc.Blit(box.x, box.y, box.width, box.height, &memory, box.x, box.y);
}

void forgetPicture() {
    shown.valid = false;
}

void goalChanged() {
    ++goalGeneration;
}

void zoomChanged() {
    delete worldBitmap;
    worldBitmap = new wxBitmap(pictureSize(), pictureSize());
    staticLayer.reset();
    shown.valid = false;
    loaderPicture = false;
    {
        wxMemoryDC memory(*worldBitmap);
        memory.SetBackground(*wxWHITE_BRUSH);
        memory.Clear();
    }
    if (haveCanvas()) frame->canvas->Refresh(false);
}

void setRedrawListener(void (*listener)()) {
    redrawListener = listener;
}

void clearCanvas() {
    drawLoaded([](wxDC& dc, Painter&) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
    });
}

void drawEmptyWorld() {
    drawLoaded([](wxDC& dc, Painter& painter) {
        dc.SetBackground(*wxWHITE_BRUSH);
        dc.Clear();
        paintBackdrop(painter);
        paintGoal(painter, taskGoal);
    });
}

void drawWall(int x1, int y1, int x2, int y2) {
    drawLoaded(
        [&](wxDC&, Painter& painter) { paintWall(painter, line_struct(x1, y1, x2, y2, nullptr)); });
}

void drawThing(int x, int y, const char* word) {
    drawLoaded([&](wxDC&, Painter& painter) {
        paintThing(painter, x, y, word, static_cast<int>(std::strlen(word)));
    });
}

void drawRobot() {
    drawLoaded([](wxDC&, Painter& painter) {
        std::vector<ThingMark> things;
        collectThings(things);
        paintRobotOver(painter, things, icon_x, icon_y, position);
    });
}

void markBlockedSide(int heading) {
    blockedSide = {true, icon_x, icon_y, heading & 3};
    if (haveCanvas()) renewAndShowLater();
}

void clearBlockedSide() {
    if (!blockedSide.marked) return;
    blockedSide.marked = false;
    if (haveCanvas()) renewAndShowLater();
}
