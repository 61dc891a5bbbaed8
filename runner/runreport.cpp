#include "runner/runreport.h"

#include "world/goal.h"
#include "world/world.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

// "X Y HEADING", "any" for the heading when there is none; "none" for no robot.
static std::string placeReport(const RobotPlace& p) {
    if (!p.placed) return "none";
    return std::to_string(p.x) + " " + std::to_string(p.y) + " " +
           (p.heading < 0 ? "any" : headingWord(p.heading));
}

std::string robotReport() {
    return placeReport(robotPlace());
}

std::string boardReport(const char* name, char board) {
    if (board == '\0') return std::string(name) + "=???";
    return std::string(name) + "='" + quoted(std::string(1, board)) + "'";
}

static char pictureChar(char item) {
    unsigned char c = static_cast<unsigned char>(item);
    if (c == 0) return '#';
    if (c == ' ') return '.';
    return (c >= 0x21 && c <= 0x7E) ? item : '?';
}

std::string worldReport() {
    std::string rows[16];
    for (auto& row : rows)
        row.assign(16, '.');
    std::vector<std::tuple<int, int, char>> outside;
    for (world_row* r = PindlesWorld.world; r; r = r->next) {
        for (world_corner* c = r->column; c; c = c->next) {
            if (r->pos >= 0 && r->pos < 16 && c->pos >= 0 && c->pos < 16)
                rows[r->pos][c->pos] = pictureChar(c->item);
            else
                outside.emplace_back(r->pos, c->pos, c->item);
        }
    }
    std::sort(outside.begin(), outside.end());
    std::string out;
    for (const auto& row : rows)
        out += row + "\n";
    for (const auto& [y, x, item] : outside)
        out += "outside " + std::to_string(x) + " " + std::to_string(y) + " '" +
               quoted(std::string(1, item)) + "'\n";
    return out;
}

std::string faultFileName(const char* name) {
    for (const char* p = name; *p; ++p)
        if (static_cast<unsigned char>(*p) < 0x20 || *p == 0x7F) return quoted(name);
    return name;
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n') c = ' ';
    return text;
}

static std::string thingReport(char c) {
    return c ? "'" + quoted(std::string(1, c)) + "'" : "none";
}

std::string differenceLine(const GoalDifference& d) {
    switch (d.kind) {
    case GoalDifference::END:
        return std::string("end want finished got ") +
               (d.end == RunEnd::LIMIT ? "limit" : "stopped");
    case GoalDifference::ROBOT:
        return "robot want " + placeReport(d.want) + " got " + placeReport(d.got);
    case GoalDifference::THING:
        return "thing " + std::to_string(d.x) + " " + std::to_string(d.y) + " want " +
               thingReport(d.wantThing) + " got " + thingReport(d.gotThing);
    }
    return "";
}
