#include "app/runreport.h"

#include "world/world.h"

#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

std::string quoted(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        default:
            if (c < 0x20 || c >= 0x7F) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02x", c);
                out += hex;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out;
}

std::string robotReport() {
    if (icon_x == -1 && icon_y == -1) return "none";
    static const char* const headings[4] = {"north", "west", "south", "east"};
    return std::to_string(icon_x / 30) + " " + std::to_string(icon_y / 30) + " " +
           headings[position & 3];
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
