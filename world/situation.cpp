#include "world/situation.h"
#include "io/translate.h"

#include "io/textbuf.h"
#include "io/textfile.h"
#include "io/wordreader.h"
#include "lang/bool.h"
#include "lang/filenames.h"
#include "lang/outside.h"
#include "world/goal.h"
#include "world/history.h"
#include "world/world.h"

#include <algorithm>
#include <cstring>
#include <string>

char worldFile[80];
static KeptFileName keptWorld(worldFile);
FILE* sitFp = nullptr;
int ifinited = 0;

namespace {

// Corners farther than this from the grid are reported but neither stored nor placed, and
// walls reaching farther are cut there: nothing of them could be seen or reached.
constexpr int FARTHEST = 100;
// Wall marks go on the corners that the 550-pixel picture shows, 0 to 17 on each axis.
constexpr int LAST_MARKED = 17;

bool reading = false; // a file is being read (a message box of the read may be open)

// The stream stays open after it is read, so that sitFp always holds a valid stream or
// null; it is closed when the next file is opened.
struct HeldStream {
    ~HeldStream() {
        if (sitFp) std::fclose(sitFp);
    }
} held;

// Pixels from corners, multiplying in place as the reader does, without overflow.
int pixels(int corner) {
    long long p = 30LL * corner;
    const long long limit = 1000000000LL;
    return static_cast<int>(std::clamp(p, -limit, limit));
}

bool outOfBounds(int v) {
    return v > 15 || v < 0;
}
bool farAway(int x, int y) {
    return x < -FARTHEST || x > FARTHEST || y < -FARTHEST || y > FARTHEST;
}

// Where a read puts what it reads: the world's own model (its globals) or another one.
struct SituationModel {
    world_struct* grid;  // things and wall marks
    line_struct** walls; // wall segments, newest first; null when walls are not kept
    int* robotX;         // the robot's place in pixels; -1, -1 until an item places it
    int* robotY;
    int* heading; // the heading named after the placing robot item's pair; null: not looked for
    bool drawn;   // each item is drawn through the display as it is entered
};

// One read of a situation file into a model, its boxes naming the file. The coordinates and
// thing word carry from item to item: an item that cannot read them keeps the previous item's.
class SituationRead {
  public:
    SituationRead(FILE* fp, const char* fileName, const SituationModel& model)
        : in(fp), name(fileName), m(model) {}
    void readItems(); // every item to the end of the file

  private:
    WordReader in;
    const char* name;
    SituationModel m;
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    char s[3] = " ";

