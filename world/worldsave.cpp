#include "world/worldsave.h"

#include "io/wordreader.h"
#include "world/world.h"

#include <vector>

namespace {

std::string corner(int x, int y) {
    return std::to_string(y) + "," + std::to_string(x);
}

void wallItems(std::string& text) {
    std::vector<const line_struct*> oldestFirst;
    for (const line_struct* w = walls; w; w = w->next)
        oldestFirst.insert(oldestFirst.begin(), w);
    for (const line_struct* w : oldestFirst)
        text += "wall " + corner(w->x1 / CORNER, w->y1 / CORNER) + " " +
                corner(w->x2 / CORNER, w->y2 / CORNER) + "\n";
}

void thingItems(std::string& text) {
    for (const world_row* row = PindlesWorld.world; row; row = row->next)
        for (const world_corner* c = row->column; c; c = c->next)
            if (c->item != '\0' && !isWordSpace(static_cast<unsigned char>(c->item)))
                text += "thing " + corner(c->pos, row->pos) + " " + c->item + "\n";
}

} // namespace

std::string situationText(int heading) {
    std::string text;
    wallItems(text);
    thingItems(text);
    if (icon_x != -1 || icon_y != -1) {
        text += "pindle " + corner(icon_x / CORNER, icon_y / CORNER);
        if (heading >= 0 && heading <= 3) text += std::string(" ") + headingWord(heading);
        text += "\n";
    }
    return text;
}
