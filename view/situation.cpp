#include "view/situation.h"

#include "lang/bool.h"
#include "lang/outside.h"
#include "lang/textbuf.h"
#include "lang/textfile.h"
#include "lang/wordreader.h"
#include "world/world.h"

#include <algorithm>
#include <cstring>
#include <string>

char worldFile[80];
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

// The coordinates and thing word of the read; an item that cannot read them keeps the
// previous item's.
int x1, y1, x2, y2;
char s[3];

void reportBounds(const char* item, const char* keywordCaption = nullptr) {
    char msg[80];
    formatCut(msg, sizeof msg, "A '%s' coordinate in %s is out of bounds", item, worldFile);
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
    ui().messageBox(msg, caption);
}

void markWall() {
    if (x1 == x2) {
        if (x1 < 0 || x1 > LAST_MARKED) return;
        for (int y = std::clamp(y1, 0, LAST_MARKED + 1); y <= y2 && y <= LAST_MARKED; ++y)
            PindlesWorld.set(x1, y, '\0');
    } else {
        if (y1 < 0 || y1 > LAST_MARKED) return;
        for (int x = std::clamp(x1, 0, LAST_MARKED + 1); x <= x2 && x <= LAST_MARKED; ++x)
            PindlesWorld.set(x, y1, '\0');
    }
}

void wallItem(WordReader& in, const char* keyword) {
    in.readPair(y1, x1);
    in.readPair(y2, x2);
    if ((x1 == x2 && y1 == y2) || (x1 != x2 && y1 != y2)) {
        std::string caption = std::string("Error in ") + worldFile;
        ui().messageBox("Format for wall coordinates in should be x1,x2 y1,y2\n", caption.c_str());
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
    const int far = 30 * FARTHEST;
    int X1 = std::clamp(x1, -far, far), Y1 = std::clamp(y1, -far, far);
    int X2 = std::clamp(x2, -far, far), Y2 = std::clamp(y2, -far, far);
    ui().drawWall(X1, Y1, X2, Y2);
    line_struct* wall = new (std::nothrow) line_struct(X1, Y1, X2, Y2, walls);
    if (wall) walls = wall;
    ++worldGeneration;
}

void thingItem(WordReader& in) {
    in.readPair(y1, x1);
    in.readWord(s, sizeof s);
    if (outOfBounds(x1) || outOfBounds(y1)) reportBounds("thing");
    if (farAway(x1, y1)) return;
    PindlesWorld.set(x1, y1, s[0]);
    ui().drawThing(x1, y1, s);
}

void robotItem(WordReader& in) {
    in.readPair(y1, x1);
    if (outOfBounds(x1) || outOfBounds(y1)) reportBounds("Pindle");
    bool placeable = !farAway(x1, y1);
    x1 = pixels(x1);
    y1 = pixels(y1);
    if (placeable && icon_x == -1 && icon_y == -1) {
        icon_x = x1;
        icon_y = y1;
    }
    ui().drawRobot();
}

} // namespace

void initDraw() {
    reading = true;
    x1 = y1 = x2 = y2 = 0;
    std::strcpy(s, " ");
    ui().drawEmptyWorld();
    char mode[12];
    WordReader in(sitFp);
    while (in.readWord(mode, sizeof mode)) {
        if (StrEq(mode, "wall") || StrEq(mode, "Wall"))
            wallItem(in, mode);
        else if (StrEq(mode, "thing") || StrEq(mode, "Thing"))
            thingItem(in);
        else if (StrEq(mode, "Pindle") || StrEq(mode, "pindle"))
            robotItem(in);
    }
    ifinited = 1;
    reading = false;
}

void DrawEnvir() {
    if (reading) return;
    if (!sitFp && ifinited == 0) return;
    if (ifinited == 0)
        initDraw();
    else
        ui().redrawWorld();
    ui().updateStatus();
}

void LoadWorldFile(const char* filename) {
    if (reading) return;
    if (filename[0] == '\0') {
        std::string path;
        if (!ui().chooseFile("Load situation file", "World files (*.sit)|*.sit|All files (*.*)|*.*",
                             worldFile, path))
            return;
        if (path.size() >= sizeof worldFile) {
            ui().messageBox("File name too long (max is 80)", path.c_str());
            return;
        }
        std::strcpy(worldFile, path.c_str());
    }
    FILE* fp = openTextFile(worldFile);
    if (sitFp) std::fclose(sitFp);
    sitFp = fp;
    if (!sitFp) {
        ui().messageBox("Cannot open world situation file\n", worldFile);
        return;
    }
    reset_counter();
    ui().clearWorld();
    DrawEnvir();
}
