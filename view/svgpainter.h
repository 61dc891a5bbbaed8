// The world picture as an SVG drawing, for worksheets and web pages: the same geometry as the
// window's picture, drawn through the same painting steps.
#pragma once
#include "view/painter.h"

#include <string>

// Collects the painter's drawing as SVG elements.
class SvgPainter : public Painter {
  public:
    void line(int x1, int y1, int x2, int y2, Stroke stroke) override;
    void rectangle(int x, int y, int width, int height, Stroke stroke) override;
    void text(int x, int y, const char* text, int length, Lettering lettering) override;
    // The icon pixel for pixel, as runs of one colour per row.
    void robot(int x, int y, int heading) override;
    void robotOutline(int x, int y, int heading) override;
    // The whole document: the picture's square, white, with everything drawn on it.
    std::string document() const;

  private:
    std::string body;
    // The robot's icon as a group of class name; with outlineIn, only its outline, in that
    // colour.
    void icon(int x, int y, int heading, const char* name, const char* outlineIn);
};

// The SVG document of the world as it stands now, over the loaded goal.
std::string worldSvg();
