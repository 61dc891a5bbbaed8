// What the world picture is drawn with: lines, outlined rectangles, texts and the robot's
// icon, each in one of the picture's fixed styles. The window draws through one painter on
// its drawing contexts, pictures for files through others.
#pragma once

// The pens of the picture.
enum class Stroke {
    GRID,        // black, 1 pixel
    BORDER,      // black, 5 pixels
    WALL,        // red, 5 pixels
    GOAL_CORNER, // the goal's green (60, 180, 60), 2 pixels
    BLOCKED,     // orange (255, 140, 0), 5 pixels: the side a blocked move ran into
};

// The texts of the picture.
enum class Lettering {
    LABEL,       // black, the 11-point serif font
    THING,       // blue, the 14-point fixed-pitch font
    GOAL_THING,  // the goal's green (60, 180, 60), the 14-point fixed-pitch font
    SMALL_LABEL, // black, the serif font at 7.5 points: a row label of two digits
    SMALL_THING, // blue, the fixed-pitch font at 8 points, bold: a thing under the robot
};

class Painter {
  public:
    virtual ~Painter() = default;
    // A line from (x1, y1) to (x2, y2).
    virtual void line(int x1, int y1, int x2, int y2, Stroke stroke) = 0;
    // The outline of the rectangle at (x, y) of width by height pixels.
    virtual void rectangle(int x, int y, int width, int height, Stroke stroke) = 0;
    // Text (8-bit characters) with its top left at (x, y).
    virtual void text(int x, int y, const char* text, int length, Lettering lettering) = 0;
    // The robot's 32 x 32 icon for heading (0 north, 1 west, 2 south, 3 east), top left at
    // (x, y).
    virtual void robot(int x, int y, int heading) = 0;
    // The outline of that icon alone, in the goal's green, top left at (x, y).
    virtual void robotOutline(int x, int y, int heading) = 0;
};
