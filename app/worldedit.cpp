#include "app/worldedit.h"
#include "io/textbuf.h"
#include "io/translate.h"

#include "app/canvas.h"
#include "app/debugger.h"
#include "app/editor.h"
#include "app/goals.h"
#include "app/ids.h"
#include "app/pindle.h"
#include "app/runcontrol.h"
#include "app/windowstate.h"
#include "app/wxui.h"
#include "app/zoom.h"
#include "io/system.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "world/edits.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/situation.h"
#include "world/world.h"
#include "world/worldsave.h"

#include <cstring>
#include <string>

namespace {

bool editing = false;
bool edited = false;       // edits were made that are not saved
long editedGeneration = 0; // the world's generation after the last edit: a reload changes it
bool turned = false;       // the robot was last turned by hand, not placed, in this world
bool unnamed = false;      // the world is a new one, which no file holds yet

// The corner whose crossing lies nearest to a point of the canvas, when it is on the grid.
bool cornerAt(const wxPoint& p, int& x, int& y) {
    if (p.x < 0 || p.y < 0 || !frame->canvas->GetClientRect().Contains(p)) return false;
    wxPoint at = frame->canvas->CalcUnscrolledPosition(p);
    x = unzoomed(at.x) / CORNER;
    y = unzoomed(at.y) / CORNER;
    return onGrid(x, y);
}

void madeEdit() {
    if (Debugger* d = debugger()) d->clearCrash();
    clearHistory(); // the steps before were taken on another world
    edited = true;
    editedGeneration = worldGeneration;
    worldDisplay().redrawWorld();
}

bool unsavedEdits() {
    return edited && editedGeneration == worldGeneration;
}

// The heading the robot was turned to by hand, when it was since this world was loaded.
int headingTurned() {
    return turned && editedGeneration == worldGeneration ? position : -1;
}

class MouseEditing : public CanvasInput {
  public:
    void mouse(wxMouseEvent& event) override;
    void key(wxKeyEvent& event) override;

  private:
    bool dragging = false; // a left button went down on a corner
    int fromX = 0, fromY = 0;
    void dragEnded(int x, int y);
};

void MouseEditing::mouse(wxMouseEvent& event) {
    int x = 0, y = 0;
    bool onCorner = cornerAt(event.GetPosition(), x, y);
    if (event.ButtonDown()) frame->canvas->SetFocus();
    if (event.LeftDown()) {
        dragging = onCorner;
        fromX = x;
        fromY = y;
    } else if (event.LeftUp()) {
        bool ended = dragging && onCorner;
        dragging = false;
        if (ended) dragEnded(x, y);
    } else if ((event.RightDown() || event.RightDClick()) && onCorner) {
        // On the robot's own corner, a right click turns it; elsewhere it puts it there.
        turned = turnRobotAt(x, y);
        if (!turned) placeRobot(x, y);
        madeEdit();
    }
}

// A click on a corner removes the wall covering it; a drag along a row or column adds one.
void MouseEditing::dragEnded(int x, int y) {
    bool changed = (x == fromX && y == fromY) ? removeWallAt(x, y) : addWall(fromX, fromY, x, y);
    if (changed) madeEdit();
}

void MouseEditing::key(wxKeyEvent& event) {
    int key = event.GetKeyCode();
    bool removes = key == ' ' || key == WXK_DELETE;
    bool puts = key > ' ' && key < 127;
    if (event.HasModifiers() || (!removes && !puts)) {
        event.Skip();
        return;
    }
    // Printable keys never drive the robot or reach a menu key, even off the grid.
    int x = 0, y = 0;
    if (!cornerAt(frame->canvas->ScreenToClient(wxGetMousePosition()), x, y)) return;
    if (removes)
        removeThing(x, y);
    else
        putThing(x, y, static_cast<char>(key));
    madeEdit();
}

MouseEditing mouseEditing;

void setEditing(bool on) {
    if (on && ifinited != 1) {
        dialogs().messageBox(tr("Load a world before editing it."), tr("Edit world by mouse"));
        on = false;
    }
    editing = on;
    frame->canvas->takeInput(on ? &mouseEditing : nullptr);
    world_menu->Check(ID_EDIT_BY_MOUSE, on);
    showWindowState();
}

// The heading word a file names after its robot, read as a goal is read, without boxes:
// kept when the world is written again, so that a goal keeps the heading it asks for.
int headingIn(const char* file) {
    Goal goal;
    PindleUI& shown = ui();
    setUI(nullptr);
    bool read = LoadGoalFile(file, goal);
    setUI(&shown);
    return read ? goal.heading : -1;
}

// The editor shows the file as now saved, unless its own text was changed.
void showSavedInEditor(const char* name, const std::string& text) {
    if (!subframe || std::strcmp(editFileName, name) != 0 || subframe->text_window->IsModified())
        return;
    subframe->text_window->ChangeValue(fromText(text.c_str()));
    subframe->text_window->DiscardEdits();
}

bool writeWorld(const std::string& name) {
    char fitted[80];
    if (!takeFileName(fitted, name.c_str())) return false;
    int heading = headingTurned();
    if (heading < 0 && sitFp) heading = headingIn(worldFile);
    std::string text = situationText(heading);
    SaveOutcome outcome = saveFileSafely(fitted, text);
    if (!outcome.saved) {
        std::string why = formatText(tr("Cannot save the world in %s: %s"), name.c_str(),
                                     std::strerror(outcome.error));
        if (!outcome.keptOld.empty())
            why += formatText(tr("\nIts old text is kept in %s"), outcome.keptOld.c_str());
        dialogs().messageBox(why.c_str(), tr("File Error"));
        return false;
    }
    std::strcpy(worldFile, fitted);
    edited = false;
    showSavedInEditor(fitted, text);
    return true;
}

// The new world: empty, with the robot on corner 1,1 facing north, and no goal.
void makeNewWorld() {
    startUnnamedWorld();
    placeRobot(1, 1);
    unnamed = true;
    clearGoal(); // and draws the world anew
}

} // namespace

void newWorld() {
    if (running || !keepWorldEditsSafe()) return;
    makeNewWorld();
    setEditing(true);
}

bool reloadWorld() {
    if (!unnamed || worldFile[0] != '\0') return LoadWorldFile(worldFile);
    makeNewWorld();
    return true;
}

void toggleWorldEditing() {
    setEditing(!editing);
}

bool worldEditing() {
    return editing;
}

void endWorldEditing() {
    if (editing) setEditing(false);
}

bool saveWorld() {
    // A failed load leaves the world of an earlier file on view: it is not the world file's.
    if (worldFile[0] == '\0' || !sitFp) return saveWorldAs();
    return writeWorld(worldFile);
}

bool saveWorldAs() {
    std::string path;
    if (!dialogs().chooseSaveFile(
            tr("Save world"), tr("World files (*.sit)|*.sit|All files (*.*)|*.*"), worldFile, path))
        return false;
    return writeWorld(path);
}

bool keepWorldEditsSafe() {
    if (!unsavedEdits()) return true;
    std::string text =
        worldFile[0]
            ? formatText(tr("The world of %s has been changed with the mouse. Save it first?"),
                         worldFile)
            : tr("The new world has been changed with the mouse. Save it first?");
    switch (dialogs().askYesNoCancel(text.c_str(), tr("Pindle's World"))) {
    case Dialogs::YES: return saveWorld();
    case Dialogs::NO: edited = false; return true;
    default: return false;
    }
}
