#include "world/world.h"
#include "io/translate.h"

#include "world/situation.h"

#include <new>

world_struct PindlesWorld;
line_struct* walls = nullptr;
long worldGeneration = 0;
int icon_x = -1, icon_y = -1;
int position = 0;

const char* headingWord(int heading) {
    static const char* const words[4] = {N_("north"), N_("west"), N_("south"), N_("east")};
    return words[heading & 3];
}
int bbstate = 0;
int bbstateShown = 0;

world_struct::world_struct() : world(nullptr) {}

world_struct::~world_struct() {
    erase();
}

void world_struct::erase() {
    while (world) {
        world_row* row = world;
        world = row->next;
        while (row->column) {
            world_corner* corner = row->column;
            row->column = corner->next;
            delete corner;
        }
        delete row;
    }
}

char world_struct::get(int x, int y) {
    if (x == 0 || y == 0) return '\0';
    for (world_row* row = world; row; row = row->next) {
        if (row->pos != y) continue;
        for (world_corner* c = row->column; c; c = c->next)
            if (c->pos == x) return c->item;
    }
    return ' ';
}

void world_struct::set(int x, int y, char c) {
    world_row* row = world;
    while (row && row->pos != y)
        row = row->next;
    if (!row) {
        row = new (std::nothrow) world_row{y, nullptr, world};
        if (!row) return;
        world = row;
    }
    world_corner* corner = row->column;
    while (corner && corner->pos != x)
        corner = corner->next;
    if (!corner) {
        corner = new (std::nothrow) world_corner{x, c, row->column};
        if (!corner) return;
        row->column = corner;
    }
    corner->item = c;
}

void world_struct::clear(int x, int y) {
    set(x, y, ' ');
}

line_struct::line_struct(int X1, int Y1, int X2, int Y2, line_struct* N)
    : x1(X1), y1(Y1), x2(X2), y2(Y2), next(N) {}

static bool between(int v, int a, int b) {
    return a <= b ? (a <= v && v <= b) : (b <= v && v <= a);
}

bool in_line(int x, int y) {
    if (x < 1 || y < 1 || x >= 420 || y >= 420) return true;
    for (line_struct* w = walls; w; w = w->next) {
        if (w->y1 == w->y2 && y == w->y1 && w->x1 != w->x2 && between(x, w->x1, w->x2)) return true;
        if (w->x1 == w->x2 && x == w->x1 && w->y1 != w->y2 && between(y, w->y1, w->y2)) return true;
    }
    return false;
}

void reset_counter() {
    ifinited = 0;
    ++worldGeneration;
    while (walls) {
        line_struct* w = walls;
        walls = w->next;
        delete w;
    }
    PindlesWorld.erase();
    icon_x = -1;
    icon_y = -1;
    position = 0;
}
