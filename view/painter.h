// What the world picture is drawn with: lines, outlined rectangles, texts and the robot's
// icon, each in one of the picture's fixed styles. The window draws through one painter on
// its drawing contexts, pictures for files through others.
#pragma once

// The pens of the picture.
enum class Stroke {
    GRID,        // black, 1 pixel
    BORDER,      // black, 5 pixels
    WALL,        // red, 5 pixels
    GOAL_CORNER, // grey (170, 170, 170), 2 pixels
};

// The texts of the picture.
enum class Lettering {
    LABEL,      // black, the 11-point serif font
    THING,      // blue, the 14-point fixed-pitch font
    GOAL_THING, // light grey (200, 200, 200), the 14-point fixed-pitch font
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
};