    void reportBounds(const char* item, const char* keywordCaption = nullptr);
    void markWall();
    void wallItem(const char* keyword);
    void thingItem();
    bool robotItem(); // true when this item placed the robot
};

void SituationRead::reportBounds(const char* item, const char* keywordCaption) {
    char msg[80];
    formatCut(msg, sizeof msg, tr("A '%s' coordinate in %s is out of bounds"), item, name);
    char caption[32];
    if (keywordCaption)
        formatCut(caption, sizeof caption, "%s", keywordCaption);
    else if (x1 > 15)
        formatCut(caption, sizeof caption, "%d > 15", x1);
    else if (y1 > 15)
        formatCut(caption, sizeof caption, "%d > 15", y1);
    else if (x1 < 0)
        formatCut(caption, sizeof caption, "%d < 0", x1);
    else
        formatCut(caption, sizeof caption, "%d < 0", y1);
    dialogs().messageBox(msg, caption);
}

void SituationRead::markWall() {
    if (x1 == x2) {
        if (x1 < 0 || x1 > LAST_MARKED) return;
        for (int y = std::clamp(y1, 0, LAST_MARKED + 1); y <= y2 && y <= LAST_MARKED; ++y)
            m.grid->set(x1, y, '\0');
    } else {
        if (y1 < 0 || y1 > LAST_MARKED) return;
        for (int x = std::clamp(x1, 0, LAST_MARKED + 1); x <= x2 && x <= LAST_MARKED; ++x)
            m.grid->set(x, y1, '\0');
    }
}

void SituationRead::wallItem(const char* keyword) {
    in.readPair(y1, x1);
    in.readPair(y2, x2);
    if ((x1 == x2 && y1 == y2) || (x1 != x2 && y1 != y2)) {
        std::string caption = formatText(tr("Error in %s"), name);
        dialogs().messageBox(tr("Format for wall coordinates in should be x1,x2 y1,y2\n"),
                             caption.c_str());
    }
    if (outOfBounds(x1) || outOfBounds(y1) || outOfBounds(x2) || outOfBounds(y2))
        reportBounds("wall", keyword);
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    markWall();
    x1 = pixels(x1);
    y1 = pixels(y1);
    x2 = pixels(x2);
    y2 = pixels(y2);
    const int far = CORNER * FARTHEST;
    int X1 = std::clamp(x1, -far, far), Y1 = std::clamp(y1, -far, far);
    int X2 = std::clamp(x2, -far, far), Y2 = std::clamp(y2, -far, far);
    if (m.drawn) worldDisplay().drawWall(X1, Y1, X2, Y2);
    if (!m.walls) return;
    line_struct* wall = new (std::nothrow) line_struct(X1, Y1, X2, Y2, *m.walls);
    if (wall) *m.walls = wall;
    ++worldGeneration;
}

void SituationRead::thingItem() {
    in.readPair(y1, x1);
    in.readWord(s, sizeof s);
    if (outOfBounds(x1) || outOfBounds(y1)) reportBounds("thing");
    if (farAway(x1, y1)) return;
    m.grid->set(x1, y1, s[0]);
    if (m.drawn) worldDisplay().drawThing(x1, y1, s);
}

bool SituationRead::robotItem() {
    in.readPair(y1, x1);
    if (outOfBounds(x1) || outOfBounds(y1)) reportBounds("Pindle");
    bool placeable = !farAway(x1, y1);
    x1 = pixels(x1);
    y1 = pixels(y1);
    bool places = placeable && *m.robotX == -1 && *m.robotY == -1;
    if (places) {
        *m.robotX = x1;
        *m.robotY = y1;
    }
    if (m.drawn) worldDisplay().drawRobot();
    return places;
}

void SituationRead::readItems() {
    char mode[ITEMWORD];
    bool more = in.readWord(mode, sizeof mode);
    while (more) {
        bool placed = false;
        switch (situationItem(mode)) {
        case SituationItem::WALL: wallItem(mode); break;
        case SituationItem::THING: thingItem(); break;
        case SituationItem::ROBOT: placed = robotItem(); break;
        case SituationItem::NONE: break;
        }
        more = in.readWord(mode, sizeof mode);
        // The word after the placing robot item's pair may name a heading; like every word
        // that is no keyword, the loop then skips it.
        for (int k = 0; more && placed && m.heading && k < 4; ++k)
            if (StrEq(mode, headingWord(k))) *m.heading = k;
    }
}

} // namespace

SituationItem situationItem(const char* word) {
    if (StrEq(word, "wall") || StrEq(word, "Wall")) return SituationItem::WALL;
    if (StrEq(word, "thing") || StrEq(word, "Thing")) return SituationItem::THING;
    if (StrEq(word, "Pindle") || StrEq(word, "pindle")) return SituationItem::ROBOT;
    return SituationItem::NONE;
}

void initDraw() {
    reading = true;
    worldDisplay().drawEmptyWorld();
    SituationRead(sitFp, worldFile, {&PindlesWorld, &walls, &icon_x, &icon_y, nullptr, true})
        .readItems();
    ifinited = 1;
    reading = false;
}

bool LoadGoalFile(const char* fileName, Goal& goal) {
    FILE* fp = openTextFile(fileName);
    if (!fp) {
        dialogs().messageBox(tr("Cannot open world situation file\n"), fileName);
        return false;
    }
    goal.clear();
    SituationRead(fp, fileName,
                  {&goal.things, nullptr, &goal.robotX, &goal.robotY, &goal.heading, false})
        .readItems();
    std::fclose(fp);
    goal.loaded = true;
    return true;
}

void DrawEnvir() {
    if (reading) return;
    if (!sitFp && ifinited == 0) return;
    if (ifinited == 0)
        initDraw();
    else
        worldDisplay().redrawWorld();
    runHooks().updateStatus();
}

void startUnnamedWorld() {
    if (reading) return;
    if (sitFp) std::fclose(sitFp);
    sitFp = nullptr;
    worldFile[0] = '\0';
    reset_counter();
    clearHistory();
    ifinited = 1;
}

bool LoadWorldFile(const char* filename) {
    if (reading) return false;
    if (filename[0] == '\0') {
        std::string path;
        if (!dialogs().chooseFile(tr("Load situation file"),
                                  tr("World files (*.sit)|*.sit|All files (*.*)|*.*"), worldFile,
                                  path))
            return false;
        if (!takeFileName(worldFile, path.c_str())) return false;
    }
    FILE* fp = openTextFile(worldFile);
    if (sitFp) std::fclose(sitFp);
    sitFp = fp;
    if (!sitFp) {
        dialogs().messageBox(tr("Cannot open world situation file\n"), worldFile);
        return false;
    }
    reset_counter();
    clearHistory();
    worldDisplay().clearWorld();
    DrawEnvir();
    return true;
}
