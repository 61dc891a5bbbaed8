#include "world/edits.h"

#include "world/world.h"

#include <algorithm>
#include <new>

namespace {

// Whether wall w marks corner (x, y) as the loader marks walls: along its column when both
// ends share it, else along its upper row, from the smaller end to the larger.
bool covers(const line_struct& w, int x, int y) {
    int x1 = std::min(w.x1, w.x2) / CORNER, x2 = std::max(w.x1, w.x2) / CORNER;
    int y1 = std::min(w.y1, w.y2) / CORNER, y2 = std::max(w.y1, w.y2) / CORNER;
    if (x1 == x2) return x == x1 && y1 <= y && y <= y2;
    return y == y1 && x1 <= x && x <= x2;
}

bool anyWallCovers(int x, int y) {
    for (line_struct* w = walls; w; w = w->next)
        if (covers(*w, x, y)) return true;
    return false;
}

// The stored item of corner (x, y), walking the lists (get hides row and column 0); null when
// the corner is not stored.
world_corner* stored(int x, int y) {
    for (world_row* row = PindlesWorld.world; row; row = row->next)
        if (row->pos == y)
            for (world_corner* c = row->column; c; c = c->next)
                if (c->pos == x) return c;
    return nullptr;
}

} // namespace

bool onGrid(int x, int y) {
    return x >= 0 && x <= 14 && y >= 0 && y <= 14;
}

bool addWall(int xa, int ya, int xb, int yb) {
    if ((xa == xb) == (ya == yb) || !onGrid(xa, ya) || !onGrid(xb, yb)) return false;
    int x1 = std::min(xa, xb), x2 = std::max(xa, xb), y1 = std::min(ya, yb), y2 = std::max(ya, yb);
    line_struct* wall =
        new (std::nothrow) line_struct(CORNER * x1, CORNER * y1, CORNER * x2, CORNER * y2, walls);
    if (!wall) return false;
    walls = wall;
    for (int x = x1; x <= x2; ++x)
        for (int y = y1; y <= y2; ++y)
            PindlesWorld.set(x, y, '\0');
    ++worldGeneration;
    return true;
}

bool removeWallAt(int x, int y) {
    line_struct** link = &walls;
    while (*link && !covers(**link, x, y))
        link = &(*link)->next;
    if (!*link) return false;
    line_struct* gone = *link;
    *link = gone->next;
    for (world_row* row = PindlesWorld.world; row; row = row->next)
        for (world_corner* c = row->column; c; c = c->next)
            if (c->item == '\0' && covers(*gone, c->pos, row->pos) &&
                !anyWallCovers(c->pos, row->pos))
                c->item = ' ';
    delete gone;
    ++worldGeneration;
    return true;
}

void putThing(int x, int y, char c) {
    PindlesWorld.set(x, y, c);
}

void removeThing(int x, int y) {
    world_corner* c = stored(x, y);
    if (!c || c->item == '\0' || c->item == ' ') return;
    c->item = anyWallCovers(x, y) ? '\0' : ' ';
}

void placeRobot(int x, int y) {
    icon_x = CORNER * x;
    icon_y = CORNER * y;
    position = 0;
}

bool turnRobotAt(int x, int y) {
    if (icon_x != CORNER * x || icon_y != CORNER * y) return false;
    position = (position + 1) % 4;
    return true;
}
