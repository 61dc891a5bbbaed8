// The world model: the sparse grid of corners, the walls, and the robot's state.
#pragma once
#include "lang/interp.h" // the boards and the run-stop flag, which the robot's actions set

struct world_corner {
    int pos;   // column x
    char item; // NUL: wall mark; space: empty; anything else: a thing
    world_corner* next;
};

struct world_row {
    int pos; // row y
    world_corner* column;
    world_row* next;
};

class world_struct {
  public:
    world_row* world; // first row, null when empty

    world_struct();
    ~world_struct();
    world_struct(const world_struct&) = delete;
    world_struct& operator=(const world_struct&) = delete;

    void erase();                   // frees every row and corner
    char get(int x, int y);         // the item at (x, y): NUL on row or column 0, space if unset
    void set(int x, int y, char c); // stores c at (x, y)
    void clear(int x, int y);       // stores a space at (x, y)
};

extern world_struct PindlesWorld;

constexpr int CORNER = 30; // the pixels from one corner to the next, along a row or a column

// One wall segment, ends in pixels (CORNER per corner).
struct line_struct {
    int x1, y1, x2, y2;
    line_struct* next;
    line_struct(int X1, int Y1, int X2, int Y2, line_struct* N);
};

extern line_struct* walls;   // newest wall first, null when there are none
extern long worldGeneration; // changes whenever the world is emptied or a wall is added

// True when the pixel point (x, y) is blocked: outside the movable area or on a wall.
bool in_line(int x, int y);
// Empties the world and the walls and takes the robot off the grid (boards untouched).
void reset_counter();

extern int icon_x, icon_y; // robot position in pixels; -1 when not placed
// Whether a robot at pixels (x, y) stands on a corner: not both -1, whatever the corner.
inline bool robotPlaced(int x, int y) {
    return x != -1 || y != -1;
}
extern int position; // heading: 0 north, 1 west, 2 south, 3 east
// The word of a heading (0 north, 1 west, 2 south, 3 east), as files and reports write it.
const char* headingWord(int heading);
extern int bbstate;      // the last data movement shown by the status panel (0 to 4)
extern int bbstateShown; // the data movement the status panel shows now
