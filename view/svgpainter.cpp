#include "view/svgpainter.h"

#include "io/quoting.h"
#include "io/textbuf.h"
#include "view/icons.h"
#include "view/worlddrawing.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>

namespace {

const char* const goalGreen = "#3cb43c";
const char* const outlineColour = "#104020"; // the robot icon's outline

struct StrokeLook {
    const char* name;
    const char* colour;
    int width;
};

StrokeLook lookOf(Stroke stroke) {
    switch (stroke) {
    case Stroke::GRID: return {"grid", "#000000", 1};
    case Stroke::BORDER: return {"border", "#000000", 5};
    case Stroke::WALL: return {"wall", "#ff0000", 5};
    case Stroke::BLOCKED: return {"blocked", "#ff8c00", 5};
    default: return {"goal-corner", goalGreen, 2};
    }
}

struct LetteringLook {
    const char* name;
    const char* colour;
    const char* family;
    double points;
    const char* weight = ""; // an attribute of the text's weight, when not normal
};

LetteringLook lookOf(Lettering lettering) {
    switch (lettering) {
    case Lettering::LABEL: return {"label", "#000000", "DejaVu Serif, serif", 11};
    case Lettering::THING: return {"thing", "#0000ff", "DejaVu Sans Mono, monospace", 14};
    case Lettering::SMALL_LABEL: return {"label", "#000000", "DejaVu Serif, serif", 7.5};
    case Lettering::SMALL_THING:
        return {"thing-under-robot", "#0000ff", "DejaVu Sans Mono, monospace", 8,
                " font-weight=\"bold\""};
    default: return {"goal-thing", goalGreen, "DejaVu Sans Mono, monospace", 14};
    }
}

// A pixel coordinate where a line of this width lies on whole pixels, as the window draws it.
std::string at(int v, int width) {
    char s[24];
    if (width % 2)
        std::snprintf(s, sizeof s, "%.1f", v + 0.5);
    else
        std::snprintf(s, sizeof s, "%d", v);
    return s;
}

// Every element's text fits in this many bytes: its numbers are pixel coordinates and its
// names and colours are the painter's own.
constexpr size_t ELEMENT_SIZE = 256;

// An XPM image of one character per pixel: its size, its colours by key ("" for none) and
// its rows.
struct Xpm {
    int width = 0, height = 0;
    std::map<char, std::string> colours;
    const char* const* rows = nullptr;
};

// False when the image is not one the painter can read.
bool readXpm(const char* const* xpm, Xpm& image) {
    int count = 0, perPixel = 0;
    if (std::sscanf(xpm[0], "%d %d %d %d", &image.width, &image.height, &count, &perPixel) != 4 ||
        perPixel != 1 || image.width <= 0 || image.height <= 0 || count <= 0)
        return false;
    for (int i = 1; i <= count; ++i) {
        const char* c = std::strstr(xpm[i] + 1, " c ");
        std::string value = c ? c + 3 : "";
        image.colours[xpm[i][0]] = value.size() == 7 && value[0] == '#' ? value : "";
    }
    image.rows = xpm + 1 + count;
    return true;
}

} // namespace

void SvgPainter::line(int x1, int y1, int x2, int y2, Stroke stroke) {
    StrokeLook look = lookOf(stroke);
    char element[ELEMENT_SIZE];
    formatCut(element, sizeof element,
              "<line class=\"%s\" x1=\"%s\" y1=\"%s\" x2=\"%s\" y2=\"%s\" stroke=\"%s\" "
              "stroke-width=\"%d\" stroke-linecap=\"round\"/>\n",
              look.name, at(x1, look.width).c_str(), at(y1, look.width).c_str(),
              at(x2, look.width).c_str(), at(y2, look.width).c_str(), look.colour, look.width);
    body += element;
}

void SvgPainter::rectangle(int x, int y, int width, int height, Stroke stroke) {
    StrokeLook look = lookOf(stroke);
    char element[ELEMENT_SIZE];
    formatCut(element, sizeof element,
              "<rect class=\"%s\" x=\"%d\" y=\"%d\" width=\"%d\" height=\"%d\" fill=\"none\" "
              "stroke=\"%s\" stroke-width=\"%d\"/>\n",
              look.name, x, y, width, height, look.colour, look.width);
    body += element;
}

void SvgPainter::text(int x, int y, const char* text, int length, Lettering lettering) {
    LetteringLook look = lookOf(lettering);
    double pixels = look.points * 96 / 72;
    // The window places a text by its top left; SVG by its baseline, one ascent lower.
    int baseline = y + static_cast<int>(std::lround(pixels * 0.93));
    char element[ELEMENT_SIZE];
    formatCut(element, sizeof element,
              "<text class=\"%s\" x=\"%d\" y=\"%d\" font-family=\"%s\" font-size=\"%.2f\"%s "
              "fill=\"%s\" xml:space=\"preserve\">",
              look.name, x, baseline, look.family, pixels, look.weight, look.colour);
    body += element;
    body += xmlText(std::string(text, static_cast<size_t>(length)), OddBytes::LATIN1);
    body += "</text>\n";
}

void SvgPainter::icon(int x, int y, int heading, const char* name, const char* outlineIn) {
    char element[ELEMENT_SIZE];
    formatCut(element, sizeof element,
              "<g class=\"%s\" transform=\"translate(%d %d)\" shape-rendering=\"crispEdges\">\n",
              name, x, y);
    body += element;
    Xpm icon;
    if (readXpm(iconImage((heading & 3) + 1), icon)) {
        for (int row = 0; row < icon.height; ++row) {
            const char* pixels = icon.rows[row];
            if (std::strlen(pixels) < static_cast<size_t>(icon.width)) break;
            for (int col = 0, end = 0; col < icon.width; col = end) {
                while (end < icon.width && pixels[end] == pixels[col])
                    ++end;
                std::string colour = icon.colours[pixels[col]];
                if (outlineIn) colour = colour == outlineColour ? outlineIn : "";
                if (colour.empty()) continue;
                formatCut(element, sizeof element,
                          "<rect x=\"%d\" y=\"%d\" width=\"%d\" height=\"1\" fill=\"%s\"/>\n", col,
                          row, end - col, colour.c_str());
                body += element;
            }
        }
    }
    body += "</g>\n";
}

void SvgPainter::robot(int x, int y, int heading) {
    icon(x, y, heading, "robot", nullptr);
}

void SvgPainter::robotOutline(int x, int y, int heading) {
    icon(x, y, heading, "goal-robot", goalGreen);
}

std::string SvgPainter::document() const {
    char head[ELEMENT_SIZE];
    formatCut(head, sizeof head,
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
              "viewBox=\"0 0 %d %d\">\n<rect width=\"%d\" height=\"%d\" fill=\"#ffffff\"/>\n",
              PICTURE_SIZE, PICTURE_SIZE, PICTURE_SIZE, PICTURE_SIZE, PICTURE_SIZE, PICTURE_SIZE);
    return head + body + "</svg>\n";
}

std::string worldSvg() {
    SvgPainter painter;
    paintScene(painter, currentScene());
    return painter.document();
}
